#pragma once

#include "LookupState.h"
#include "PageFetcher.h"
#include "Recorders.h"
#include "ToolContext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>

// The real page fetch, with a hook that runs just before each request goes
// out (while the tool waits on it).
class WatchedFetcher : public PageFetcher
{
public:
    using PageFetcher::PageFetcher;
    QString fetchPageText(const QString &url) override
    {
        urls.append(url);
        if (beforeFetch)
            beforeFetch(url);
        return PageFetcher::fetchPageText(url);
    }
    QStringList urls;
    std::function<void(const QString &)> beforeFetch;
};

// What the main window hands a tool: recorders, the real page fetch, the
// lookup state and a status line, with a panel to build into.
struct ToolRig {
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    RecordingFatalEnd fatal;
    WatchedFetcher fetcher{fatal};
    LookupState state;
    QWidget window;
    QLabel *status = new QLabel(QStringLiteral("Orvalent"), &window);
    QWidget *panel = new QWidget(&window);
    ToolContext context{fetcher, boxes, shell, state, status, &window};

    template <typename T>
    T *find(const char *name) const
    {
        T *child = panel->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s on the panel", name);
        return child;
    }
};
