#include "MarkedCut.h"

#include "PageText.h"

std::optional<QString> MarkedCut(const QString &text, const QString &startMarker, const QString &endMarker)
{
    const long long start = static_cast<long long>(FindTextPos(startMarker, text)) + startMarker.size();
    const long long end = FindTextPos(endMarker, text);
    // start < 1 only for an empty start marker on an empty text.
    if (start < 1 || end - start < 0)
        return std::nullopt;
    return Mid(text, start, end - start);
}
