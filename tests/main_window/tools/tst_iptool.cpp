#include "Endpoints.h"
#include "GbkCodec.h"
#include "IpLocation.h"
#include "IpTool.h"
#include "ProgramVersion.h"
#include "ResultBox.h"
#include "ToolPanelRig.h"
#include "Twips.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString EndMarker = IpLocation::EndMarker;

// An answer page whose text has no block breaks before the end marker, so
// the cut is the same whatever the renderer does with line breaks.
QString answer(const QString &body)
{
    return QStringLiteral("<div>") + body + QStringLiteral("</div>");
}

const QString NormalAnswer = answer(QStringLiteral("IP查询结果 本站主数据：北京市 联通 参考数据一：北京市 参考数据二：北京 【提示】")
                                    + EndMarker);
const QString NormalResult = QStringLiteral("标准位置：北京市 联通 变化参考位置一：北京市 变化参考位置二：北京 ");

struct IpRig {
    ToolPanelRig rig{{.status = QStringLiteral("之前的状态")}};
    IpTool tool{rig.panel, rig.context};
    QLineEdit *txtIP = rig.find<QLineEdit>("txtIP");
    QPushButton *cmd = rig.find<QPushButton>("cmdIPChaXun");
    ResultBox *result = rig.find<ResultBox>("txtIPJG");

    IpRig(const QString &page = NormalAnswer) : IpRig(Gbk::encode(page)) {}
    // The answer page as the service's bytes.
    explicit IpRig(const QByteArray &page)
    {
        rig.server().setRoute(Endpoints::IpLocationHost, "/ips.asp?*", StandinServer::raw(page));
        rig.show();
    }
    void query(const QString &typed)
    {
        txtIP->setText(typed);
        QTest::mouseClick(cmd, Qt::LeftButton);
    }
};

} // namespace

class TestIpTool : public QObject
{
    Q_OBJECT
private slots:
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void addressCheck_data();
    void addressCheck();
    void queryingStateWhileTheRequestRuns();
    void answerPages_data();
    void answerPages();
    void realisticPageFromTheStandin();
};

void TestIpTool::controlsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("sizesToText");
    QTest::addColumn<QString>("text");
    QTest::newRow("lblIPDZ(0)") << "lblIPDZ(0)" << Twips::rect(1440, 1800, 960, 330) << true << "IP地址：";
    QTest::newRow("txtIP") << "txtIP" << Twips::rect(2400, 1800, 3615, 375) << false << "";
    QTest::newRow("cmdIPChaXun") << "cmdIPChaXun" << Twips::rect(6000, 1800, 975, 375) << false << "查询";
    QTest::newRow("lblIPDZ(1)") << "lblIPDZ(1)" << Twips::rect(1680, 2280, 1050, 285) << true << "查询结果：";
    QTest::newRow("txtIPJG") << "txtIPJG" << Twips::rect(1680, 2640, 5175, 1455) << false
                             << "    输入IP地址后按查询即可查询所在地。\r\n";
    QTest::newRow("lblIPJieShao") << "lblIPJieShao" << Twips::rect(1320, 720, 5655, 1095) << false
                                  << "    本功能可以查询对方IP地址的所在地区，结果将会精确到网吧/省市/区县。"
                                     "IP地址的最后一个区位数字在隐藏情况下可以用1个“*”代替。";
}

void TestIpTool::controlsAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(bool, sizesToText);
    QFETCH(QString, text);
    ToolPanelRig rig({.ownStandin = false});
    IpTool tool(rig.panel, rig.context);
    rig.show();
    QWidget *control = rig.panel->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    if (sizesToText)
        QCOMPARE(control->pos(), place.topLeft());
    else
        QCOMPARE(control->geometry(), place);
    const QString shown = shownText(control);
    QVERIFY2(shown.startsWith(text), qPrintable(shown));
    if (auto *box = qobject_cast<ResultBox *>(control))
        QVERIFY(box->isReadOnly());
}

void TestIpTool::addressCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");   // text in txtIPJG afterwards
    QTest::addColumn<QByteArray>("query");   // the request sent, empty for none
    const QByteArray none;
    const QString refused = IpTool::RefusalText;
    const QString error = IpTool::ErrorText;
    QTest::newRow("1.2.3: too short") << "1.2.3" << refused << none;
    QTest::newRow("16 characters") << "111.111.111.111 " << refused << none;
    QTest::newRow("1234567: no dot") << "1234567" << refused << none;
    QTest::newRow("192.168.1.*: star sent as typed")
        << "192.168.1.*" << NormalResult << QByteArray("/ips.asp?ip=192.168.1.*&action=2");
    QTest::newRow("256.1.1.1") << "256.1.1.1" << refused << none;
    QTest::newRow("1.2.3.256") << "1.2.3.256" << refused << none;
    QTest::newRow("1.2.3.255") << "1.2.3.255" << NormalResult << QByteArray("/ips.asp?ip=1.2.3.255&action=2");
    QTest::newRow("-1.2.3.4: below 0") << "-1.2.3.4" << refused << none;
    QTest::newRow("1.2.3.4.5: part 4 untested") << "1.2.3.4.5" << NormalResult
                                                << QByteArray("/ips.asp?ip=1.2.3.4.5&action=2");
    QTest::newRow("1.2.3.999.1") << "1.2.3.999.1" << NormalResult << QByteArray("/ips.asp?ip=1.2.3.999.1&action=2");
    QTest::newRow("10..2.3: empty part") << "10..2.3" << error << none;
    QTest::newRow("a.b.c.d: letters") << "a.b.c.d" << error << none;
    QTest::newRow("10.2.3.: empty part 4") << "10.2.3." << error << none;
    QTest::newRow("1.2.3.: too short before parts") << "1.2.3." << refused << none;
    QTest::newRow("300.a.b.c: part 1 refused before part 2 is read") << "300.a.b.c" << refused << none;
    QTest::newRow("255.9.0.1: parts floored") << "255.9.0.1" << NormalResult
                                              << QByteArray("/ips.asp?ip=255.9.0.1&action=2");
}

void TestIpTool::addressCheck()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QByteArray, query);
    IpRig ip;
    ip.query(typed);

    QCOMPARE(ip.result->text(), expected);
    QCOMPARE(ip.rig.queries(), query.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{query});
    QVERIFY(ip.txtIP->isEnabled());
    QVERIFY(ip.cmd->isEnabled());
    QCOMPARE(ip.txtIP->text(), typed);
    // A refusal leaves the status line alone; a query and the error path end
    // with the product title, and the line stays in sight.
    QCOMPARE(ip.rig.status->text(), expected == IpTool::RefusalText ? QStringLiteral("之前的状态") : ProductTitle());
    QVERIFY(!ip.rig.status->isHidden());
    QVERIFY(ip.rig.boxes.boxes.isEmpty());
}

void TestIpTool::queryingStateWhileTheRequestRuns()
{
    IpRig ip;
    bool txtEnabled = true, cmdEnabled = true;
    QString status, result;
    ip.rig.fetcher.whileFetching = [&] {
        txtEnabled = ip.txtIP->isEnabled();
        cmdEnabled = ip.cmd->isEnabled();
        status = ip.rig.status->text();
        result = ip.result->text();
    };
    ip.query(QStringLiteral("8.8.4.4"));
    QCOMPARE(ip.rig.fetcher.urls, QStringList{QStringLiteral("http://www.ipchaxun.cn/ips.asp?ip=8.8.4.4&action=2")});
    QVERIFY(!txtEnabled);
    QVERIFY(!cmdEnabled);
    QCOMPARE(status, QStringLiteral("正在查询中..."));
    QCOMPARE(result, QStringLiteral("    正在查询IP所在地中......"));
    QCOMPARE(ip.result->text(), NormalResult);
}

void TestIpTool::answerPages_data()
{
    QTest::addColumn<QByteArray>("page"); // GBK bytes
    QTest::addColumn<QString>("expected"); // empty: the error path
    const QString filler(33000, QLatin1Char('x'));
    const QString nearLimit(32600, QLatin1Char('x'));
    QTest::newRow("normal") << Gbk::encode(NormalAnswer) << NormalResult;
    QTest::newRow("start marker missing")
        << Gbk::encode(answer(QStringLiteral("北京市 联通 参考数据一：北京 【提示】") + EndMarker)) << QString();
    QTest::newRow("end marker missing") << Gbk::encode(answer(QStringLiteral("本站主数据：北京市 联通 参考数据一：北京"))) << QString();
    QTest::newRow("end before start")
        << Gbk::encode(answer(QStringLiteral("【提示】") + EndMarker + QStringLiteral(" 本站主数据：北京市 联通"))) << QString();
    QTest::newRow("start beyond 32767") << Gbk::encode(answer(filler + QStringLiteral(" 本站主数据：北京市 【提示】") + EndMarker))
                                        << QString();
    QTest::newRow("start just below 32767")
        << Gbk::encode(answer(nearLimit + QStringLiteral(" 本站主数据：北京市 【提示】") + EndMarker))
        << QStringLiteral("标准位置：北京市 ");
    // Pairs the converter lacks are still one character each: a user-defined
    // one before the start marker, an unassigned one inside the location.
    QTest::newRow("user-defined AA A1 before the start marker")
        << Gbk::encode(QStringLiteral("<div>IP查询结果 ")) + QByteArray("\xAA\xA1")
               + Gbk::encode(QStringLiteral("本站主数据：北京市 联通 参考数据一：北京市 参考数据二：北京 【提示】") + EndMarker
                             + QStringLiteral("</div>"))
        << NormalResult;
    QTest::newRow("unassigned A2 AB inside the location")
        << Gbk::encode(QStringLiteral("<div>本站主数据：北京市")) + QByteArray("\xA2\xAB")
               + Gbk::encode(QStringLiteral(" 联通 【提示】") + EndMarker + QStringLiteral("</div>"))
        << QStringLiteral("标准位置：北京市\uFFFD 联通 ");
    QTest::newRow("repeated labels")
        << Gbk::encode(answer(QStringLiteral("本站主数据：甲 本站主数据：乙 参考数据一 参考数据二 参考数据三 【提示】") + EndMarker))
        << QStringLiteral("标准位置：甲 标准位置：乙 变化参考位置一 变化参考位置二 变化参考位置三 ");
}

void TestIpTool::answerPages()
{
    QFETCH(QByteArray, page);
    QFETCH(QString, expected);
    IpRig ip(page);
    ip.rig.state.CutEnd = 7;
    ip.rig.state.CutEnd2 = 9;
    ip.query(QStringLiteral("1.2.3.4"));

    QVERIFY(ip.txtIP->isEnabled());
    QVERIFY(ip.cmd->isEnabled());
    QCOMPARE(ip.rig.status->text(), ProductTitle());
    QVERIFY(!ip.rig.status->isHidden());
    const QString pageText = ip.rig.state.PageText;
    QVERIFY2(pageText.contains(QStringLiteral("【提示】")) || pageText.contains(QStringLiteral("本站主数据")),
             qPrintable(pageText.left(200)));
    if (expected.isEmpty()) {
        QCOMPARE(ip.result->text(), IpTool::ErrorText);
        return;
    }
    QCOMPARE(ip.result->text(), expected);
    // The lookup state holds the start marker's position and the end
    // marker's position - 4.
    QCOMPARE(int(ip.rig.state.CutEnd), int(pageText.indexOf(IpLocation::StartMarker) + 1));
    QCOMPARE(int(ip.rig.state.CutEnd2), int(pageText.indexOf(EndMarker) + 1 - 4));
}

void TestIpTool::realisticPageFromTheStandin()
{
    IpRig ip;
    ip.rig.server().setRoute(Endpoints::IpLocationHost, "/ips.asp?*", StandinServer::page("ip/location.html"));
    ip.query(QStringLiteral("127.0.0.1"));
    const QString shown = ip.result->text();
    QVERIFY2(shown.startsWith(QStringLiteral("标准位置：本地局域网 本机地址")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("变化参考位置一：本地回环地址")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("变化参考位置二：本机")), qPrintable(shown));
    QVERIFY2(!shown.contains(QStringLiteral("【")) && !shown.contains(QStringLiteral("参考数据")), qPrintable(shown));
}

QTEST_MAIN(TestIpTool)
#include "tst_iptool.moc"
