#include "BoxFatalEnd.h"
#include "MessageBoxes.h"
#include "PageFetcher.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Kordelvane"));
    BoxFatalEnd fatalEnd;
    PageFetcher fetcher(fatalEnd);
    QLabel placeholder(QStringLiteral("Orvalent"));
    placeholder.show();
    return app.exec();
}
