#pragma once

#include "LookupProcess.h"

#include <QProcess>

// nslookup started directly, without a shell: the domain is its one
// argument, passed as typed, so nothing in it is read as a command. Its
// standard input is empty, so it never waits for commands of its own; what it
// writes to standard error is dropped, as only its answer is wanted.
class NslookupProcess : public LookupProcess
{
public:
    // program: the lookup program to start, "nslookup" found on the PATH.
    explicit NslookupProcess(QString program = QStringLiteral("nslookup"));
    ~NslookupProcess() override;

    bool start(const QString &domain, const QString &outputPath) override;
    bool running() const override;
    void stop() override;

private:
    QString m_program;
    QProcess m_process;
};
