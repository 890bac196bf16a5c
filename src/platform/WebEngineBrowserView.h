#pragma once

#include "BrowserView.h"

#include <QPointer>
#include <QTimer>
#include <QVariant>

#include <functional>
#include <optional>

class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;
class SilentPage;

// A browser view over Qt WebEngine: one QWebEngineView at the design place,
// with one silent page for its whole life (navigations reuse it), both owned
// by the parent widget through the view.
class WebEngineBrowserView : public BrowserView
{
    Q_OBJECT
public:
    WebEngineBrowserView(QWebEngineProfile *profile, QWidget *parent, const QRect &designPlace);
    ~WebEngineBrowserView() override;

    void Navigate(const QString &url) override;
    QString currentUrl() const override;
    QWidget *widget() override;
    bool documentLoaded() const override { return m_loaded; }
    void holdPage() override;

    void bodyText(TextReply reply) override;
    void elementText(const QString &id, TextReply reply) override;
    void clickElement(const QString &idOrName, DoneReply reply) override;
    void hasElement(const QString &idOrName, DoneReply reply) override;
    void setValueByName(const QString &name, const QString &value, DoneReply reply) override;
    void clickNth(Collection collection, const QString &key, int index, DoneReply reply) override;
    void countByTagName(const QString &tagName, CountReply reply) override;
    void firstImagePicture(PictureReply reply) override;

    // How long a page step (a read, a click, a count) may take before it
    // counts as failed; ReadTimeLimit unless a test asks for less.
    void setReadTimeLimit(std::chrono::milliseconds limit) { m_readTimeLimit = limit; }
    // How long a load may take from its navigation to its completion before
    // it is stopped and completes as failed; LoadTimeLimit unless a test
    // asks for less.
    void setLoadTimeLimit(std::chrono::milliseconds limit) { m_loadTimeLimit = limit; }

private:
    void onLoadingChanged(const QWebEngineLoadingInfo &info);
    void startLoadTimeLimit();
    void loadTimedOut();
    void onRenderProcessTerminated(int status);
    // The program acts on the page again: a held page runs once more.
    void release();
    // Whether page steps may run: not on a document whose load ran out of
    // time, nor on one whose page process has ended.
    bool readable() const { return !m_unreadable; }
    void onTitleChanged(const QString &title);
    void run(const QString &script, std::function<void(const QVariant &)> answer);
    // A single-shot timer that calls expired once the time limit has passed;
    // the caller deletes it (through the guard) when its step settles first.
    QPointer<QTimer> startTimeLimit(std::function<void()> expired);
    // The script's answer, or nothing once the time limit has passed first.
    void runWithin(const QString &script, std::function<void(std::optional<QVariant>)> answer);
    void runForText(const QString &script, TextReply reply);
    void runForDone(const QString &script, DoneReply reply);
    void pictureFromSavedPage(const QString &address, PictureReply reply);

    QWebEngineView *m_view = nullptr;
    SilentPage *m_page = nullptr;
    bool m_closing = false;
    bool m_loaded = false;
    bool m_unreadable = false;
    QTimer *m_loadTimer = nullptr;
    std::chrono::milliseconds m_readTimeLimit = ReadTimeLimit;
    std::chrono::milliseconds m_loadTimeLimit = LoadTimeLimit;
};
