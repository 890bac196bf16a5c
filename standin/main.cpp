// The stand-in services for running the program here: serves the committed
// routes on 127.0.0.1 until it is stopped.
//
//     standin [PORT]      (default 8088)
#include "StandinServer.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const quint16 port = argc > 1 ? static_cast<quint16>(QByteArray(argv[1]).toUShort()) : 8088;
    StandinServer server;
    server.loadRoutes(StandinServer::sourceDir());
    if (!server.start(port)) {
        std::fprintf(stderr, "standin: cannot listen on 127.0.0.1:%u\n", port);
        return 1;
    }
    std::printf("standin: serving on %s\n", server.proxyAddress().constData());
    std::fflush(stdout);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    int received = 0;
    sigwait(&stopSignals, &received);
    server.stop();
    return 0;
}
