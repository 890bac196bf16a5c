#include "BoxFatalEnd.h"
#include "Form1.h"
#include "MessageBoxes.h"
#include "PageFetcher.h"
#include "ProgramFolder.h"
#include "ShellOpen.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Kordelvane"));
    BoxFatalEnd fatalEnd;
    PageFetcher fetcher(fatalEnd);
    QtMessageBoxes boxes;
    DesktopShellOpen shell;
    const ProgramFolder folder;
    Form1 window(fetcher, boxes, shell, folder, nullptr);
    window.show();
    return app.exec();
}
