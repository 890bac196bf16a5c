#pragma once

#include "BrowserView.h"

#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <optional>

class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;
class SilentPage;

// A browser view over Qt WebEngine: one QWebEngineView at the design place
// showing one silent page, both owned by the parent widget through the view.
// Navigations reuse the page; a page that failed (its load ran out of time, a
// step in it ran out of time, its process ended) is ended and a fresh one,
// with the same settings, gate and bounds, takes its place.
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
    // A fresh silent page on profile, shown by the view and wired to it.
    void makePage(QWebEngineProfile *profile);
    // The page failed: it goes, with every frame and script of it, and a
    // fresh one takes its place; the document counts as unreadable until the
    // next navigation. A load still running completes now as failed when
    // completeLoad says so.
    void endPage(bool completeLoad);
    // A step asked during load number load ran out of time.
    void stepTimedOut(quint64 load);
    // The program acts on the page again: a held page runs once more.
    void release();
    // Whether page steps may run: not on an ended page (its load or a step
    // ran out of time, or its process ended) until the next load.
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
    // The address of an ended page, shown as the current one until the next
    // navigation.
    QUrl m_endedUrl;
    // Counts the loads, the program's navigations and the page's own (a form
    // sent by a click): a step asked before the latest one no longer speaks
    // for the document the page holds now.
    quint64 m_loads = 0;
    bool m_closing = false;
    bool m_loaded = false;
    bool m_unreadable = false;
    QTimer *m_loadTimer = nullptr;
    std::chrono::milliseconds m_readTimeLimit = ReadTimeLimit;
    std::chrono::milliseconds m_loadTimeLimit = LoadTimeLimit;
};
