#pragma once

#include "ProgramFolder.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

class Clock;
class MainWindowHost;
class MessageBoxes;
class PageFetcher;
class ProgramEnd;
class QLabel;
class ShellOpen;

// The start-up window: a frameless splash with one status line. The program
// creates it first; Form_Initialize runs the whole start-up sequence (version
// notice, own address and its location into the main window's location line,
// installation checks, first-run greeting) and hands over to the main window.
//
//     Form6 form6(fetcher, boxes, shell, ProgramFolder(), mainWindow, clock, programEnd);
//     form6.Form_Initialize();
class Form6 : public QWidget
{
    Q_OBJECT
public:
    Form6(PageFetcher &fetcher, MessageBoxes &boxes, ShellOpen &shell, const ProgramFolder &folder,
          MainWindowHost &mainWindow, Clock &clock, ProgramEnd &programEnd, QWidget *parent = nullptr);

    // The start-up sequence; returns after the main window is shown. Ends the
    // program (through ProgramEnd) when an installation file is missing.
    void Form_Initialize();

    // Waits until the clock, read in whole seconds, has counted the given
    // seconds on from now, while window events go on being processed; a
    // one-second pause lasts up to a second, less when it starts part-way
    // into one.
    void WaitSeconds(int seconds);

    // The program's page on the download site, in the user's browser.
    void OpenDownloadPage();

    QLabel *Label1() const { return m_label1; }

    static const QString ConnectingText;
    static const QString CheckingFilesText;
    static const QString FirstRunMarker; // "\Reg.key"
    static const QString FirstRunMarkerLine;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setStatus(const QString &text);
    void checkForNewerVersion();
    QString lookUpLocationLine();
    void checkInstallation();
    void greetFirstRun();

    PageFetcher &m_fetcher;
    MessageBoxes &m_boxes;
    ShellOpen &m_shell;
    ProgramFolder m_folder;
    MainWindowHost &m_mainWindow;
    Clock &m_clock;
    ProgramEnd &m_programEnd;

    QPixmap m_splash;
    QLabel *m_label1 = nullptr;

    // The page fetched last and the own address cut from it.
    QString m_pageText;
    QString m_ownAddress;
};
