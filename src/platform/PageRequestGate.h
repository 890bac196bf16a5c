#pragma once

#include <QWebEngineUrlRequestInterceptor>

// Lets a page's requests out while open; while closed every request the page
// makes (a document, a picture, a script's fetch) is blocked before it leaves.
class PageRequestGate : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void setOpen(bool open) { m_open = open; }
    bool isOpen() const { return m_open; }

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    bool m_open = true;
};
