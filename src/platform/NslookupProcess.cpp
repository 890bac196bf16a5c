#include "NslookupProcess.h"

NslookupProcess::NslookupProcess(QString program) : m_program(std::move(program)) {}

NslookupProcess::~NslookupProcess()
{
    stop();
}

bool NslookupProcess::start(const QString &domain, const QString &outputPath)
{
    stop();
    m_process.setProgram(m_program);
    m_process.setArguments({domain});
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setStandardOutputFile(outputPath, QIODevice::Truncate);
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QIODevice::ReadOnly);
    return m_process.waitForStarted();
}

bool NslookupProcess::running() const
{
    return m_process.state() != QProcess::NotRunning;
}

void NslookupProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished();
}
