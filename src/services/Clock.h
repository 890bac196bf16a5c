#pragma once

#include <QDateTime>

// The local date and time, read by the start-up pause. Tests hand in a clock
// that moves on by itself, so the pause takes no real time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() = 0;

    // The reading with its fraction of a second dropped. The pause counts
    // whole seconds only, so a one-second pause ends when the second count
    // moves on: after anything from a millisecond to a full second.
    QDateTime nowWholeSeconds()
    {
        const QDateTime reading = now();
        return reading.addMSecs(-reading.time().msec());
    }
};

class SystemClock : public Clock
{
public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
};
