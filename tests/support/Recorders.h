#pragma once

#include "FatalEnd.h"
#include "MessageBoxes.h"
#include "ShellOpen.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Stand-ins for the things a person would see or the desktop would do, so a
// test can read what the program asked for.

struct RecordedBox {
    MessageBoxes::Icon icon;
    QString title;
    QString text;
};

class RecordingMessageBoxes : public MessageBoxes
{
public:
    void show(Icon icon, const QString &title, const QString &text, QWidget *owner = nullptr) override
    {
        Q_UNUSED(owner);
        boxes.append({icon, title, text});
        if (onShow)
            onShow(boxes.last());
    }
    QList<RecordedBox> boxes;
    // Runs while the box would be open (the program waits on it).
    std::function<void(const RecordedBox &)> onShow;
};

class RecordingShellOpen : public ShellOpen
{
public:
    void open(const QString &target) override { opened.append(target); }
    bool start(const QString &program) override
    {
        started.append(program);
        return startSucceeds;
    }
    QStringList opened;
    QStringList started;
    bool startSucceeds = true;
};

// Thrown where the program would have ended.
struct ProgramEnded {
    QString title;
    QString text;
};

class RecordingFatalEnd : public FatalEnd
{
public:
    [[noreturn]] void showAndEnd(const char *title, const char *text) override
    {
        ++count;
        throw ProgramEnded{QString::fromUtf8(title), QString::fromUtf8(text)};
    }
    int count = 0;
};
