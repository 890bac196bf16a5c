#pragma once

#include <QString>

// Opening a web page or document in the user's programs, and starting a
// program. Passed in through constructors; tests record the calls.
class ShellOpen
{
public:
    virtual ~ShellOpen() = default;
    // A web address or a file path, opened with the desktop's handler.
    virtual void open(const QString &target) = 0;
    // Starts a program detached, with no arguments. False when it did not start.
    virtual bool start(const QString &program) = 0;
};

// xdg-open through QDesktopServices and QProcess::startDetached.
class DesktopShellOpen : public ShellOpen
{
public:
    void open(const QString &target) override;
    bool start(const QString &program) override;
};
