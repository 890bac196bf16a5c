#include "BoxFatalEnd.h"
#include "Clock.h"
#include "Fonts.h"
#include "Form6.h"
#include "MainWindowBinding.h"
#include "MessageBoxes.h"
#include "PageFetcher.h"
#include "ProgramEnd.h"
#include "ProgramFolder.h"
#include "ProgramIcon.h"
#include "RunRandom.h"
#include "ShellOpen.h"
#include "WebEngineBrowserFactory.h"

#include <QApplication>

// The program starts at the start-up window: it checks for a newer version,
// puts the user's location into the main window, checks the program folder,
// greets a first run and shows the main window.
int main(int argc, char *argv[])
{
    WebEngineBrowserFactory::prepareApplication();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Kordelvane"));
    Fonts::install();
    app.setWindowIcon(ProgramIcon());

    BoxFatalEnd fatalEnd;
    PageFetcher fetcher(fatalEnd);
    QtMessageBoxes boxes;
    DesktopShellOpen shell;
    SystemClock clock;
    ExitProgramEnd programEnd;
    const ProgramFolder folder;
    RunRandom random;
    // Every embedded browser of the program shares this factory's profile; it
    // outlives the windows that hold the views.
    WebEngineBrowserFactory browsers;
    MainWindowBinding mainWindow({fetcher, boxes, shell, folder, &browsers, random});

    // The start-up window unloads itself when it hands over.
    auto *form6 = new Form6(fetcher, boxes, shell, folder, mainWindow, clock, programEnd);
    form6->setAttribute(Qt::WA_DeleteOnClose);
    mainWindow.setStartupWindow(form6);
    form6->Form_Initialize();

    return app.exec();
}
