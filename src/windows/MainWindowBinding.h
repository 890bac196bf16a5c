#pragma once

#include "MainWindowHost.h"
#include "ProgramFolder.h"
#include "SecondaryWindows.h"

#include <memory>

class BrowserFactory;
class Form1;
class MessageBoxes;
class PageFetcher;
class RunRandom;
class ShellOpen;

// The main window as the start-up window sees it: made and loaded, still
// hidden, by the first location write, shown at the hand-over. It also
// connects the main window's menu entries and fourth tab to the windows they
// show.
class MainWindowBinding : public MainWindowHost
{
public:
    struct Services {
        PageFetcher &fetcher;
        MessageBoxes &boxes;
        ShellOpen &shell;
        ProgramFolder folder;
        BrowserFactory *browsers = nullptr;
        RunRandom &random;
    };
    explicit MainWindowBinding(const Services &services);
    ~MainWindowBinding() override;

    void writeLocation(const QString &line) override;
    void showMain() override;
    bool isLoaded() const override { return m_form1 != nullptr; }

    // Hidden at every activation of the main window.
    void setStartupWindow(QWidget *startup);

    Form1 *form1() const { return m_form1.get(); }
    SecondaryWindows *secondaryWindows() const { return m_secondary.get(); }

private:
    void load();

    Services m_services;
    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<SecondaryWindows> m_secondary;
    QWidget *m_startup = nullptr;
};
