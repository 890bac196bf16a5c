#pragma once

#include <QString>

// What the report window reads from the report service's pages and from the
// title of a page it looks up.
namespace ReportPage {

// The confirmation page holds this once a report has gone through.
inline const QString ConfirmationMarker = QStringLiteral("以下信息已经提交");
// The details of the confirmed report start after this marker ...
inline const QString DetailsMarker = QStringLiteral("云安全中心：");
// ... and end where the service names itself.
QString detailsCloseMarker();

// The text between the two markers (both searched from the start of the page
// text); empty when either is missing or the close marker does not begin
// after the end of the first.
QString confirmationDetails(const QString &pageText);

// A title the title fetch takes: not a blank page's or a cancelled
// navigation's title, not empty, and not an address shown in place of one.
bool isAcceptableTitle(const QString &title);

// The status line of the report window.
inline const QString Connecting = QStringLiteral("正在连接网站举报中心接口中，请稍候......");
inline const QString Connected = QStringLiteral("已成功连接到举报中心服务器接口！");
inline const QString Submitting = QStringLiteral("正在提交您所举报的信息......");
inline const QString Reported = QStringLiteral("举报成功！");

} // namespace ReportPage
