#include "AfterFirstPaint.h"
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
#include "QtTranslations.h"
#include "RepaintShownWindows.h"
#include "RunRandom.h"
#include "ShellOpen.h"
#include "WebEngineBrowserFactory.h"

#include <QApplication>
#include <QLoggingCategory>

// The program starts at the start-up window: it checks for a newer version,
// puts the user's location into the main window, checks the program folder,
// greets a first run and shows the main window.
int main(int argc, char *argv[])
{
    // The web engine lists its settings (GL, sandbox, switches) as
    // information at every start; its warnings and errors still show. Set
    // before the engine starts; a user's QT_LOGGING_RULES come after these
    // rules and so still decide.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false\n"
                                                    "qt.webenginecontext.debug=false"));
    WebEngineBrowserFactory::prepareApplication();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Kordelvane"));
    // The installed desktop entry's name: desktops match the windows to it.
    app.setDesktopFileName(QStringLiteral("cn.zavoz_soft.Orvalent"));
    InstallQtChineseTranslations(app);
    Fonts::install();
    app.setWindowIcon(ProgramIcon());

    BoxFatalEnd fatalEnd;
    // While a fetch waits, the shown windows are painted again and nothing else runs.
    PageFetcher fetcher(fatalEnd, FetchBounds{}, RepaintShownWindows);
    QtMessageBoxes boxes;
    DesktopShellOpen shell;
    SystemClock clock;
    ExitProgramEnd programEnd;
    const ProgramFolder folder;
    RunRandom random;
    // Every embedded browser of the program shares this factory's profile; it
    // outlives the windows that hold the views. The profile is made once the
    // splash is on the screen, during its one-second pause.
    WebEngineBrowserFactory browsers;
    MainWindowBinding mainWindow({fetcher, boxes, shell, folder, &browsers, random});

    // The start-up window unloads itself when it hands over.
    auto *form6 = new Form6(fetcher, boxes, shell, folder, mainWindow, clock, programEnd);
    form6->setAttribute(Qt::WA_DeleteOnClose);
    mainWindow.setStartupWindow(form6);
    new AfterFirstPaint(form6, [&browsers] { browsers.prepare(); });
    form6->Form_Initialize();

    return app.exec();
}
