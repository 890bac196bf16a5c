// What one page costs the browser's processes: the peak memory (the sum of
// each Chromium child process's peak resident size, VmHWM) while a view loads
// a page, for a small page (the anchor), a 100 MiB page, a page whose script
// allocates in a loop and one whose script never ends; each in a view of the
// program (with its bounds) and in a bare QWebEngineView (no bounds, the
// program's figure before them). Once the load has its outcome the case runs
// on for 10 s and prints the CPU time Chromium's processes took meanwhile: a
// failed page that is ended takes none. Every case runs in a fresh process of
// its own, so its figures are its own.
//
//     QTWEBENGINE_DISABLE_SANDBOX=1 QT_QPA_PLATFORM=offscreen build/tests/platform/bench_browsermemory
//
// Not a test: it prints figures and passes nothing.
#include "BrowserView.h"
#include "ProcessStat.h"
#include "RendererBounds.h"
#include "StandinServer.h"
#include "WebEngineBrowserFactory.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>

#include <cstdio>

#include <unistd.h>

namespace
{

const QString Host = QStringLiteral("bench.test");

qint64 peakKilobytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// utime + stime of the process, clock ticks; -1 once it is gone.
qint64 cpuTicks(qint64 pid)
{
    const ProcessStat stat = readProcessStat(pid);
    return stat.read ? stat.ticks : -1;
}

// How long a case runs on once its load has its outcome.
constexpr int AfterOutcomeMs = 10000;

int runCase(int argc, char *argv[], const QString &page, bool bounded)
{
    StandinServer standin;
    standin.setRoute(Host, "/small.html", StandinServer::html(QStringLiteral("<p>small</p>")));
    standin.setRoute(Host, "/big.html",
                     StandinServer::generated("<div>lorem ipsum dolor sit amet, 0123456789</div>\n", qint64(100) << 20));
    standin.setRoute(Host, "/alloc.html",
                     StandinServer::html(QStringLiteral(
                         "<p>alloc</p><script>var keep = []; for (;;) keep.push(new Array(1 << 20).fill(1.5));</script>")));
    standin.setRoute(Host, "/loop.html", StandinServer::html(QStringLiteral("<p>loop</p><script>for (;;) {}</script>")));
    if (!standin.start())
        qFatal("stand-in server did not start");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    flags += " --proxy-server=127.0.0.1:" + QByteArray::number(standin.port()) + " --disable-gpu";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    if (bounded)
        WebEngineBrowserFactory::prepareApplication();
    else
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

    const QString address = QStringLiteral("http://") + Host + QStringLiteral("/") + page;
    QString outcome = QStringLiteral("no end in 120 s");
    QElapsedTimer clock;
    qint64 outcomeAt = -1;
    // The CPU ticks of every process at the outcome, and the last seen since.
    QMap<qint64, qint64> ticksAtOutcome;
    QMap<qint64, qint64> lastTicks;
    const auto settle = [&](const QString &what) {
        if (outcomeAt >= 0)
            return;
        outcome = what;
        outcomeAt = clock.elapsed();
        // A process already gone counts nothing after.
        ticksAtOutcome = lastTicks;
        for (qint64 pid : descendantsOf(QCoreApplication::applicationPid())) {
            const qint64 ticks = cpuTicks(pid);
            if (ticks >= 0)
                ticksAtOutcome.insert(pid, ticks);
        }
        QTimer::singleShot(AfterOutcomeMs, &app, &QCoreApplication::quit);
    };
    QWidget panel;
    panel.resize(100, 100);
    WebEngineBrowserFactory browsers;
    QWebEngineView *bare = nullptr;
    if (bounded) {
        BrowserView *view = browsers.create(&panel, QRect(0, 0, 17, 25));
        QObject::connect(view, &BrowserView::documentComplete, &app, [&settle, view] {
            settle(view->documentLoaded() ? QStringLiteral("loaded") : QStringLiteral("failed load"));
        });
        view->Navigate(address);
    } else {
        bare = new QWebEngineView(&panel);
        bare->setGeometry(0, 0, 17, 25);
        QObject::connect(bare, &QWebEngineView::loadFinished, &app, [&settle](bool ok) {
            settle(ok ? QStringLiteral("loaded") : QStringLiteral("failed load"));
        });
        QObject::connect(bare->page(), &QWebEnginePage::renderProcessTerminated, &app,
                         [&settle] { settle(QStringLiteral("page process ended")); });
        bare->load(QUrl(address));
    }
    panel.show();

    // Peaks of processes that end (a page process past its bound) are kept
    // from the last look before they went.
    QMap<qint64, qint64> peaks;
    const auto sample = [&peaks, &lastTicks] {
        for (qint64 pid : descendantsOf(QCoreApplication::applicationPid())) {
            const qint64 peak = peakKilobytes(pid);
            if (peak > peaks.value(pid, 0))
                peaks.insert(pid, peak);
            const qint64 ticks = cpuTicks(pid);
            if (ticks >= 0)
                lastTicks.insert(pid, ticks);
        }
    };
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, &app, sample);
    sampler.start(100);
    QTimer::singleShot(120000, &app, [&outcomeAt, &app] {
        if (outcomeAt < 0)
            app.quit();
    });
    clock.start();
    app.exec();
    sample();
    const qint64 end = clock.elapsed();
    qint64 total = 0;
    for (qint64 peak : peaks)
        total += peak;
    // A process ended meanwhile counts up to its last sample.
    QString after = QStringLiteral("-");
    if (outcomeAt >= 0) {
        qint64 ticks = 0;
        for (auto it = lastTicks.cbegin(); it != lastTicks.cend(); ++it)
            ticks += it.value() - ticksAtOutcome.value(it.key(), 0);
        after = QStringLiteral("%1 s in %2 s").arg(double(ticks) / ::sysconf(_SC_CLK_TCK), 0, 'f', 1)
                    .arg((end - outcomeAt) / 1000.0, 0, 'f', 1);
    }
    std::printf("%-11s %-8s %10.1f MiB  %-20s %6.1f s  CPU after: %-16s (%lld processes)\n", qPrintable(page),
                bounded ? "bounded" : "bare", total / 1024.0, qPrintable(outcome),
                (outcomeAt >= 0 ? outcomeAt : end) / 1000.0, qPrintable(after), static_cast<long long>(peaks.size()));
    std::fflush(stdout);
    delete bare;
    standin.stop();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 4 && QByteArray(argv[1]) == "--case")
        return runCase(argc, argv, QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]) == "bounded");

    std::printf("peak memory of the browser's processes (sum of VmHWM), one fresh process a case\n");
    std::printf("page        view           peak       outcome                time    CPU of Chromium's processes after it\n");
    std::fflush(stdout);
    for (const char *page : {"small.html", "big.html", "alloc.html", "loop.html"}) {
        for (const char *mode : {"bounded", "bare"}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedOutputChannel);
            child.start(QString::fromLocal8Bit(argv[0]),
                        {QStringLiteral("--case"), QString::fromLatin1(page), QString::fromLatin1(mode)});
            child.waitForFinished(-1);
        }
    }
    return 0;
}
