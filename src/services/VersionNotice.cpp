#include "VersionNotice.h"

#include "MarkedCut.h"

std::optional<QString> NoticeNewestVersion(const QString &pageText)
{
    return MarkedCut(pageText, NoticeMarkers::NewestVersion, NoticeMarkers::NewestVersionEnd);
}

bool IsNewerVersion(const QString &newest, const QString &current)
{
    const qsizetype common = qMin(newest.size(), current.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t a = newest.at(i).unicode();
        const char16_t b = current.at(i).unicode();
        if (a != b)
            return a > b;
    }
    return newest.size() > current.size();
}
