#pragma once

#include "BrowserView.h"

#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <unistd.h>

// What a page's render process costs after the fact, read from /proc: a test
// notes the process of the page a view shows while the page is in, and then
// asks whether that process has ended or sits idle, so a page whose script
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

    // Takes the view's page process, when it has one, as the one to watch.
    void note(BrowserView *view)
    {
        const qint64 pid = pidOf(view);
        if (pid <= 0 || pid == m_pid)
            return;
        const Sample sample = read(pid, 0);
        if (!sample.alive)
            return;
        m_pid = pid;
        m_start = sample.start;
        m_samples.clear();
    }

    qint64 pid() const { return m_pid; }

    // The process is gone (or a zombie, or its id now names another process),
    // or its CPU time grew by less than a tenth of the time that passed over
    // the last IdleSpanMs or more. Meant to be polled.
    bool endedOrIdle()
    {
        if (m_pid <= 0)
            return false;
        if (!m_clock.isValid())
            m_clock.start();
        const Sample now = read(m_pid, m_start);
        if (!now.alive)
            return true;
        const qint64 at = m_clock.elapsed();
        m_samples.append({at, now.ticks});
        const qint64 ticksPerSecond = ::sysconf(_SC_CLK_TCK);
        for (const auto &[then, ticks] : m_samples) {
            const qint64 span = at - then;
            if (span >= IdleSpanMs && (now.ticks - ticks) * 1000 * 10 < span * ticksPerSecond)
                return true;
        }
        return false;
    }

    static constexpr qint64 IdleSpanMs = 3000;

private:
    struct Sample {
        bool alive = false;
        qint64 ticks = 0;      // utime + stime
        quint64 start = 0;     // start time, clock ticks after boot
    };

    // start: the start time the process must have (0: any).
    static Sample read(qint64 pid, quint64 start)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return {};
        const QByteArray line = stat.read(4096);
        // The name in parentheses may hold blanks; the fields follow the last ')'.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        // From the state (field 3): utime is field 14, stime 15, starttime 22.
        if (fields.size() < 20 || fields.at(0) == "Z" || fields.at(0) == "X")
            return {};
        Sample sample;
        sample.start = fields.at(19).toULongLong();
        if (start != 0 && sample.start != start)
            return {};
        sample.alive = true;
        sample.ticks = fields.at(11).toLongLong() + fields.at(12).toLongLong();
        return sample;
    }

    qint64 m_pid = 0;
    quint64 m_start = 0;
    QElapsedTimer m_clock;
    QList<std::pair<qint64, qint64>> m_samples; // (ms on m_clock, ticks)
};
