#pragma once

#include "StandinServer.h"

#include <QtGlobal>

// A started stand-in server with the committed routes, set as the page
// fetch's proxy for as long as the fixture lives.
class StandinFixture
{
public:
    StandinFixture()
    {
        server.loadRoutes(StandinServer::sourceDir());
        if (!server.start())
            qFatal("stand-in server did not start");
        m_oldProxy = qgetenv("http_proxy");
        qputenv("http_proxy", server.proxyAddress());
        qunsetenv("no_proxy");
        qunsetenv("NO_PROXY");
    }
    ~StandinFixture()
    {
        server.stop();
        if (m_oldProxy.isEmpty())
            qunsetenv("http_proxy");
        else
            qputenv("http_proxy", m_oldProxy);
    }
    StandinServer server;

private:
    QByteArray m_oldProxy;
};
