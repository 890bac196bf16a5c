#pragma once

#include <QFile>
#include <QString>

#include <chrono>
#include <cstdio>
#include <functional>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A FIFO made beside a regular file, to take the file's name at the moment
// the file is opened (rename(2) over it, as a second process would do
// between the look at the path and the open). An open that waits for a
// writer would wait for good: finishesWithin() bounds the code under test
// and, past the bound, opens the FIFO for writing so that a blocked open
// returns and the test fails instead of stalling.
class FifoSwap
{
public:
    explicit FifoSwap(const QString &path)
        : m_path(QFile::encodeName(path)), m_fifo(QFile::encodeName(path + QStringLiteral(".fifo")))
    {
        m_valid = ::mkfifo(m_fifo.constData(), 0600) == 0;
    }

    bool isValid() const { return m_valid; }

    // The FIFO takes the file's name; the file is gone.
    void swapIn() { m_swapped = ::rename(m_fifo.constData(), m_path.constData()) == 0; }
    // The other kind of file the tables name takes the file's name: "fifo",
    // or "device" (a link to /dev/null, a character device).
    void swapIn(const QString &kind)
    {
        if (kind == QStringLiteral("fifo")) {
            swapIn();
            return;
        }
        const QByteArray link = m_path + ".link";
        m_swapped = ::symlink("/dev/null", link.constData()) == 0 && ::rename(link.constData(), m_path.constData()) == 0;
    }
    bool swapped() const { return m_swapped; }

    // Runs work on a thread of its own; true when it ended within bound.
    bool finishesWithin(std::chrono::milliseconds bound, const std::function<void()> &work)
    {
        std::packaged_task<void()> task(work);
        std::future<void> done = task.get_future();
        std::thread thread(std::move(task));
        const bool inTime = done.wait_for(bound) == std::future_status::ready;
        // A reader blocked in open() on the FIFO returns once a writer opens it.
        for (int tries = 0; !inTime && done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready;
             ++tries) {
            if (tries == 100)
                qFatal("the code under test stays blocked on the FIFO");
            const int writer = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0)
                ::close(writer);
        }
        thread.join();
        return inTime;
    }

private:
    QByteArray m_path;
    QByteArray m_fifo;
    bool m_valid = false;
    bool m_swapped = false;
};
