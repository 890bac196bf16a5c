#pragma once

#include "StandinServer.h"
#include "WebEngineBrowserFactory.h"

#include <QApplication>
#include <QTest>

// main() of a test that drives real browser views against the stand-in server.
//
//     class TestX : public QObject {
//         Q_OBJECT
//     public:
//         TestX(StandinServer &standin, BrowserFactory &browsers);
//         ...
//     };
//     KORDELVANE_BROWSER_TEST_MAIN(TestX)
//
// Chromium takes its proxy from QTWEBENGINE_CHROMIUM_FLAGS once, when Qt
// WebEngine starts, so the server is started first (it answers from its own
// threads and needs no application object), its port put into the flags, and
// only then the application made. One server serves the whole run: tests set
// their routes on it. The page fetch goes through the same server (http_proxy).
namespace BrowserTestMain
{

template <class TestObject> int run(int argc, char *argv[])
{
    StandinServer standin;
    standin.loadRoutes(StandinServer::sourceDir());
    if (!standin.start())
        qFatal("stand-in server did not start");
    qputenv("http_proxy", standin.proxyAddress());
    qunsetenv("no_proxy");
    qunsetenv("NO_PROXY");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    flags += " --proxy-server=127.0.0.1:" + QByteArray::number(standin.port()) + " --disable-gpu";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());

    WebEngineBrowserFactory::prepareApplication();
    QApplication app(argc, argv);
    int result = 0;
    {
        WebEngineBrowserFactory browsers;
        TestObject test(standin, browsers);
        result = QTest::qExec(&test, argc, argv);
    }
    standin.stop();
    return result;
}

} // namespace BrowserTestMain

#define KORDELVANE_BROWSER_TEST_MAIN(TestObject)                                                                       \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        return BrowserTestMain::run<TestObject>(argc, argv);                                                           \
    }
