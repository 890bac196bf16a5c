#pragma once

#include <QDateTime>

// The local date and time, read by the start-up pause. Tests hand in a clock
// that moves on by itself, so the pause takes no real time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() = 0;
};

class SystemClock : public Clock
{
public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
};
