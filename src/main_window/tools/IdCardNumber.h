#pragma once

#include "LookupState.h"

#include <QChar>
#include <QString>
#include <array>
#include <stdexcept>

// The ID-card tool's rules that need no window: the form check, the MOD 11-2
// check character, the verdict, the sex and birth date read from the number,
// and the issuing-place cut of the service's answer.
namespace IdCardNumber
{

// A character or text that had to be read as a number and is none. The tool's
// error trap takes it like any other failure.
struct NotANumber : std::runtime_error {
    NotANumber() : std::runtime_error("type mismatch") {}
};

// Weights of characters 1 to 17.
inline constexpr std::array<int, 17> Weights = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
// Check character for each remainder 0..10 of the weighted sum mod 11.
inline constexpr std::array<char, 11> CheckCharacters = {'1', '0', 'X', '9', '8', '7', '6', '5', '4', '3', '2'};

// Markers of the service's answer page.
inline const QString RejectionMarker = QStringLiteral("验证身份证号有误");
inline const QString PlaceMarker = QStringLiteral("发 证 地：");
inline const QString PlaceEndMarker = QStringLiteral("部分或全部现为：");
inline const QString PlaceEndMarker2 = QStringLiteral("点击这里查询验证身份证号码及照片的真实资料");

enum class Form { Accepted, Refused };

// The first check of the typed text: its first 17 characters (all of it when
// shorter) are read with NumberText (no exponent, thousands separator or
// hexadecimal prefix) before the length is looked at, so a text
// that is no number at all (empty, a leading letter) raises NotANumber.
// Accepted when the text has 18 characters and that number is whole.
Form checkForm(const QString &typed);

// The value of one of characters 1 to 17: "0" to "9", anything else raises
// NotANumber.
int digitValue(QChar c);

// The check character that the first 17 characters call for ('0'..'9' or 'X').
QChar expectedCheckCharacter(const QString &number);

enum class Verdict { Passed, Failed };

// The local verdict on an upper-cased 18-character number, tests in this
// order: X called for and given passes without the year test; X called for
// and not given, or given and not called for, fails; an 18th character that
// is not a digit raises NotANumber; a digit that differs fails; a year
// (characters 7 to 10) below 1900 fails.
Verdict verdict(const QString &number);

// "性别：男" for an odd 17th character, "性别：女" for an even one.
QString sexText(const QString &number);

// "出生日期：" + year + "年" + month + "月" + day + "日", as they stand.
QString birthDateText(const QString &number);

// The issuing place in the answer page: from just after "发 证 地：" (from
// position 6 when that is missing) up to "部分或全部现为：", or, when that is
// missing, up to 7 characters before the second end marker. The positions
// are kept in state.CutStart and CutEnd (16-bit); with neither end marker the
// length is negative and InvalidArgumentError is raised.
QString issuingPlace(const QString &page, LookupState &state);

} // namespace IdCardNumber
