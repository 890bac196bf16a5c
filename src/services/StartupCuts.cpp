#include "StartupCuts.h"

#include "MarkedCut.h"
#include "PageText.h"

std::optional<QString> OwnAddressCut(const QString &pageText)
{
    return MarkedCut(pageText, QStringLiteral("您的IP地址是：["), QStringLiteral("]"));
}

std::optional<QString> LocationLineCut(const QString &pageText, const YieldTurn &betweenCharacters)
{
    const QString marker = QStringLiteral("本站主数据：");
    // A page without the marker counts it at position 0 and is cut from 6.
    const long long start = static_cast<long long>(FindTextPos(marker, pageText)) + marker.size();
    const long long length = pageText.size(); // taken once, before the scan
    for (long long i = start; i <= length; ++i) {
        if (i < length && pageText.at(i - 1) == QLatin1Char('\r') && pageText.at(i) == QLatin1Char('\n'))
            return Mid(pageText, start, i - start);
        if (betweenCharacters)
            betweenCharacters();
    }
    return std::nullopt;
}
