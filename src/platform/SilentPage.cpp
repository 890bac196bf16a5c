#include "SilentPage.h"

#include "PageRequestGate.h"

#include <QAuthenticator>
#include <QWebEngineCertificateError>
#include <QWebEngineClientCertificateSelection>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineQuotaRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>

SilentPage::SilentPage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent)
{
    QWebEngineSettings *page = settings();
    // An address of a scheme the browser does not know (mailto:, a program's
    // own) would hand it to another program.
    page->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    page->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    page->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    page->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    page->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    page->setAttribute(QWebEngineSettings::WebGLEnabled, false);
    page->setAttribute(QWebEngineSettings::Accelerated2dCanvasEnabled, false);
    page->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    page->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    page->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    page->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    page->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    // A view a few pixels square must not take the keyboard from the panel.
    page->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    // The page's icon is never shown.
    page->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    setAudioMuted(true);

    m_gate = new PageRequestGate(this);
    setUrlRequestInterceptor(m_gate);

    // A bad certificate is refused, not asked about.
    connect(this, &QWebEnginePage::certificateError, this, [](const QWebEngineCertificateError &error) {
        QWebEngineCertificateError refused = error;
        refused.rejectCertificate();
    });
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, QWebEnginePage::Feature feature) {
                setFeaturePermission(origin, feature, QWebEnginePage::PermissionDeniedByUser);
            });
    connect(this, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::quotaRequested, this, [](QWebEngineQuotaRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::selectClientCertificate, this,
            [](QWebEngineClientCertificateSelection selection) { selection.selectNone(); });
    // A null authenticator cancels the log-in instead of asking for one.
    connect(this, &QWebEnginePage::authenticationRequired, this,
            [](const QUrl &, QAuthenticator *authenticator) { *authenticator = QAuthenticator(); });
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
            [](const QUrl &, QAuthenticator *authenticator, const QString &) { *authenticator = QAuthenticator(); });
}

void SilentPage::setHeld(bool held)
{
    if (held == m_held)
        return;
    m_held = held;
    m_gate->setOpen(!held);
    // Timers, handlers and a page's own fetches stop with its scripts; a
    // refresh or a redirect of its own is refused below.
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !held);
    if (held)
        triggerAction(QWebEnginePage::Stop);
}

bool SilentPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (m_held)
        return false;
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

QWebEnginePage *SilentPage::createWindow(WebWindowType)
{
    return nullptr;
}

QStringList SilentPage::chooseFiles(FileSelectionMode, const QStringList &, const QStringList &)
{
    return {};
}

void SilentPage::javaScriptAlert(const QUrl &, const QString &) {}

bool SilentPage::javaScriptConfirm(const QUrl &, const QString &)
{
    return false;
}

bool SilentPage::javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *)
{
    return false;
}

void SilentPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) {}
