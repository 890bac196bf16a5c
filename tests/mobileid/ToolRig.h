#pragma once

#include "LookupState.h"
#include "PageFetcher.h"
#include "Recorders.h"
#include "StandinFixture.h"
#include "ToolContext.h"
#include "Twips.h"

#include <QLabel>
#include <QTest>
#include <QWidget>
#include <functional>

// The real page fetch, with a look at the panel just before the request goes
// out, so a test can see what the user saw while waiting.
class ObservingFetcher : public PageFetcher
{
public:
    using PageFetcher::PageFetcher;
    QString fetchPageText(const QString &url) override
    {
        if (beforeFetch)
            beforeFetch();
        return PageFetcher::fetchPageText(url);
    }
    std::function<void()> beforeFetch;
};

// One tool on a panel of a shown window, with recorded boxes, the real page
// fetch through the stand-in server and a status line that starts as "before".
template <typename Tool> struct ToolRig {
    StandinFixture standin;
    RecordingFatalEnd fatal;
    ObservingFetcher fetcher{fatal};
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    LookupState state;
    QWidget window;
    QWidget *panel = new QWidget(&window);
    QLabel *status = new QLabel(QStringLiteral("before"), &window);
    ToolContext context{fetcher, boxes, shell, state, status, &window};
    Tool tool{panel, context};

    ToolRig()
    {
        window.resize(Twips::toPixels(12000), Twips::toPixels(9000));
        panel->setGeometry(Twips::rect(2640, 1680, 9255, 6375));
        status->setGeometry(0, Twips::toPixels(8500), 200, 20);
        window.show();
        window.activateWindow();
    }
};
