#pragma once

#include <QString>

// What the start-up window needs of the main window, so it does not depend on
// the main window's class: the program binds Form1 behind this.
class MainWindowHost
{
public:
    virtual ~MainWindowHost() = default;
    // Form1.Label2's caption. The first call creates and loads the main window
    // (its load handler runs); it stays hidden.
    virtual void writeLocation(const QString &line) = 0;
    // Makes the main window visible and shows it, modeless (loads it first if
    // it is not loaded yet).
    virtual void showMain() = 0;
    virtual bool isLoaded() const = 0;
};
