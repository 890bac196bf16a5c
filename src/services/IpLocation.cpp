#include "IpLocation.h"

#include "Endpoints.h"
#include "PageFetcher.h"
#include "PageText.h"

namespace IpLocation {

QString request(PageFetcher &fetcher, const QString &address)
{
    return fetcher.fetchPageText(Endpoints::ipLocation(address));
}

QString cut(const QString &pageText, Pos16 &cutEnd, Pos16 &cutEnd2)
{
    cutEnd = FindTextPos(StartMarker, pageText);
    cutEnd2 = static_cast<long long>(FindTextPos(EndMarker, pageText)) - 4;
    return Cut(pageText, cutEnd, cutEnd2);
}

QString rewrite(QString text)
{
    text.replace(StartMarker, QStringLiteral("标准位置："));
    text.replace(QStringLiteral("参考数据"), QStringLiteral("变化参考位置"));
    return text;
}

} // namespace IpLocation
