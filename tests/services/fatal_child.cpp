// Fetches from a port where nothing listens, with the program's own fatal end.
// The box is answered as soon as it is up; the parent test reads what was
// printed and how the process ended.
#include "BoxFatalEnd.h"
#include "PageFetcher.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            std::printf("box|%s|%s|%d\n", box->windowTitle().toUtf8().constData(), box->text().toUtf8().constData(),
                        int(box->icon()));
            std::fflush(stdout);
            // How much memory the fetch took before its box came up.
            rusage usage{};
            ::getrusage(RUSAGE_SELF, &usage);
            std::printf("peak-kib|%ld\n", usage.ru_maxrss);
            std::fflush(stdout);
            box->accept();
        }
    });
    answer.start(10);
    BoxFatalEnd fatalEnd;
    PageFetcher fetcher(fatalEnd);
    fetcher.fetchPageText(QString::fromLocal8Bit(argv[1]));
    std::printf("caller went on\n");
    return 3;
}
