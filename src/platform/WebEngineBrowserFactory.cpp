#include "WebEngineBrowserFactory.h"

#include "RendererBounds.h"
#include "WebEngineBrowserView.h"

#include <QCoreApplication>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWidget>

WebEngineBrowserFactory::WebEngineBrowserFactory() = default;

void WebEngineBrowserFactory::prepare()
{
    if (m_profile)
        return;
    m_profile = new QWebEngineProfile();
    // Every query asks the service again: the same address (the barcode form
    // at each activation, the same number twice) must not come from a cache.
    m_profile->setHttpCacheType(QWebEngineProfile::NoCache);
    // Nothing a page offers for download is ever saved or asked about.
    QObject::connect(m_profile, &QWebEngineProfile::downloadRequested, m_profile,
                     [](QWebEngineDownloadRequest *download) { download->cancel(); });
}

WebEngineBrowserFactory::~WebEngineBrowserFactory()
{
    delete m_profile;
}

BrowserView *WebEngineBrowserFactory::create(QWidget *parent, const QRect &designPlace)
{
    prepare();
    auto *view = new WebEngineBrowserView(m_profile, parent, designPlace);
    // The views are a few pixels square and their pages are never meant to be
    // seen: they lie under the panel's own controls.
    view->widget()->lower();
    return view;
}

void WebEngineBrowserFactory::prepareApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    RendererBounds::addEngineSwitches();
}
