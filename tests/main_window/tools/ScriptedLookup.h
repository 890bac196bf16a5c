#pragma once

#include "LookupProcess.h"

#include <QString>

// A lookup that starts no program: it never writes an answer and counts as
// running until the tool stops it, so the tool's wait meets its bound without
// a child process, and the test sees whether the tool ended the lookup.
class ScriptedLookup : public LookupProcess
{
public:
    bool start(const QString &domain, const QString &) override
    {
        startedWith = domain;
        m_running = true;
        return true;
    }
    bool running() const override { return m_running; }
    void stop() override
    {
        ++stops;
        m_running = false;
    }

    QString startedWith;
    int stops = 0;

private:
    bool m_running = false;
};
