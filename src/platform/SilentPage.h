#pragma once

#include <QWebEnginePage>

// A page that never shows anything of its own: script dialogs, certificate
// and permission prompts, log-in boxes, file pickers and new windows are all
// answered here without a word, the way the program's tiny views were set
// silent. A script's confirm() and prompt() are answered "cancel".
class SilentPage : public QWebEnginePage
{
    Q_OBJECT
public:
    SilentPage(QWebEngineProfile *profile, QObject *parent);

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                            const QStringList &acceptedMimeTypes) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceID) override;
};
