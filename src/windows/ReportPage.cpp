#include "ReportPage.h"

#include "Endpoints.h"
#include "PageText.h"

namespace ReportPage {

QString detailsCloseMarker()
{
    return Endpoints::ReportServiceName + QStringLiteral("云安全中心将");
}

QString confirmationDetails(const QString &pageText)
{
    const int first = FindTextPos(DetailsMarker, pageText);
    const int close = FindTextPos(detailsCloseMarker(), pageText);
    if (first == 0 || close == 0)
        return {};
    const int start = first + int(DetailsMarker.size());
    if (close < start)
        return {};
    return pageText.mid(start - 1, close - start);
}

bool isAcceptableTitle(const QString &title)
{
    return !title.isEmpty() && title != QStringLiteral("空白页") && title != QStringLiteral("导航已取消")
        && title != QStringLiteral("about:blank") && !title.startsWith(QStringLiteral("http"));
}

} // namespace ReportPage
