#include "WebEngineBrowserFactory.h"

#include "WebEngineBrowserView.h"

#include <QCoreApplication>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

WebEngineBrowserFactory::WebEngineBrowserFactory() : m_profile(new QWebEngineProfile())
{
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
    return new WebEngineBrowserView(m_profile, parent, designPlace);
}

void WebEngineBrowserFactory::prepareApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}
