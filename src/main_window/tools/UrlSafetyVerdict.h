#pragma once

#include <QColor>
#include <QString>

// What the URL-safety tool reads out of the two services' pages and shows:
// the texts of the result box, the address box's colours and the badge.
namespace UrlSafetyVerdict {

enum class Badge { None, Unknown, Dangerous, Safe };

// Background of the address box.
inline const QColor NoVerdict(255, 255, 255);
inline const QColor Safe(204, 243, 223);
inline const QColor Dangerous(250, 202, 202);
inline const QColor Unknown(255, 255, 180);

// First service: the page only says no planted code was found, so the second
// service decides.
inline const QString NoPlantedCodeMarker = QStringLiteral("当前未检测到挂马行为");
// First service: the site is dangerous; its details follow the marker up to
// the end marker.
inline const QString DangerMarker = QStringLiteral("当前状态：危险");
inline const QString DangerEndMarker = QStringLiteral("安全播报更多");

// The progress text of the status line and the result box during a check.
inline const QString ProgressText = QStringLiteral("正在对该网站进行云鉴定，请稍候......");

// The result text of a dangerous first-service answer: the cut joined into
// one line (no blanks, no "可能", no line breaks), indented, and the advice on
// the next line.
QString dangerText(const QString &cut);

// The result text when the first service's page has neither marker: a short
// page (at most 100 characters) means the query went wrong, a longer one that
// the site is not rated yet.
QString undecidedText(const QString &pageText);

struct SecondStage {
    QString text;
    Badge badge;          // None: the badges stay as they are (hidden)
    QColor colour;
};

// The second service's verdict: the first of its four markers found in the
// page decides; none found is the "not yet listed" answer.
SecondStage secondStage(const QString &pageText);

} // namespace UrlSafetyVerdict
