#pragma once

#include "StandinServer.h"

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>

#include <algorithm>

// For the tests that start the program itself and watch it through the
// stand-in: whether the program has asked the host for a path, and an end
// to the program that does not wait for ever.
inline bool seen(const StandinServer &server, const QString &host, const QByteArray &path)
{
    const QList<StandinServer::Request> requests = server.requests();
    return std::any_of(requests.begin(), requests.end(), [&](const StandinServer::Request &r) {
        return r.host == host && r.pathAndQuery.startsWith(path);
    });
}

inline void endProgram(QProcess &program)
{
    program.terminate();
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished();
    }
}
