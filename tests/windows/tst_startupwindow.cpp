// The start-up sequence, run for real against the stand-in server in a
// temporary program folder.
#include "Endpoints.h"
#include "GbkCodec.h"
#include "RenderedText.h"
#include "ShortFetchBounds.h"
#include "StartupHarness.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace
{

const QString OwnAddress = QStringLiteral("203.0.113.57"); // the committed own-address page's
const QString CommittedLocation = QStringLiteral("广东省深圳市 电信");
const QString GraphicLost = QStringLiteral("Graphic资源丢失！您可能从小网站下载了本软件。请重新下载本软件！");

// "http://host/path?query" -> host and path as the stand-in records them.
QString hostOf(const QString &url)
{
    return QUrl(url).host();
}
QByteArray pathOf(const QString &url)
{
    const QString host = hostOf(url);
    return url.mid(QStringLiteral("http://").size() + host.size()).toUtf8();
}

QStringList requestsSeen(const StandinServer &server)
{
    QStringList seen;
    for (const StandinServer::Request &request : server.requests())
        seen.append(request.host + QString::fromUtf8(request.pathAndQuery));
    return seen;
}

QString seenAs(const QString &url)
{
    return hostOf(url) + QString::fromUtf8(pathOf(url));
}

void routeNotice(StandinServer &server, const QString &markup)
{
    server.setRoute(hostOf(Endpoints::versionNotice()), pathOf(Endpoints::versionNotice()),
                    StandinServer::html(markup));
}

void routeOwnAddress(StandinServer &server, const QString &markup)
{
    server.setRoute(hostOf(Endpoints::ownAddress()), pathOf(Endpoints::ownAddress()), StandinServer::html(markup));
}

void routeLocation(StandinServer &server, const QString &address, const QString &markup)
{
    const QString url = Endpoints::ipLocation(address);
    server.setRoute(hostOf(url), pathOf(url), StandinServer::html(markup));
}

// The calls without the location text, for tests about other steps (the
// location line itself is checked by the tests about it).
QStringList steps(const QStringList &events)
{
    QStringList shape;
    for (const QString &event : events)
        shape.append(event.startsWith(QStringLiteral("location:")) ? QStringLiteral("location") : event);
    return shape;
}

QString versionMessageText(const QString &newest)
{
    return QStringLiteral("您使用的Orvalent版本是：5.5，最新版本是：") + newest +
           QStringLiteral("，为保证所有功能正常使用，请及时更新到最新版本，旧版可能会有部分功能无法使用，下载地址见官网"
                          "或使用在线升级功能。\r");
}

const QString Greeting =
    QStringLiteral("您好！欢迎使用Orvalent软件，本软件为绿色软件，可以自由拷贝传播！\r\n"
                   "由于您是第一次使用本软件或本软件的最新版本，建议您阅读目录下的产品说明书（产品说明书."
                   "pdf）了解常见Orvan技巧与软件使用方法及一些注意事项，帮助您快速了解本软件。\r\n"
                   "最后，感谢您使用Orvalent软件，祝您使用愉快！");

// Calls back for every paint event the application delivers.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(std::function<void(QObject *)> onPaint) : m_onPaint(std::move(onPaint)) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_onPaint(watched);
        return false;
    }

private:
    std::function<void(QObject *)> m_onPaint;
};

// A clock that moves one millisecond on after every reading and keeps its
// first and its latest reading.
class MillisecondClock : public Clock
{
public:
    explicit MillisecondClock(const QDateTime &start) : m_current(start) {}
    QDateTime now() override
    {
        if (!first.isValid())
            first = m_current;
        last = m_current;
        m_current = m_current.addMSecs(1);
        return last;
    }
    QDateTime first;
    QDateTime last;

private:
    QDateTime m_current;
};

} // namespace

Q_DECLARE_METATYPE(StandinServer::Response)

class TestForm6 : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_standin = std::make_unique<StandinFixture>(); }
    void cleanup() { m_standin.reset(); }

    void handsOverWithTheLocation()
    {
        StartupHarness startup;
        startup.layOut();
        bool splashShownAtWrite = false;
        QString statusAtWrite;
        bool splashShownAtShow = true;
        QString statusAtShow;
        int statusCentreAtShow = 0;
        startup.mainWindow.onWrite = [&] {
            splashShownAtWrite = startup.form->isVisible();
            statusAtWrite = startup.form->Label1()->text();
        };
        startup.mainWindow.onShow = [&] {
            splashShownAtShow = startup.form->isVisible();
            statusAtShow = startup.form->Label1()->text();
            statusCentreAtShow = startup.form->Label1()->geometry().center().x();
        };
        startup.run();

        QVERIFY(!startup.ended);
        QVERIFY(!startup.fatalEnded);
        const QStringList expected = {seenAs(Endpoints::versionNotice()), seenAs(Endpoints::ownAddress()),
                                      seenAs(Endpoints::ipLocation(OwnAddress)),
                                      seenAs(Endpoints::ipLocation(OwnAddress))};
        QCOMPARE(requestsSeen(m_standin->server), expected);
        QCOMPARE(startup.mainWindow.events,
                 (QStringList{"load", QStringLiteral("location:") + CommittedLocation, "show"}));
        QVERIFY(startup.boxes.boxes.isEmpty());
        QVERIFY(startup.shell.opened.isEmpty());
        QVERIFY(splashShownAtWrite);
        QCOMPARE(statusAtWrite, QStringLiteral("正在连接云数据中心并检查软件版本中......"));
        QVERIFY(!splashShownAtShow);
        QCOMPARE(statusAtShow, QStringLiteral("正在校验文件完整性......"));
        QVERIFY(qAbs(statusCentreAtShow - 263) <= 1);
        // The pause ran on the clock: read first at 09:00:00.250, it counts
        // whole seconds and ends at the reading of 09:00:01.000, the fourth.
        QCOMPARE(startup.clock.reads, 4);
    }

    void secondLocationAnswerIsRead()
    {
        StartupHarness startup;
        startup.layOut();
        routeLocation(m_standin->server, OwnAddress, QStringLiteral("<div>本站主数据：第一次回答<br>\r\n</div>"));
        int locationRequests = 0;
        startup.fetcher.afterFetch = [&](const QString &url) {
            if (url == Endpoints::ipLocation(OwnAddress) && ++locationRequests == 1)
                routeLocation(m_standin->server, OwnAddress,
                              QStringLiteral("<div>本站主数据：第二次回答<br>\r\n参考数据</div>"));
        };
        startup.run();
        QCOMPARE(locationRequests, 2);
        QCOMPARE(startup.mainWindow.events, (QStringList{"load", "location:第二次回答", "show"}));
    }

    void locationOfTheOwnAddress_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("address");
        QTest::newRow("marker") << "<div>您的IP地址是：[1.2.3.4] 来自：北京市</div>"
                                << "1.2.3.4";
        // Without its marker the address is cut from position 9.
        QTest::newRow("no marker") << "<div>abcdefghij]</div>"
                                   << "ij";
    }
    void locationOfTheOwnAddress()
    {
        QFETCH(QString, markup);
        QFETCH(QString, address);
        StartupHarness startup;
        startup.layOut();
        routeOwnAddress(m_standin->server, markup);
        routeLocation(m_standin->server, address,
                      QStringLiteral("<div>本站主数据：北京市 联通<br>\r\n参考数据一：北京市</div>"));
        startup.run();
        const QStringList seen = requestsSeen(m_standin->server);
        QCOMPARE(seen.mid(2),
                 (QStringList{seenAs(Endpoints::ipLocation(address)), seenAs(Endpoints::ipLocation(address))}));
        QCOMPARE(startup.mainWindow.events, (QStringList{"load", "location:北京市 联通", "show"}));
    }

    void versionMessage_data()
    {
        QTest::addColumn<QString>("newest");
        QTest::addColumn<bool>("shown");
        QTest::newRow("5.6") << "5.6" << true;
        QTest::newRow("6.0") << "6.0" << true;
        QTest::newRow("5.5a") << "5.5a" << true;
        QTest::newRow("5.5 with a blank") << "5.5 " << true;
        QTest::newRow("5.5") << "5.5" << false;
        QTest::newRow("5.10") << "5.10" << false;
        QTest::newRow("10.0") << "10.0" << false;
        QTest::newRow("5") << "5" << false;
        QTest::newRow("empty") << "" << false;
    }
    void versionMessage()
    {
        QFETCH(QString, newest);
        QFETCH(bool, shown);
        StartupHarness startup;
        startup.layOut();
        routeNotice(m_standin->server,
                    QStringLiteral("<div>The Newest Vision：") + newest +
                        QStringLiteral("########</div><div>###Update Text###<br>\r\n说明<br>\r\n#End#</div>"));
        int requestsAtBox = -1;
        bool splashShownAtBox = false;
        startup.boxes.onShow = [&](const RecordedBox &) {
            requestsAtBox = static_cast<int>(m_standin->server.requests().size());
            splashShownAtBox = startup.form->isVisible();
        };
        startup.run();
        QCOMPARE(startup.mainWindow.events.last(), QStringLiteral("show"));
        if (!shown) {
            QVERIFY(startup.boxes.boxes.isEmpty());
            return;
        }
        QCOMPARE(startup.boxes.boxes.size(), 1);
        const RecordedBox box = startup.boxes.boxes.first();
        QCOMPARE(box.icon, MessageBoxes::Icon::Information);
        QCOMPARE(box.title, QStringLiteral("版本信息"));
        QCOMPARE(box.text, versionMessageText(newest));
        // Over the splash, after the notice and before the own address.
        QVERIFY(splashShownAtBox);
        QCOMPARE(requestsAtBox, 1);
    }

    void unreadableNoticeShowsNoMessage_data()
    {
        QTest::addColumn<QString>("markup");
        // Without its marker the version is cut from position 18: here the
        // "########" stands before that, so there is no cut.
        QTest::newRow("no start marker, ######## before 18")
            << "<div>Newest：5.6########</div><div>###Update Text###<br>\r\n说明<br>\r\n#End#</div>";
        QTest::newRow("end marker first") << "<div>########</div><div>The Newest Vision：6.0</div>";
        QTest::newRow("no end marker") << "<div>The Newest Vision：6.0</div>";
        QTest::newRow("error page") << "<html><body><h1>404 Not Found</h1></body></html>";
    }
    void unreadableNoticeShowsNoMessage()
    {
        QFETCH(QString, markup);
        StartupHarness startup;
        startup.layOut();
        routeNotice(m_standin->server, markup);
        startup.run();
        QVERIFY(startup.boxes.boxes.isEmpty());
        QCOMPARE(requestsSeen(m_standin->server).size(), 4);
        QCOMPARE(steps(startup.mainWindow.events), (QStringList{"load", "location", "show"}));
    }

    void noticeWithoutMarkerIsCutFrom18()
    {
        StartupHarness startup;
        startup.layOut();
        routeNotice(m_standin->server, QStringLiteral("<div>0123456789ABCDEFG6.0########</div>"));
        startup.run();
        QCOMPARE(startup.boxes.boxes.size(), 1);
        QCOMPARE(startup.boxes.boxes.first().text, versionMessageText(QStringLiteral("6.0")));
        QCOMPARE(startup.mainWindow.events.last(), QStringLiteral("show"));
    }

    void ownAddressNotCut_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::newRow("no marker, ] before 9") << "<div>abc]defghij</div>";
        QTest::newRow("] before the marker") << "<div>[首页] 您的IP地址是：[1.2.3.4]</div>";
        QTest::newRow("no ]") << "<div>您的IP地址是：[1.2.3.4</div>";
    }
    void ownAddressNotCut()
    {
        QFETCH(QString, markup);
        StartupHarness startup;
        startup.layOut();
        routeOwnAddress(m_standin->server, markup);
        startup.run();
        // Nothing to locate: no location request, an empty location line.
        QCOMPARE(requestsSeen(m_standin->server),
                 (QStringList{seenAs(Endpoints::versionNotice()), seenAs(Endpoints::ownAddress())}));
        QCOMPARE(startup.mainWindow.events, (QStringList{"load", "location:", "show"}));
        QVERIFY(!startup.ended);
    }

    void locationLine_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("line");
        QTest::newRow("line then CR LF")
            << "<div>查询结果</div><div>本站主数据：江苏省南京市 联通<br>\r\n参考数据一：江苏省</div>"
            << "江苏省南京市 联通";
        // Without its marker the line is cut from position 6.
        QTest::newRow("no marker") << "<div>ABCDEFGHIJ first line</div><div>second line</div>"
                                   << "FGHIJ first line";
        QTest::newRow("no line break after the marker") << "<div>本站主数据：江苏省南京市</div>"
                                                        << "";
        QTest::newRow("empty page") << ""
                                    << "";
    }
    void locationLine()
    {
        QFETCH(QString, markup);
        QFETCH(QString, line);
        StartupHarness startup;
        startup.layOut();
        routeLocation(m_standin->server, OwnAddress, markup);
        startup.run();
        QVERIFY(!startup.ended);
        QCOMPARE(startup.mainWindow.events, (QStringList{"load", QStringLiteral("location:") + line, "show"}));
    }

    void firstRunGreeting()
    {
        StartupHarness startup;
        startup.layOut({}, false);
        const QString marker = startup.folder.path(QStringLiteral("\\Reg.key"));
        bool markerAtBox = true;
        QStringList eventsAtBox;
        startup.boxes.onShow = [&](const RecordedBox &) {
            markerAtBox = QFileInfo::exists(marker);
            eventsAtBox = startup.mainWindow.events;
        };
        startup.run();
        QCOMPARE(startup.boxes.boxes.size(), 1);
        QCOMPARE(startup.boxes.boxes.first().icon, MessageBoxes::Icon::Information);
        QCOMPARE(startup.boxes.boxes.first().title, QStringLiteral("Orvalent"));
        QCOMPARE(startup.boxes.boxes.first().text, Greeting);
        // After the checks, before the hand-over; the file comes after the box.
        QCOMPARE(steps(eventsAtBox), (QStringList{"load", "location"}));
        QVERIFY(!markerAtBox);
        QFile file(marker);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readLine()).trimmed(), QStringLiteral("Zavoz Software"));
        QCOMPARE(startup.mainWindow.events.last(), QStringLiteral("show"));

        // The next start in the same folder greets no more.
        StartupHarness again(startup.folder.root());
        again.run();
        QVERIFY(again.boxes.boxes.isEmpty());
        QCOMPARE(again.mainWindow.events.last(), QStringLiteral("show"));
    }

    void markerThatCannotBeWritten()
    {
        // A folder in the marker's place: the marker is not present, and
        // cannot be written; the greeting comes and the program goes on.
        StartupHarness startup;
        startup.layOut({}, false);
        QVERIFY(QDir().mkpath(startup.folder.path(QStringLiteral("\\Reg.key"))));
        startup.run();
        QCOMPARE(startup.boxes.boxes.size(), 1);
        QCOMPARE(startup.boxes.boxes.first().title, QStringLiteral("Orvalent"));
        QVERIFY(!startup.ended);
        QCOMPARE(startup.mainWindow.events.last(), QStringLiteral("show"));
    }

    void installationFileMissing_data()
    {
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QString>("folderInstead");
        QTest::addColumn<QString>("message");
        QTest::newRow("Set.jpg") << QStringList{"\\IMG\\Set.jpg"} << QString() << GraphicLost;
        QTest::newRow("Set.jpg is a folder") << QStringList{"\\IMG\\Set.jpg"} << "\\IMG\\Set.jpg" << GraphicLost;
        QTest::newRow("manual") << QStringList{"\\使用说明书.pdf"} << QString()
                                << "数据文件丢失！您可能从小网站下载了本软件。请重新下载本软件！";
        QTest::newRow("sibling tool") << QStringList{"\\Tessaview.exe"} << QString()
                                      << "相关组件丢失！您可能从小网站下载了本软件。请重新下载本软件！";
        QTest::newRow("the first check wins")
            << QStringList{"\\Tessaview.exe", "\\IMG\\JB.jpg"} << QString() << GraphicLost;
    }
    void installationFileMissing()
    {
        QFETCH(QStringList, missing);
        QFETCH(QString, folderInstead);
        QFETCH(QString, message);
        StartupHarness startup;
        startup.layOut(missing, false);
        if (!folderInstead.isEmpty())
            QVERIFY(QDir().mkpath(startup.folder.path(folderInstead)));
        QStringList openedAtBox{"<not shown>"};
        startup.boxes.onShow = [&](const RecordedBox &) { openedAtBox = startup.shell.opened; };
        startup.run();

        QVERIFY(startup.ended);
        QCOMPARE(startup.programEnd.count, 1);
        QCOMPARE(startup.boxes.boxes.size(), 1);
        QCOMPARE(startup.boxes.boxes.first().icon, MessageBoxes::Icon::Critical);
        QCOMPARE(startup.boxes.boxes.first().title, QStringLiteral("程序损坏"));
        QCOMPARE(startup.boxes.boxes.first().text, message);
        // The box first, then the download page.
        QVERIFY(openedAtBox.isEmpty());
        QCOMPARE(startup.shell.opened, QStringList{Endpoints::downloadPage()});
        // The main window was loaded for the location line, and never shown.
        QCOMPARE(steps(startup.mainWindow.events), (QStringList{"load", "location"}));
        QVERIFY(!QFileInfo::exists(startup.folder.path(QStringLiteral("\\Reg.key"))));
    }

    void handOverUnloadsTheSplash()
    {
        StartupHarness startup;
        startup.layOut();
        QPointer<Form6> form = new Form6(startup.fetcher, startup.boxes, startup.shell, startup.folder,
                                         startup.mainWindow, startup.clock, startup.programEnd);
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->Form_Initialize();
        QCOMPARE(startup.mainWindow.events.last(), QStringLiteral("show"));
        QVERIFY(form && !form->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.isNull());
    }

    void failedFetchEndsBeforeAnything()
    {
        StartupHarness startup;
        startup.layOut();
        m_standin->server.setRoute(hostOf(Endpoints::versionNotice()), pathOf(Endpoints::versionNotice()),
                                   StandinServer::closeWithoutAnswer());
        startup.run();
        QVERIFY(startup.fatalEnded);
        QCOMPARE(startup.fatalEnd.count, 1);
        QVERIFY(!startup.mainWindow.loaded);
        QVERIFY(startup.boxes.boxes.isEmpty());
        QCOMPARE(requestsSeen(m_standin->server).size(), 1);
    }

    // A notice service that accepts and then hardly answers: the splash is
    // painted while the fetch waits, and the fetch's bound ends the start in
    // the fatal box.
    void slowNoticeEndsInTheFatalBox_data()
    {
        // Which bound ends the start is told by the other one: the row about
        // the stall has a total far beyond it, the trickle's bytes come well
        // inside its stall bound.
        QTest::addColumn<StandinServer::Response>("notice");
        QTest::addColumn<int>("stallMs");
        QTest::addColumn<int>("totalMs");
        QTest::addColumn<int>("boundMs"); // the one that ends the fetch
        QTest::newRow("never answers") << StandinServer::stall() << 1500 << 120000 << 1500;
        QTest::newRow("a byte every 200 ms")
            << StandinServer::trickle(Gbk::encode(QStringLiteral("The Newest Vision：5.6########")).repeated(100), 200)
            << 5000 << 5000 << 5000;
    }
    void slowNoticeEndsInTheFatalBox()
    {
        QFETCH(StandinServer::Response, notice);
        QFETCH(int, stallMs);
        QFETCH(int, totalMs);
        QFETCH(int, boundMs);
        const FetchBounds bounds = ShortFetchBounds(stallMs, totalMs);
        StartupHarness startup(QString(), bounds);
        startup.layOut();
        m_standin->server.setRoute(hostOf(Endpoints::versionNotice()), pathOf(Endpoints::versionNotice()), notice);
        // Paints of the splash once the notice's request has reached the service.
        int paintsWhileWaiting = 0;
        const StandinServer &server = m_standin->server;
        PaintCounter counter([&](QObject *watched) {
            if (qobject_cast<Form6 *>(watched) && !server.requests().isEmpty())
                ++paintsWhileWaiting;
        });
        qApp->installEventFilter(&counter);
        QElapsedTimer waited;
        waited.start();
        startup.run();
        qApp->removeEventFilter(&counter);
        QVERIFY(startup.fatalEnded);
        QCOMPARE(startup.fatalEnd.count, 1);
        // libcurl's own clock for its bounds may end a few milliseconds early.
        QVERIFY2(waited.elapsed() >= boundMs - 50, qPrintable(QString::number(waited.elapsed())));
        // Ended by its bound, not by the other one nor by the end of the
        // notice (3,000 bytes 200 ms apart). The margin is wide on purpose: a
        // loaded machine may run the fetch's clock seconds late.
        QVERIFY2(waited.elapsed() < boundMs * 3 + 10000, qPrintable(QString::number(waited.elapsed())));
        QVERIFY2(paintsWhileWaiting >= 3, qPrintable(QString::number(paintsWhileWaiting)));
        QVERIFY(!startup.mainWindow.loaded);
        QVERIFY(startup.boxes.boxes.isEmpty());
        QCOMPARE(requestsSeen(m_standin->server), QStringList{seenAs(Endpoints::versionNotice())});
    }

    void makerPagesServedFromTheSite_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("published");
        QTest::newRow("version notice") << Endpoints::versionNotice() << "site/version.htm";
        QTest::newRow("usage figure") << Endpoints::usageFigure() << "site/usage.htm";
        QTest::newRow("download page") << Endpoints::downloadPage() << "site/download.htm";
    }
    void makerPagesServedFromTheSite()
    {
        QFETCH(QString, url);
        QFETCH(QString, published);
        QFile file(qEnvironmentVariable("KORDELVANE_SOURCE_DIR") + QLatin1Char('/') + published);
        QVERIFY(file.open(QIODevice::ReadOnly));
        RecordingFatalEnd fatalEnd;
        PageFetcher fetcher(fatalEnd);
        const QString text = fetcher.fetchPageText(url);
        QVERIFY(!text.isEmpty());
        QCOMPARE(text, RenderInnerText(QString::fromUtf8(file.readAll())));
    }

    void waitKeepsEventsFlowing()
    {
        StartupHarness startup;
        Form6 form(startup.fetcher, startup.boxes, startup.shell, startup.folder, startup.mainWindow, startup.clock,
                   startup.programEnd);
        bool delivered = false;
        QTimer::singleShot(0, &form, [&delivered] { delivered = true; });
        const QDateTime before = startup.clock.current;
        form.WaitSeconds(1);
        QVERIFY(delivered);
        QVERIFY(startup.clock.current >= before.addSecs(1));
        QVERIFY(startup.clock.current <= before.addSecs(1).addMSecs(500));
    }

    // The pause reads the clock in whole seconds: it ends when the second
    // count moves on, so its length is what was left of the starting second.
    void pauseLength_data()
    {
        QTest::addColumn<int>("startFraction"); // ms into the second
        QTest::addColumn<int>("length");        // ms
        QTest::newRow(".000") << 0 << 1000;
        QTest::newRow(".031") << 31 << 969;
        QTest::newRow(".208") << 208 << 792;
        QTest::newRow(".346") << 346 << 654;
        QTest::newRow(".620") << 620 << 380;
        QTest::newRow(".999") << 999 << 1;
    }
    void pauseLength()
    {
        QFETCH(int, startFraction);
        QFETCH(int, length);
        StartupHarness startup;
        MillisecondClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 0, 5, startFraction)));
        Form6 form(startup.fetcher, startup.boxes, startup.shell, startup.folder, startup.mainWindow, clock,
                   startup.programEnd);
        form.WaitSeconds(1);
        QCOMPARE(clock.first.msecsTo(clock.last), length);
        QCOMPARE(clock.last.time(), QTime(9, 0, 6));
    }

    void windowAsDesigned()
    {
        StartupHarness startup;
        Form6 form(startup.fetcher, startup.boxes, startup.shell, startup.folder, startup.mainWindow, startup.clock,
                   startup.programEnd);
        QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(form.size(), QSize(517, 304));
        QVERIFY(form.windowIcon().availableSizes().contains(QSize(32, 32)));
        QLabel *label = form.Label1();
        // Sized to its text, centred on its design place (112, 240, 302 x 22).
        QCOMPARE(label->y(), 240);
        QVERIFY(qAbs(label->geometry().center().x() - 263) <= 1);
        QCOMPARE(label->width(), label->sizeHint().width());
        QCOMPARE(label->text(), QStringLiteral("正在连接云数据中心并检查软件版本中......"));
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().pointSize(), 12);
        // The splash is painted: the corner is the picture's deep blue, not
        // the plain window colour.
        const QImage shot = form.grab().toImage();
        const QRgb corner = shot.pixel(4, 4);
        QVERIFY2(qBlue(corner) > qRed(corner) + 40, qPrintable(QString::number(corner, 16)));
        // The status text is white on the picture.
        QVERIFY(label->palette().color(QPalette::WindowText) == Qt::white ||
                label->styleSheet().contains(QStringLiteral("#FFFFFF")));
    }

private:
    std::unique_ptr<StandinFixture> m_standin;
};

QTEST_MAIN(TestForm6)
#include "tst_startupwindow.moc"
