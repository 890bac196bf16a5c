#pragma once

#include "LookupState.h"
#include "PageFetcher.h"
#include "Recorders.h"
#include "RecordingBrowser.h"
#include "ResultBox.h"
#include "StandinFixture.h"
#include "ToolContext.h"
#include "Twips.h"

#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <stdexcept>

// The text a control shows: a label's text (an information picture's tooltip),
// a button's caption, a box's text.
inline QString shownText(const QWidget *control)
{
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->pixmap().isNull() ? label->text() : label->toolTip();
    if (auto *button = qobject_cast<const QPushButton *>(control))
        return button->text();
    if (auto *box = qobject_cast<const ResultBox *>(control))
        return box->text();
    if (auto *line = qobject_cast<const QLineEdit *>(control))
        return line->text();
    return QString();
}

// The real page fetch, noting every address it is sent to, with a hook that
// runs while the request is out (just before it goes), so a test can look at
// the panel in the middle of a query; or a stand-in for a run-time error
// inside the handler.
class WatchedFetcher : public PageFetcher
{
public:
    using PageFetcher::PageFetcher;
    QString fetchPageText(const QString &url) override
    {
        urls.append(url);
        if (whileFetching)
            whileFetching();
        if (failWith)
            throw std::runtime_error("simulated run-time error");
        return PageFetcher::fetchPageText(url);
    }
    QStringList urls;
    std::function<void()> whileFetching;
    bool failWith = false;
};

struct ToolPanelOptions {
    // What the status line shows before the tool writes to it.
    QString status = QStringLiteral("before");
    // A stand-in server of the rig's own, set as the fetch's proxy. Tests
    // that share one server for the whole run (browser tests) say false.
    bool ownStandin = true;
    // The browser views the tools make: these, or the rig's recording ones,
    // or none.
    BrowserFactory *browsers = nullptr;
    bool recordingBrowsers = false;
};

// What the main window hands a tool panel, built from recorders: a panel at
// its design place in a window (shown by show()), the real page fetch
// (ending the program through a recorder), the lookup state, the status line
// (Form1.Label1) and, unless told otherwise, a stand-in server.
class ToolPanelRig
{
public:
    explicit ToolPanelRig(const ToolPanelOptions &options = {})
        : context{fetcher, boxes, shell, state, status, &window, browsersFor(options)}
    {
        if (options.ownStandin)
            standin.emplace();
        status->setText(options.status);
        window.resize(Twips::toPixels(12000), Twips::toPixels(9000));
        panel->setGeometry(Twips::rect(2640, 1680, 9255, 6375));
        status->setGeometry(0, Twips::toPixels(8500), 200, 20);
    }
    ToolPanelRig(const ToolPanelRig &) = delete;
    ToolPanelRig &operator=(const ToolPanelRig &) = delete;

    // Shows the window with what the tool built on the panel: call it once the
    // tool is made (controls made later on a shown panel stay hidden).
    void show()
    {
        window.show();
        window.activateWindow();
    }

    // The rig's own stand-in server.
    StandinServer &server()
    {
        if (!standin)
            qFatal("this rig has no stand-in server of its own");
        return standin->server;
    }
    const StandinServer &server() const { return const_cast<ToolPanelRig *>(this)->server(); }
    // The path and query of every request the rig's server was sent, in order.
    QList<QByteArray> queries() const
    {
        QList<QByteArray> list;
        for (const auto &request : server().requests())
            list.append(request.pathAndQuery);
        return list;
    }

    // A control the tool made on the panel, by its name.
    template <typename T> T *find(const char *name) const
    {
        T *child = panel->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s on the panel", name);
        return child;
    }

    std::optional<StandinFixture> standin;
    RecordingFatalEnd fatal;
    WatchedFetcher fetcher{fatal};
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    LookupState state;
    RecordingBrowserFactory recordingBrowsers;
    QWidget window;
    QWidget *panel = new QWidget(&window);
    QLabel *status = new QLabel(&window);
    ToolContext context;

private:
    BrowserFactory *browsersFor(const ToolPanelOptions &options)
    {
        if (options.browsers)
            return options.browsers;
        return options.recordingBrowsers ? &recordingBrowsers : nullptr;
    }
};

// The rig with a tool that needs nothing but the panel and the context, the
// window shown once the tool is made.
template <typename Tool> struct ToolOnPanel : ToolPanelRig {
    explicit ToolOnPanel(const ToolPanelOptions &options = {}) : ToolPanelRig(options) { show(); }
    Tool tool{panel, context};
};
