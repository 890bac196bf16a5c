#pragma once

#include "BrowserView.h"
#include "ProcessStat.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QMap>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <unistd.h>

// What a page's render processes cost after the fact, read from /proc: a test
// notes the processes of the page a view shows while the page is in, and then
// asks whether those processes have ended or sit idle, so a page whose script
// runs on is told from one that was ended.
//
//     PageProcessWatch watch;
//     QTRY_VERIFY_WITH_TIMEOUT(failed() || (watch.note(view), false), 60000);
//     QTRY_VERIFY_WITH_TIMEOUT(watch.endedOrIdle(), 30000);
class PageProcessWatch
{
public:
    // The render process of the page the view shows now; 0 without one.
    static qint64 pidOf(BrowserView *view)
    {
        auto *shown = view ? qobject_cast<QWebEngineView *>(view->widget()) : nullptr;
        return shown && shown->page() ? shown->page()->renderProcessPid() : 0;
    }

    // Watches the process of the page the view shows now, when it has one.
    void note(BrowserView *view) { watch(pidOf(view)); }

    // Watches every render process under this one (those of a page's frames
    // from other sites too).
    void noteRenderers()
    {
        for (const qint64 pid : descendantsOf(QCoreApplication::applicationPid())) {
            QFile command(QStringLiteral("/proc/%1/cmdline").arg(pid));
            if (command.open(QIODevice::ReadOnly) && command.read(65536).contains("--type=renderer"))
                watch(pid);
        }
    }

    bool watches(qint64 pid) const
    {
        for (const Watched &one : m_watched)
            if (one.pid == pid)
                return true;
        return false;
    }
    bool isEmpty() const { return m_watched.isEmpty(); }

    // Every watched process is gone (or a zombie, or its id now names another
    // process), or its CPU time grew by less than a tenth of the time that
    // passed over the last IdleSpanMs or more. Meant to be polled.
    bool endedOrIdle()
    {
        if (m_watched.isEmpty())
            return false;
        if (!m_clock.isValid())
            m_clock.start();
        const qint64 at = m_clock.elapsed();
        const qint64 ticksPerSecond = ::sysconf(_SC_CLK_TCK);
        bool all = true;
        for (Watched &one : m_watched) {
            const Sample now = read(one.pid, one.start);
            if (!now.alive)
                continue;
            one.samples.append({at, now.ticks});
            bool idle = false;
            for (const auto &[then, ticks] : one.samples) {
                const qint64 span = at - then;
                idle = idle || (span >= IdleSpanMs && (now.ticks - ticks) * 1000 * 10 < span * ticksPerSecond);
            }
            all = all && idle;
        }
        return all;
    }

    static constexpr qint64 IdleSpanMs = 3000;

private:
    struct Sample {
        bool alive = false;
        qint64 parent = 0;
        qint64 ticks = 0;  // utime + stime
        quint64 start = 0; // start time, clock ticks after boot
    };
    struct Watched {
        qint64 pid = 0;
        quint64 start = 0;
        QList<std::pair<qint64, qint64>> samples; // (ms on m_clock, ticks)
    };

    void watch(qint64 pid)
    {
        if (pid <= 0 || watches(pid))
            return;
        const Sample sample = read(pid, 0);
        if (sample.alive)
            m_watched.append({pid, sample.start, {}});
    }

    // start: the start time the process must have (0: any). A zombie
    // counts as gone.
    static Sample read(qint64 pid, quint64 start)
    {
        const ProcessStat stat = readProcessStat(pid);
        if (!stat.read || stat.state == 'Z' || stat.state == 'X' || (start != 0 && stat.start != start))
            return {};
        return {true, stat.parent, stat.ticks, stat.start};
    }

    QList<Watched> m_watched;
    QElapsedTimer m_clock;
};
