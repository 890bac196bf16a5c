#include "Endpoints.h"
#include "HostLookupTool.h"
#include "IcmpEcho.h"
#include "IpLocation.h"
#include "NameLookup.h"
#include "ProgramVersion.h"
#include "ResultBox.h"
#include "SystemIcmpEcho.h"
#include "ToolPanelRig.h"
#include "Twips.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Nothing leaves the machine: the test answers the names itself, "localhost"
// with 127.0.0.1 and no other name, so echoes go to loopback only (a name
// without an address is never echoed), and every other address is answered
// by the echo double.
namespace {

int openDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size();
}

// The test's own resolver, noting each name it is asked: "localhost" is
// 127.0.0.1, any other name does not resolve, unless a fixed answer is set.
class RecordingNames : public NameLookup
{
public:
    std::optional<Ipv4Address> firstIpv4(const QString &name) override
    {
        asked.append(name);
        if (onLookup)
            onLookup();
        if (log)
            log->append(QStringLiteral("resolve"));
        if (fixed)
            return *fixed;
        if (name == QLatin1String("localhost"))
            return Ipv4Address{127, 0, 0, 1};
        return std::nullopt;
    }
    std::optional<Ipv4Address> fixed;
    QStringList asked;
    QStringList *log = nullptr;
    std::function<void()> onLookup;
};

// An echo that answers as told and writes what is done with it to a log.
class ScriptedEcho : public IcmpEcho
{
public:
    struct Sent {
        Ipv4Address destination;
        QByteArray data;
        int ttl;
        int timeoutMs;
    };
    class ScriptedHandle : public Handle
    {
    public:
        explicit ScriptedHandle(ScriptedEcho &echo) : m_echo(echo) {}
        ~ScriptedHandle() override { m_echo.log.append(QStringLiteral("close")); }
        std::optional<Reply> send(const Ipv4Address &destination, const QByteArray &data, int ttl, int timeoutMs) override
        {
            m_echo.log.append(QStringLiteral("send"));
            m_echo.sent.append({destination, data, ttl, timeoutMs});
            return m_echo.reply;
        }

    private:
        ScriptedEcho &m_echo;
    };

    std::unique_ptr<Handle> open() override
    {
        log.append(QStringLiteral("open"));
        if (!socketAvailable)
            return nullptr;
        return std::make_unique<ScriptedHandle>(*this);
    }
    bool socketAvailable = true;
    std::optional<Reply> reply;
    QList<Sent> sent;
    QStringList log;
};

// The panel with the system echo, or with a scripted one.
struct HostRig {
    ToolPanelRig rig{{.status = QStringLiteral("之前的状态")}};
    RecordingNames names;
    SystemIcmpEcho systemEcho;
    ScriptedEcho scripted;
    std::unique_ptr<HostLookupTool> tool;
    QLineEdit *txt = nullptr;
    QPushButton *cmd = nullptr;
    ResultBox *result = nullptr;

    explicit HostRig(bool scriptedEcho = false)
    {
        rig.server().setRoute(Endpoints::IpLocationHost, "/ips.asp?*", StandinServer::page("ip/location.html"));
        tool = std::make_unique<HostLookupTool>(rig.panel, rig.context, names,
                                                scriptedEcho ? static_cast<IcmpEcho &>(scripted) : systemEcho);
        txt = rig.find<QLineEdit>("txtZhuji");
        cmd = rig.find<QPushButton>("cmdZhuJiChaXun");
        result = rig.find<ResultBox>("txtZhuJiJG");
        rig.show();
    }
    void lookUp(const QString &name)
    {
        txt->setText(name);
        QTest::mouseClick(cmd, Qt::LeftButton);
    }
    void expectIdle()
    {
        QVERIFY(txt->isEnabled());
        QVERIFY(cmd->isEnabled());
    }
};

const QString Refused = QStringLiteral("refused");

} // namespace

Q_DECLARE_METATYPE(MessageBoxes::Icon)

class TestHostLookup : public QObject
{
    Q_OBJECT
private slots:
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void nameChecks_data();
    void nameChecks();
    void localhostIsEchoedAndLocated();
    void echoFailures_data();
    void echoFailures();
    void addressLineShowsTheHostThatReplied();
    void pageWithoutStartMarkerLeavesTheAddressLine();
    void repeatedLookupsLeaveNoOpenSockets();
};

void TestHostLookup::controlsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("sizesToContent");
    QTest::addColumn<QString>("text");
    QTest::newRow("lblZhuJiJS") << "lblZhuJiJS" << Twips::rect(1800, 840, 5055, 735) << false
                                << "    本功能可以查询您需要的网站服务器放置地点，如果与真实放置地点差的太远，"
                                   "则可能是骗子网站。本功能来自DNS域名解析和Orvalent云数据中心。";
    QTest::newRow("lblZZURL(0)") << "lblZZURL(0)" << Twips::rect(1680, 1800, 540, 255) << true << "网址：";
    QTest::newRow("txtZhuji") << "txtZhuji" << Twips::rect(2280, 1800, 3615, 375) << false << "";
    QTest::newRow("cmdZhuJiChaXun") << "cmdZhuJiChaXun" << Twips::rect(5880, 1800, 1095, 375) << false << "查询";
    QTest::newRow("lblZZURL(1)") << "lblZZURL(1)" << Twips::rect(1800, 2280, 1050, 285) << true << "查询结果：";
    QTest::newRow("Picture2(3)") << "Picture2(3)" << Twips::rect(1560, 2640, 240, 240) << true
                                 << "主机IP是当前解析的服务器IP地址，通过查询可以得出活动服务器的所在地。";
    QTest::newRow("txtZhuJiJG") << "txtZhuJiJG" << Twips::rect(1800, 2640, 5175, 1335) << false
                                << "    输入网站网址后按查询即可查询\r\n";
}

void TestHostLookup::controlsAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(bool, sizesToContent);
    QFETCH(QString, text);
    ToolPanelRig rig({.ownStandin = false});
    HostLookupTool tool(rig.panel, rig.context);
    rig.show();
    QWidget *control = rig.panel->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    if (sizesToContent)
        QCOMPARE(control->pos(), place.topLeft());
    else
        QCOMPARE(control->geometry(), place);
    const QString shown = shownText(control);
    QCOMPARE(shown, text);
}

void TestHostLookup::nameChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("boxTitle");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<bool>("reachesResolver");
    const QString timeoutTitle = HostLookupTool::TimeoutTitle;
    const QString timeout = HostLookupTool::timeoutText();
    QTest::newRow("3 characters") << "abc" << "错误" << HostLookupTool::TooShortText << false;
    QTest::newRow("4 characters go on") << "abcd" << timeoutTitle << timeout << true;
    QTest::newRow("64 characters go on as typed")
        << QString(56, QLatin1Char('a')) + QStringLiteral(".invalid") << timeoutTitle << timeout << true;
    QTest::newRow("65 characters do not fit the name buffer")
        << QString(57, QLatin1Char('a')) + QStringLiteral(".invalid") << "错误" << HostLookupTool::TooLongText << false;
    QTest::newRow("http://a.b") << "http://a.b" << "错误" << HostLookupTool::SchemeText << false;
    QTest::newRow("ftp.a.b") << "ftp.a.b" << "错误" << HostLookupTool::SchemeText << false;
    QTest::newRow("HTTP://A.B: the test is case-sensitive") << "HTTP://A.B" << timeoutTitle << timeout << true;
}

void TestHostLookup::nameChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, boxTitle);
    QFETCH(QString, boxText);
    QFETCH(bool, reachesResolver);
    HostRig host;
    host.lookUp(name);

    QCOMPARE(host.rig.boxes.boxes.size(), 1);
    QCOMPARE(host.rig.boxes.boxes[0].icon, MessageBoxes::Icon::Critical);
    QCOMPARE(host.rig.boxes.boxes[0].title, boxTitle);
    QCOMPARE(host.rig.boxes.boxes[0].text, boxText);
    QCOMPARE(host.names.asked, reachesResolver ? QStringList{name} : QStringList());
    host.expectIdle();
    QVERIFY(host.rig.queries().isEmpty());
    if (reachesResolver) {
        // Not resolved, so nothing was echoed: the failure end.
        QCOMPARE(host.result->text(), HostLookupTool::ErrorText);
        QCOMPARE(host.rig.status->text(), ProductTitle());
    } else {
        QCOMPARE(host.result->text(), HostLookupTool::InitialText);
        QCOMPARE(host.rig.status->text(), QStringLiteral("之前的状态"));
    }
}

void TestHostLookup::localhostIsEchoedAndLocated()
{
    HostRig host;
    QStringList seen;
    host.names.onLookup = [&] {
        seen << host.rig.status->text() << host.result->text()
             << QString::number(host.txt->isEnabled()) + QString::number(host.cmd->isEnabled());
    };
    host.rig.fetcher.whileFetching = [&] {
        seen << host.rig.status->text() << host.result->text()
             << QString::number(host.txt->isEnabled()) + QString::number(host.cmd->isEnabled());
    };
    host.lookUp(QStringLiteral("localhost"));

    QVERIFY(host.rig.boxes.boxes.isEmpty());
    QCOMPARE(host.rig.queries(), QList<QByteArray>{"/ips.asp?ip=127.0.0.1&action=2"});
    const QString shown = host.result->text();
    QVERIFY2(shown.startsWith(QStringLiteral("主机IP地址：127.0.0.1\r\n活动主机所在地：\r\n标准位置：本地局域网 本机地址")),
             qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("变化参考位置一：本地回环地址")), qPrintable(shown));
    QVERIFY2(!shown.contains(QStringLiteral("【")), qPrintable(shown));
    QCOMPARE(seen, (QStringList{QStringLiteral("正在解析域名中..."), QStringLiteral("正在解析域名中......"),
                                QStringLiteral("00"), QStringLiteral("正在连接服务器中..."),
                                QStringLiteral("主机IP地址：127.0.0.1\r\n"), QStringLiteral("00")}));
    QCOMPARE(host.rig.status->text(), ProductTitle());
    host.expectIdle();
    QCOMPARE(int(host.rig.state.CutEnd), int(host.rig.state.PageText.indexOf(IpLocation::StartMarker) + 1));
}

void TestHostLookup::echoFailures_data()
{
    QTest::addColumn<bool>("socketAvailable");
    QTest::addColumn<bool>("replies");
    QTest::addColumn<quint32>("status");
    QTest::addColumn<MessageBoxes::Icon>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("no echo socket") << false << false << 0u << MessageBoxes::Icon::None << "Kordelvane"
                                    << HostLookupTool::NoEchoText << QStringList{"resolve", "open", "box"};
    QTest::newRow("no reply within 2000 ms") << true << false << 0u << MessageBoxes::Icon::Critical << "域名解析错误"
                                             << HostLookupTool::timeoutText()
                                             << QStringList{"resolve", "open", "send", "box", "close"};
    QTest::newRow("reply with a status") << true << true << 11003u << MessageBoxes::Icon::Critical << "错误"
                                         << HostLookupTool::replyStatusText()
                                         << QStringList{"resolve", "open", "send", "box", "close"};
}

void TestHostLookup::echoFailures()
{
    QFETCH(bool, socketAvailable);
    QFETCH(bool, replies);
    QFETCH(quint32, status);
    QFETCH(MessageBoxes::Icon, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QStringList, steps);
    HostRig host(true);
    host.names.fixed = Ipv4Address{127, 0, 0, 1};
    host.names.log = &host.scripted.log;
    host.scripted.socketAvailable = socketAvailable;
    if (replies)
        host.scripted.reply = IcmpEcho::Reply{{127, 0, 0, 1}, status};
    host.rig.boxes.onShow = [&](const RecordedBox &) { host.scripted.log.append(QStringLiteral("box")); };
    host.lookUp(QStringLiteral("localhost"));

    QCOMPARE(host.rig.boxes.boxes.size(), 1);
    QCOMPARE(host.rig.boxes.boxes[0].icon, icon);
    QCOMPARE(host.rig.boxes.boxes[0].title, title);
    QCOMPARE(host.rig.boxes.boxes[0].text, text);
    // The box first, then the socket is given back.
    QCOMPARE(host.scripted.log, steps);
    QCOMPARE(host.result->text(), HostLookupTool::ErrorText);
    QCOMPARE(host.rig.status->text(), ProductTitle());
    host.expectIdle();
    QVERIFY(host.rig.fetcher.urls.isEmpty());
}

void TestHostLookup::addressLineShowsTheHostThatReplied()
{
    HostRig host(true);
    host.names.fixed = Ipv4Address{10, 20, 30, 40};
    host.names.log = &host.scripted.log;
    host.scripted.reply = IcmpEcho::Reply{{127, 0, 0, 1}, 0};
    host.rig.fetcher.whileFetching = [&] { host.scripted.log.append(QStringLiteral("fetch")); };
    host.lookUp(QStringLiteral("www.somewhere.cn"));

    QCOMPARE(host.scripted.sent.size(), 1);
    const auto &sent = host.scripted.sent[0];
    QCOMPARE(DottedAddress(sent.destination), QStringLiteral("10.20.30.40"));
    QCOMPARE(sent.data, QByteArray(32, 'A'));
    QCOMPARE(sent.ttl, 255);
    QCOMPARE(sent.timeoutMs, 2000);
    // The socket is given back before the location request.
    QCOMPARE(host.scripted.log, (QStringList{"resolve", "open", "send", "close", "fetch"}));
    QCOMPARE(host.rig.queries(), QList<QByteArray>{"/ips.asp?ip=127.0.0.1&action=2"});
    QVERIFY(host.result->text().startsWith(QStringLiteral("主机IP地址：127.0.0.1\r\n活动主机所在地：\r\n标准位置：")));
}

void TestHostLookup::pageWithoutStartMarkerLeavesTheAddressLine()
{
    HostRig host;
    host.rig.server().setRoute(Endpoints::IpLocationHost, "/ips.asp?*",
                               StandinServer::html(QStringLiteral("<div>参考数据一：某地 【提示】") + IpLocation::EndMarker
                                                   + QStringLiteral("</div>")));
    host.lookUp(QStringLiteral("localhost"));
    QCOMPARE(host.result->text(), QStringLiteral("主机IP地址：127.0.0.1\r\n"));
    QCOMPARE(host.rig.status->text(), ProductTitle());
    QVERIFY(host.rig.boxes.boxes.isEmpty());
    host.expectIdle();
}

void TestHostLookup::repeatedLookupsLeaveNoOpenSockets()
{
    HostRig host;
    host.lookUp(QStringLiteral("localhost"));
    QVERIFY(host.rig.boxes.boxes.isEmpty());
    // The stand-in runs in this process: count only once it has closed its
    // side of the request.
    QTRY_COMPARE_WITH_TIMEOUT(host.rig.server().openConnections(), 0, 20000);
    const int before = openDescriptors();
    for (int i = 0; i < 5; ++i) {
        host.lookUp(QStringLiteral("localhost"));
        host.lookUp(QStringLiteral("nothing-here.invalid"));
    }
    QCOMPARE(host.rig.boxes.boxes.size(), 5);
    QCOMPARE(host.rig.queries().size(), 6);
    QTRY_COMPARE_WITH_TIMEOUT(host.rig.server().openConnections(), 0, 20000);
    QCOMPARE(openDescriptors(), before);
}

QTEST_MAIN(TestHostLookup)
#include "tst_hostlookup.moc"
