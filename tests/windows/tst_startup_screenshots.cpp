// Runs the program's start-up as the run command does (the committed
// stand-in pages, a complete program folder, the program's main-window
// binding) and saves what a person sees: the splash while it waits, then the
// main window with the location in its status line.
//
//     build/screenshots/startup-splash.png
//     build/screenshots/startup-main.png
#include "Endpoints.h"
#include "Fonts.h"
#include "Form1.h"
#include "MainWindowBinding.h"
#include "RunRandom.h"
#include "Screenshots.h"
#include "StartupHarness.h"

#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QTimer>
#include <QtTest>

namespace
{

// The built program folder, copied, with the first-run marker of a user who
// has started the program before.
void copyProgramFolder(const QString &to)
{
    const QDir from(qEnvironmentVariable("KORDELVANE_PROGRAM_DIR"));
    QDirIterator it(from.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + from.relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
    QFile marker(to + QStringLiteral("/Reg.key"));
    marker.open(QIODevice::WriteOnly);
    marker.write("Zavoz Software\n");
}

} // namespace

class TestStartupScreenshots : public QObject
{
    Q_OBJECT
private slots:
    void splashThenMainWindow()
    {
        Fonts::install();
        StandinFixture standin;
        QTemporaryDir dir;
        copyProgramFolder(dir.path());

        RecordingMessageBoxes boxes;
        RecordingShellOpen shell;
        RecordingFatalEnd fatalEnd;
        PageFetcher fetcher(fatalEnd);
        SystemClock clock;
        RecordingProgramEnd programEnd;
        RunRandom random;
        MainWindowBinding mainWindow({fetcher, boxes, shell, ProgramFolder(dir.path()), nullptr, random});
        Form6 form6(fetcher, boxes, shell, ProgramFolder(dir.path()), mainWindow, clock, programEnd);

        // During the pause (which may be short: it ends at the clock's next
        // whole second) the splash is up.
        QImage splash;
        QTimer::singleShot(0, &form6, [&] { splash = form6.grab().toImage(); });
        form6.Form_Initialize();

        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(programEnd.count, 0);
        QVERIFY(!splash.isNull());
        QCOMPARE(splash.size(), QSize(517, 304));
        QVERIFY(splash.save(screenshotsDir() + QStringLiteral("/startup-splash.png")));

        QVERIFY(!form6.isVisible());
        QVERIFY(mainWindow.form1() && mainWindow.form1()->isVisible());
        QCOMPARE(mainWindow.form1()->Label2()->text(), QStringLiteral("广东省深圳市 电信"));
        const QImage main = mainWindow.form1()->grab().toImage();
        QVERIFY(main.save(screenshotsDir() + QStringLiteral("/startup-main.png")));
        qInfo("screenshots in %s", qPrintable(screenshotsDir()));
    }
};

QTEST_MAIN(TestStartupScreenshots)
#include "tst_startup_screenshots.moc"
