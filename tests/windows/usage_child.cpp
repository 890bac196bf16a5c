// One run of the program's paid-services box: opens it once against the
// stand-in (through http_proxy) and prints its usage line.
#include "BoxFatalEnd.h"
#include "Form2.h"
#include "PageFetcher.h"
#include "RunRandom.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BoxFatalEnd fatalEnd;
    PageFetcher fetcher(fatalEnd);
    RunRandom random;
    // The box unloads itself when closed, as it does in the program.
    auto *box = new Form2(fetcher, random);
    box->show();
    box->activateWindow();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (box->Label10()->text().startsWith(QStringLiteral("上周共有 "))) {
            std::printf("%s\n", box->Label10()->text().toUtf8().constData());
            std::fflush(stdout);
            box->close();
            app.quit();
        }
    });
    poll.start(10);
    QTimer::singleShot(30000, &app, [&] { app.exit(1); });
    return app.exec();
}
