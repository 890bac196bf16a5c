#pragma once

#include "LookupState.h"

#include <QString>

// The mobile-number tool's rules that need no window: which typed numbers go
// to the service, and how its answer page is cut into the four result lines.
namespace MobileNumber
{

// Markers of the answer page, in the order they stand on it.
inline const QString PlaceMarker = QStringLiteral("卡号归属地");
inline const QString CardTypeMarker = QStringLiteral("卡 类 型");
inline const QString AreaCodeMarker = QStringLiteral("区 号");
inline const QString PostCodeMarker = QStringLiteral("邮 编");
inline const QString MoreMarker = QStringLiteral(" 更详细的..");
// The service's answer when it does not know the number.
inline const QString RejectionMarker = QStringLiteral("验证手机号有误");

// Exactly 11 characters that read as one number under NumberText (blanks
// around, a sign and one decimal point are accepted; an exponent, thousands
// separators and hexadecimal prefixes are not).
bool isWellFormed(const QString &number);

// The four result lines of an answer page: registration place, area code,
// card type, post code, CR LF after the first three. The first three marker
// positions are kept in state.CutStart, CutEnd and CutEnd2 (16-bit, so a
// marker beyond 32767 raises OverflowError); a negative length or a start
// below 1 raises InvalidArgumentError.
QString answerLines(const QString &page, LookupState &state);

} // namespace MobileNumber
