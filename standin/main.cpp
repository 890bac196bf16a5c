// The stand-in services for running the program here: serves the committed
// routes on 127.0.0.1 until it is stopped.
//
//     standin [PORT]      (default 8088)
#include "StandinServer.h"

#include <QCoreApplication>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    bool valid = true;
    const quint16 port = argc > 1 ? QByteArray(argv[1]).toUShort(&valid) : 8088;
    // Port 0 would listen on whatever port is free, where nobody looks.
    if (!valid || port == 0) {
        std::fprintf(stderr, "standin: \"%s\" is not a port number (1 to 65535)\n", argv[1]);
        return 2;
    }
    StandinServer server;
    server.loadRoutes(StandinServer::sourceDir());
    if (!server.start(port)) {
        const int error = errno;
        std::fprintf(stderr, "standin: cannot listen on 127.0.0.1:%u: %s\n", port, std::strerror(error));
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
