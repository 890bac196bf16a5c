#pragma once

#include <QWebEnginePage>

// A page that never shows anything of its own: script dialogs, certificate
// and permission prompts, log-in boxes, file pickers and new windows are all
// answered here without a word, the way the program's tiny views were set
// silent. A script's confirm() and prompt() are answered "cancel".
//
// Nothing a page could reach beyond its own web content is switched on: no
// unknown URL schemes, no file:// reading, no PDF viewer or plugins, no WebGL
// or accelerated canvas, no window opening, no navigation on a drop, no sound.
// Scripts, forms, images and cookies stay, as the tools need them.
//
// A held page (setHeld) stops: its loads end, and it makes no request,
// starts no navigation and runs no script of its own until it is released.
// The program's own scripts (in their own world) still read it.
class PageRequestGate;

class SilentPage : public QWebEnginePage
{
    Q_OBJECT
public:
    SilentPage(QWebEngineProfile *profile, QObject *parent);

    void setHeld(bool held);
    bool isHeld() const { return m_held; }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                            const QStringList &acceptedMimeTypes) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceID) override;

private:
    PageRequestGate *m_gate = nullptr;
    bool m_held = false;
};
