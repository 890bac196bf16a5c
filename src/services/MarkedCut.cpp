#include "MarkedCut.h"

#include "PageText.h"

std::optional<QString> MarkedCut(const QString &text, const QString &startMarker, const QString &endMarker)
{
    const int markerPos = FindTextPos(startMarker, text);
    if (markerPos == 0)
        return std::nullopt;
    const long long start = static_cast<long long>(markerPos) + startMarker.size();
    const long long end = FindTextPos(endMarker, text);
    if (end == 0 || end < start)
        return std::nullopt;
    return Mid(text, start, end - start);
}
