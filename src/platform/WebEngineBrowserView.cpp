#include "WebEngineBrowserView.h"

#include "PageLimits.h"
#include "PageScripts.h"
#include "RendererBounds.h"
#include "RenderedText.h"
#include "SavedPage.h"
#include "SilentPage.h"

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

WebEngineBrowserView::WebEngineBrowserView(QWebEngineProfile *profile, QWidget *parent, const QRect &designPlace)
{
    m_view = new QWebEngineView(parent);
    // This object and the page go with the view when the parent widget goes.
    setParent(m_view);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_view->setGeometry(designPlace);
    m_loadTimer = new QTimer(this);
    m_loadTimer->setSingleShot(true);
    connect(m_loadTimer, &QTimer::timeout, this, &WebEngineBrowserView::loadTimedOut);
    makePage(profile);
    m_view->show();
}

void WebEngineBrowserView::makePage(QWebEngineProfile *profile)
{
    m_page = new SilentPage(profile, this);
    m_view->setPage(m_page);
    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebEngineBrowserView::onLoadingChanged);
    // Each page process gets its memory bound as it starts.
    connect(m_page, &QWebEnginePage::renderProcessPidChanged, this,
            [](qint64 pid) { RendererBounds::limitPageProcess(pid); });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                onRenderProcessTerminated(static_cast<int>(status));
            });
    connect(m_page, &QWebEnginePage::titleChanged, this, &WebEngineBrowserView::onTitleChanged);
}

void WebEngineBrowserView::endPage(bool completeLoad)
{
    const bool loading = m_loadTimer->isActive() && !m_page->isHeld();
    m_unreadable = true;
    m_loaded = false;
    m_loadTimer->stop();
    // Stopping the load and switching scripts off leave a script that is
    // already running (a "for (;;) {}") running, and a navigation to the same
    // site would wait behind it in the same process. Only the page's end stops
    // it: with the page go its frames, and with them the page's processes
    // (each page has processes of its own; see tst_browserview), which
    // Chromium then shuts down. The fresh page starts its own process at the
    // next navigation. Deleted later: this may run inside a signal of the page.
    SilentPage *ended = m_page;
    if (!ended->url().isEmpty())
        m_endedUrl = ended->url();
    disconnect(ended, nullptr, this, nullptr);
    makePage(ended->profile());
    ended->deleteLater();
    if (completeLoad && loading)
        emit documentComplete();
}

void WebEngineBrowserView::stepTimedOut(quint64 load)
{
    // A step asked of a document the page has left since says nothing about
    // the one it holds now; a load still running has its own bound. Steps
    // asked with this one, still waiting, find the page ended already.
    if (load != m_loads || m_unreadable)
        return;
    endPage(true);
}

WebEngineBrowserView::~WebEngineBrowserView()
{
    // Script answers still on their way find the view gone and are dropped.
    m_closing = true;
}

void WebEngineBrowserView::onTitleChanged(const QString &title)
{
    // Until a page names itself, Chromium shows its address without the
    // scheme ("www.example.cn") as its title; the old browser control showed
    // the whole address there, and that is what title readers expect to skip.
    const QUrl address = m_page->url();
    QString shown = address.toDisplayString(QUrl::RemoveScheme);
    if (shown.startsWith(QStringLiteral("//")))
        shown.remove(0, 2);
    // The slash after a bare host is left out, one after a path is kept.
    const bool isAddress = title == shown || title + u'/' == shown;
    if (!title.isEmpty() && isAddress && !address.scheme().isEmpty()) {
        emit titleChanged(address.toString());
        return;
    }
    emit titleChanged(title);
}

void WebEngineBrowserView::Navigate(const QString &url)
{
    // The program loads the view again: a held page runs once more, under
    // the new load's time limit.
    m_unreadable = false;
    m_endedUrl.clear();
    ++m_loads;
    release();
    startLoadTimeLimit();
    // An address without its scheme ("www.example.cn", as a user types it)
    // is taken as http, as the old browser control took it.
    m_page->load(QUrl::fromUserInput(url));
}

void WebEngineBrowserView::startLoadTimeLimit()
{
    m_loadTimer->start(m_loadTimeLimit);
}

void WebEngineBrowserView::loadTimedOut()
{
    // The page never completed: it is ended and completes as a failed load,
    // and nothing is read from it, so the waiting tool takes its path for an
    // unreadable page.
    endPage(false);
    emit documentComplete();
}

void WebEngineBrowserView::onRenderProcessTerminated(int status)
{
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    // The page went past a bound (or crashed): its document is gone. A load
    // still running completes now as failed; one already complete has
    // nothing left to read. What is left of the page (its frames in other
    // processes) goes with it.
    endPage(true);
}

void WebEngineBrowserView::holdPage()
{
    m_loadTimer->stop();
    m_page->setHeld(true);
}

void WebEngineBrowserView::release()
{
    // A page whose load ran out of time stays stopped until the next
    // navigation: a click on it fails anyway.
    if (m_unreadable)
        return;
    m_page->setHeld(false);
}

QString WebEngineBrowserView::currentUrl() const
{
    return (m_page->url().isEmpty() ? m_endedUrl : m_page->url()).toString();
}

QWidget *WebEngineBrowserView::widget()
{
    return m_view;
}

void WebEngineBrowserView::onLoadingChanged(const QWebEngineLoadingInfo &info)
{
    // A held page completes nothing: what it still reports is the end of a
    // load it was stopped in.
    if (m_page->isHeld())
        return;
    // A load the page starts by itself (a form sent by a click, a redirect)
    // runs under the time limit of the navigation before it, or its own.
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        ++m_loads;
        m_unreadable = false;
        if (!m_loadTimer->isActive())
            startLoadTimeLimit();
        return;
    }
    // A page that came and a load that failed (the view then shows its error
    // page) both complete the document; a load stopped by the next navigation
    // does not, so a tool takes the page it asked for last. The time limit
    // runs on over a stopped load: only a completion ends it.
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ||
        info.status() == QWebEngineLoadingInfo::LoadFailedStatus) {
        // Every load runs under the limit; the end of one already settled
        // (its page process ended first) completes nothing more.
        if (!m_loadTimer->isActive())
            return;
        m_loadTimer->stop();
        m_loaded = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus;
        emit documentComplete();
    }
}

void WebEngineBrowserView::run(const QString &script, std::function<void(const QVariant &)> answer)
{
    QPointer<WebEngineBrowserView> self(this);
    // Our own script world: the page's scripts cannot redefine what ours call.
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [self, answer](const QVariant &result) {
        if (self && !self->m_closing)
            answer(result);
    });
}

QPointer<QTimer> WebEngineBrowserView::startTimeLimit(std::function<void()> expired)
{
    // The timer runs here on the window's side, so it fires even while the
    // page itself hangs. A page that has not answered in time is ended before
    // the step fails, so the tool's failure path finds the view ready for its
    // next navigation.
    auto *timer = new QTimer(this);
    timer->setSingleShot(true);
    const quint64 load = m_loads;
    connect(timer, &QTimer::timeout, this, [this, timer, expired, load] {
        timer->deleteLater();
        stepTimedOut(load);
        expired();
    });
    timer->start(m_readTimeLimit);
    return timer;
}

void WebEngineBrowserView::runWithin(const QString &script, std::function<void(std::optional<QVariant>)> answer)
{
    if (!readable()) {
        // Later, from the event loop, as every answer comes.
        QTimer::singleShot(0, this, [answer] { answer(std::nullopt); });
        return;
    }
    // The first of the answer and the time limit settles the step; the other
    // finds it settled and does nothing.
    auto settled = std::make_shared<bool>(false);
    const QPointer<QTimer> guard = startTimeLimit([settled, answer] {
        if (*settled)
            return;
        *settled = true;
        answer(std::nullopt);
    });
    run(script, [settled, answer, guard](const QVariant &result) {
        // Stopped at once: a time limit firing after the answer would end a
        // page that did answer.
        if (guard) {
            guard->stop();
            guard->deleteLater();
        }
        if (*settled)
            return;
        *settled = true;
        answer(result);
    });
}

void WebEngineBrowserView::runForText(const QString &script, TextReply reply)
{
    runWithin(script, [reply](const std::optional<QVariant> &result) {
        if (!reply)
            return;
        if (result && result->typeId() == QMetaType::QString && result->toString().size() <= kMaxMarkupBytes)
            reply(RenderInnerText(result->toString()));
        else
            reply(std::nullopt);
    });
}

void WebEngineBrowserView::runForDone(const QString &script, DoneReply reply)
{
    runWithin(script, [reply](const std::optional<QVariant> &result) {
        if (reply)
            reply(result && result->typeId() == QMetaType::Bool && result->toBool());
    });
}

void WebEngineBrowserView::bodyText(TextReply reply)
{
    runForText(PageScripts::bodyMarkup(kMaxMarkupBytes), std::move(reply));
}

void WebEngineBrowserView::elementText(const QString &id, TextReply reply)
{
    runForText(PageScripts::elementMarkup(id, kMaxMarkupBytes), std::move(reply));
}

void WebEngineBrowserView::clickElement(const QString &idOrName, DoneReply reply)
{
    release();
    runForDone(PageScripts::clickByIdOrName(idOrName), std::move(reply));
}

void WebEngineBrowserView::hasElement(const QString &idOrName, DoneReply reply)
{
    runForDone(PageScripts::hasIdOrName(idOrName), std::move(reply));
}

void WebEngineBrowserView::setValueByName(const QString &name, const QString &value, DoneReply reply)
{
    release();
    runForDone(PageScripts::setValueByName(name, value), std::move(reply));
}

void WebEngineBrowserView::clickNth(Collection collection, const QString &key, int index, DoneReply reply)
{
    release();
    runForDone(collection == Collection::ByName ? PageScripts::clickNthByName(key, index)
                                                : PageScripts::clickNthByTagName(key, index),
               std::move(reply));
}

void WebEngineBrowserView::countByTagName(const QString &tagName, CountReply reply)
{
    runWithin(PageScripts::countByTagName(tagName), [reply](const std::optional<QVariant> &answer) {
        if (!reply)
            return;
        if (!answer)
            return reply(std::nullopt);
        const QVariant &result = *answer;
        bool ok = false;
        const int count = result.toInt(&ok);
        if (ok && result.typeId() != QMetaType::UnknownType && result.typeId() != QMetaType::Nullptr)
            reply(count);
        else
            reply(std::nullopt);
    });
}

void WebEngineBrowserView::firstImagePicture(PictureReply reply)
{
    // The page draws its own image into a canvas and hands over the PNG, so
    // the picture comes without the clipboard.
    QPointer<WebEngineBrowserView> self(this);
    runWithin(PageScripts::firstImageDataUrl(), [self, reply](const std::optional<QVariant> &answer) {
        if (!reply)
            return;
        if (!answer || !self)
            return reply(std::nullopt);
        const QVariant &result = *answer;
        if (result.typeId() == QMetaType::QVariantMap) {
            // The canvas refuses a picture from another site.
            return self->pictureFromSavedPage(result.toMap().value(QStringLiteral("src")).toString(), reply);
        }
        if (result.typeId() != QMetaType::QString)
            return reply(std::nullopt);
        static const QString prefix = QStringLiteral("data:image/png;base64,");
        const QString data = result.toString();
        if (!data.startsWith(prefix))
            return reply(QImage());
        reply(QImage::fromData(QByteArray::fromBase64(data.mid(prefix.size()).toLatin1()), "PNG"));
    });
}

// The page is saved as one MHTML file into a folder of its own, and the
// picture's bytes are taken from it: the bytes the page was given, with no
// new request to the site (a captcha asked for again would be another one)
// and without the user's clipboard. Bounded in time and size like a text
// read; a save that fails or does not finish in time gives a null picture.
void WebEngineBrowserView::pictureFromSavedPage(const QString &address, PictureReply reply)
{
    auto folder = std::make_shared<QTemporaryDir>();
    if (!folder->isValid() || address.isEmpty())
        return reply(QImage());
    const QString path = folder->filePath(QStringLiteral("page.mhtml"));

    auto settled = std::make_shared<bool>(false);
    auto watch = std::make_shared<QMetaObject::Connection>();
    QPointer<WebEngineBrowserView> self(this);
    auto finish = [self, settled, watch, folder, reply](const QImage &picture) {
        if (*settled)
            return;
        *settled = true;
        QObject::disconnect(*watch);
        folder->remove();
        // The save may end after the view is gone: its answer is dropped then.
        if (self && !self->m_closing)
            reply(picture);
    };

    const QPointer<QTimer> guard = startTimeLimit([finish] { finish(QImage()); });

    QWebEnginePage *page = m_page;
    *watch = connect(page->profile(), &QWebEngineProfile::downloadRequested, this,
                     [page, path, address, finish, guard, watch](QWebEngineDownloadRequest *download) {
                         if (download->page() != page || !download->isSavePageDownload())
                             return;
                         QObject::disconnect(*watch);
                         const auto done = [download, path, address, finish, guard] {
                             if (!download->isFinished())
                                 return;
                             if (guard) {
                                 guard->stop();
                                 guard->deleteLater();
                             }
                             QImage picture;
                             QFile file(path);
                             if (download->state() == QWebEngineDownloadRequest::DownloadCompleted
                                 && file.open(QIODevice::ReadOnly) && file.size() <= kMaxSavedPageBytes) {
                                 if (const auto bytes = SavedPage::partFor(file.read(kMaxSavedPageBytes), address))
                                     picture = QImage::fromData(*bytes);
                             }
                             finish(picture);
                         };
                         QObject::connect(download, &QWebEngineDownloadRequest::isFinishedChanged, download, done);
                         done();
                     });
    page->save(path, QWebEngineDownloadRequest::MimeHtmlSaveFormat);
}
