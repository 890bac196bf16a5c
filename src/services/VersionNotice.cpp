#include "VersionNotice.h"

#include "MarkedCut.h"
#include "PageText.h"

std::optional<QString> NoticeNewestVersion(const QString &pageText)
{
    return MarkedCut(pageText, NoticeMarkers::NewestVersion, NoticeMarkers::NewestVersionEnd);
}

QString NoticeNewestVersionCut(const QString &pageText)
{
    using namespace NoticeMarkers;
    const Pos16 start = OffsetPosition(FindTextPos(NewestVersion, pageText), int(NewestVersion.size()));
    const Pos16 end = FindTextPos(NewestVersionEnd, pageText);
    return Cut(pageText, start, end);
}

QString NoticeUpdateText(const QString &pageText)
{
    using namespace NoticeMarkers;
    const Pos16 start = OffsetPosition(FindTextPos(UpdateText, pageText), int(UpdateText.size()) + LineBreakLength);
    const Pos16 end = OffsetPosition(FindTextPos(UpdateTextEnd, pageText), -LineBreakLength);
    return Cut(pageText, start, end);
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
