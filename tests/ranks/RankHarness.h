#pragma once

#include "LookupState.h"
#include "PageFetcher.h"
#include "Recorders.h"
#include "StandinFixture.h"
#include "ToolContext.h"

#include <QLabel>
#include <QWidget>

#include <functional>

// The real page fetch with a hook that runs while the request is out, so a
// test can look at the panel in the middle of a query; or a stand-in for a
// run-time error inside the handler.
class WatchedFetcher : public PageFetcher
{
public:
    using PageFetcher::PageFetcher;
    QString fetchPageText(const QString &url) override
    {
        if (whileFetching)
            whileFetching();
        if (failWith)
            throw std::runtime_error("simulated run-time error");
        return PageFetcher::fetchPageText(url);
    }
    std::function<void()> whileFetching;
    bool failWith = false;
};

// One tool panel inside a window, with recorders and the stand-in server.
struct RankHarness {
    StandinFixture standin;
    RecordingFatalEnd fatal;
    WatchedFetcher fetcher{fatal};
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    LookupState state;
    QWidget window;
    QLabel *status = new QLabel(QStringLiteral("Orvalent 5.5"), &window);
    QWidget *panel = new QWidget(&window);
    ToolContext context{fetcher, boxes, shell, state, status, &window};

    template <typename T> T *find(const char *name) const
    {
        T *child = panel->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s on the panel", name);
        return child;
    }
};
