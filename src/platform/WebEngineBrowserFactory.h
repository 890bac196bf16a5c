#pragma once

#include "BrowserView.h"

class QWebEngineProfile;

// Makes the program's browser views over Qt WebEngine, all on one profile of
// its own that keeps nothing on disk. The factory must outlive every view it
// made (create it before the windows, as main() does).
//
// The profile starts Chromium, which takes a good part of a second, so it is
// made on demand: by the first view, or by prepare() once the start-up window
// is on the screen.
class WebEngineBrowserFactory : public BrowserFactory
{
public:
    WebEngineBrowserFactory();
    ~WebEngineBrowserFactory() override;
    WebEngineBrowserFactory(const WebEngineBrowserFactory &) = delete;
    WebEngineBrowserFactory &operator=(const WebEngineBrowserFactory &) = delete;

    BrowserView *create(QWidget *parent, const QRect &designPlace) override;

    // Makes the shared profile now, if no view has made it yet.
    void prepare();
    bool isPrepared() const { return m_profile != nullptr; }

    // Call before the QApplication is made: Qt WebEngine shares its GL
    // contexts with the widgets', and takes its switches (the bound on a
    // page's script heap) when it starts.
    static void prepareApplication();

private:
    QWebEngineProfile *m_profile = nullptr;
};
