#include "Endpoints.h"
#include "InfoIcon.h"
#include "ToolPanelRig.h"
#include "TrafficRankTool.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace
{

const QString Host = Endpoints::TrafficRankHost;

// The status line starts with the product title, as the main window leaves it.
struct TrafficPanel : ToolOnPanel<TrafficRankTool> {
    TrafficPanel() : ToolOnPanel({.status = QStringLiteral("Orvalent 5.5")}) {}
    QLineEdit *input = find<QLineEdit>("txtRenQi");
    QPushButton *button = find<QPushButton>("cmdRenQiChaxun");
    QLabel *world = find<QLabel>("lblRenQi");
    QLabel *china = find<QLabel>("lblZG");

    void query(const QString &address)
    {
        input->setText(address);
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

// A page text of the service's form with the two rank values.
QString ranks(const QString &world, const QString &china)
{
    return QStringLiteral("全球综合排名第 ") + world + QStringLiteral(" 位，中文排名第 ") + china +
           QStringLiteral(" 位。");
}

} // namespace

class TestTrafficRankTool : public QObject
{
    Q_OBJECT
private slots:
    void refusedInput_data();
    void refusedInput();
    void rankPage_data();
    void rankPage();
    void brokenPageTakesTheErrorPath_data();
    void brokenPageTakesTheErrorPath();
    void requestAndPanelDuringTheFetch();
    void hintIcons();
    void failedFetchEndsTheProgramUntrapped();
};

void TestTrafficRankTool::refusedInput_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString tooShort = QStringLiteral("请输入正确的网址！错误号ORVN#03");
    const QString notWww = QStringLiteral("错误！输入的网址必须是www开头！错误号ORVN#03");
    QTest::newRow("empty") << "" << tooShort;
    QTest::newRow("five characters starting www") << "www.a" << tooShort;
    QTest::newRow("five characters, no www") << "abcde" << tooShort;
    QTest::newRow("upper-case WWW") << "WWW.baidu.com" << notWww;
    QTest::newRow("with http://") << "http://www.baidu.com" << notWww;
    QTest::newRow("Www") << "Www.baidu.com" << notWww;
    QTest::newRow("leading blank") << " www.baidu.com" << notWww;
}

void TestTrafficRankTool::refusedInput()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    TrafficPanel p;
    p.world->setText(QStringLiteral("全球流量排名：第 9 名"));
    QString inputWhileBoxOpen;
    p.boxes.onShow = [&](const RecordedBox &) { inputWhileBoxOpen = p.input->text(); };
    p.query(typed);

    QCOMPARE(p.boxes.boxes.size(), 1);
    QCOMPARE(p.boxes.boxes[0].icon, MessageBoxes::Icon::Critical);
    QCOMPARE(p.boxes.boxes[0].title, QStringLiteral("错误"));
    QCOMPARE(p.boxes.boxes[0].text, message);
    // The box comes first, then the input is emptied.
    QCOMPARE(inputWhileBoxOpen, typed);
    QCOMPARE(p.input->text(), QString());
    QVERIFY(p.server().requests().isEmpty());
    QCOMPARE(p.world->text(), QStringLiteral("全球流量排名：第 9 名"));
    QCOMPARE(p.status->text(), QStringLiteral("Orvalent 5.5"));
    QVERIFY(p.input->isEnabled() && p.button->isEnabled());
}

void TestTrafficRankTool::rankPage_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("worldLabel");
    QTest::addColumn<QString>("chinaLabel");
    QTest::newRow("both ranks") << "www.example-shop.cn"
                                << QStringLiteral("<p>") + ranks("1,234", "567") + QStringLiteral("</p>")
                                << QStringLiteral("全球流量排名：第 1,234 名")
                                << QStringLiteral("中国流量排名：第 567 名");
    QTest::newRow("six characters, anything after www")
        << QStringLiteral("www中文网") << ranks("12", "3") << QStringLiteral("全球流量排名：第 12 名")
        << QStringLiteral("中国流量排名：第 3 名");
    QTest::newRow("no world rank data") << "www.shop-b.cn" << ranks(QStringLiteral("没有排名数据"), "88")
                                        << QStringLiteral("全球流量排名：查无资料")
                                        << QStringLiteral("中国流量排名：第 88 名");
    QTest::newRow("no China rank data") << "www.shop-b.cn" << ranks("42", QStringLiteral("没有排名数据"))
                                        << QStringLiteral("全球流量排名：第 42 名")
                                        << QStringLiteral("中国流量排名：查无资料");
    QTest::newRow("no-data text with more around it is a rank text")
        << "www.shop-b.cn" << ranks(QStringLiteral("暂时没有排名数据"), QStringLiteral("没有排名数据！"))
        << QStringLiteral("全球流量排名：第 暂时没有排名数据 名")
        << QStringLiteral("中国流量排名：第 没有排名数据！ 名");
    // The character after the world marker is skipped, whatever it is.
    QTest::newRow("no blank after the world marker")
        << "www.example-shop.cn" << QStringLiteral("全球综合排名第1234 位，中文排名第 5 位。")
        << QStringLiteral("全球流量排名：第 234 名") << QStringLiteral("中国流量排名：第 5 名");
    QTest::newRow("world marker missing: cut from character 8")
        << "www.example-shop.cn" << QStringLiteral("abcdefghij 位，中文排名第 5 位。")
        << QStringLiteral("全球流量排名：第 hij 名") << QStringLiteral("中国流量排名：第 5 名");
    // Kept blanks (&nbsp; does not merge) leave the values empty.
    QTest::newRow("empty values")
        << "www.example-shop.cn"
        << QStringLiteral("全球综合排名第&nbsp;&nbsp;位，中文排名第&nbsp;&nbsp;位。")
        << QStringLiteral("全球流量排名：第  名") << QStringLiteral("中国流量排名：第  名");
}

void TestTrafficRankTool::rankPage()
{
    QFETCH(QString, typed);
    QFETCH(QString, markup);
    QFETCH(QString, worldLabel);
    QFETCH(QString, chinaLabel);
    TrafficPanel p;
    p.server().setRoute(Host, "/?domain=*", StandinServer::html(markup));
    p.query(typed);
    QCOMPARE(p.world->text(), worldLabel);
    QCOMPARE(p.china->text(), chinaLabel);
    QCOMPARE(p.status->text(), QStringLiteral("查询完毕"));
    QVERIFY(p.boxes.boxes.isEmpty());
    QVERIFY(p.input->isEnabled() && p.button->isEnabled());
    QCOMPARE(p.input->text(), typed);
}

void TestTrafficRankTool::brokenPageTakesTheErrorPath_data()
{
    QTest::addColumn<QString>("markup");
    QTest::newRow("middle marker missing") << QStringLiteral("全球综合排名第 1 位，中文 2 位。");
    QTest::newRow("end marker missing") << QStringLiteral("全球综合排名第 1 位，中文排名第 2 位");
    QTest::newRow("end marker before the China rank")
        << QStringLiteral("注： 位。全球综合排名第 1 位，中文排名第 2 位。");
    QTest::newRow("world marker after the middle one") << QStringLiteral("xx 位，中文排名第 2 位。全球综合排名第 1");
    // Rendered, the two blanks around an empty world value merge into one, so
    // the world cut starts behind the middle marker's blank.
    QTest::newRow("empty values with ordinary blanks") << ranks("", "");
    QTest::newRow("markers beyond 32767") << QString(32800, QLatin1Char('x')) + ranks("1", "2");
    QTest::newRow("empty page") << QString();
}

void TestTrafficRankTool::brokenPageTakesTheErrorPath()
{
    QFETCH(QString, markup);
    TrafficPanel p;
    p.server().setRoute(Host, "/?domain=*", StandinServer::html(markup));
    QString worldWhileBoxOpen, chinaWhileBoxOpen, statusWhileBoxOpen;
    bool enabledWhileBoxOpen = false;
    p.boxes.onShow = [&](const RecordedBox &) {
        worldWhileBoxOpen = p.world->text();
        chinaWhileBoxOpen = p.china->text();
        statusWhileBoxOpen = p.status->text();
        enabledWhileBoxOpen = p.input->isEnabled() && p.button->isEnabled();
    };
    p.query("www.example-shop.cn");

    QCOMPARE(p.boxes.boxes.size(), 1);
    QCOMPARE(p.boxes.boxes[0].icon, MessageBoxes::Icon::Critical);
    QCOMPARE(p.boxes.boxes[0].title, QStringLiteral("错误"));
    QCOMPARE(p.boxes.boxes[0].text, QStringLiteral("出现未知错误！"));
    // Labels, status line and controls are set before the box shows.
    QCOMPARE(worldWhileBoxOpen, QStringLiteral("全球流量排名：出错"));
    QCOMPARE(chinaWhileBoxOpen, QStringLiteral("中国流量排名：出错"));
    QCOMPARE(statusWhileBoxOpen, QStringLiteral("出现错误"));
    QVERIFY(enabledWhileBoxOpen);
    QCOMPARE(p.world->text(), QStringLiteral("全球流量排名：出错"));
    QCOMPARE(p.status->text(), QStringLiteral("出现错误"));
}

void TestTrafficRankTool::requestAndPanelDuringTheFetch()
{
    TrafficPanel p;
    p.server().setRoute(Host, "/?domain=*", StandinServer::page("traffic/ranked.html"));
    p.world->setText(QStringLiteral("全球流量排名：第 1 名"));
    p.china->setText(QStringLiteral("中国流量排名：第 2 名"));
    QString status, world, china;
    bool enabled = true;
    p.fetcher.whileFetching = [&] {
        status = p.status->text();
        world = p.world->text();
        china = p.china->text();
        enabled = p.input->isEnabled() || p.button->isEnabled();
    };
    p.query("www.ab");
    QCOMPARE(status, QStringLiteral("正在查询该网站流量排名中..."));
    QCOMPARE(world, QStringLiteral("全球流量排名："));
    QCOMPARE(china, QStringLiteral("中国流量排名："));
    QVERIFY(!enabled);

    const auto requests = p.server().requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].host, Host);
    QCOMPARE(requests[0].pathAndQuery, QByteArray("/?domain=www.ab"));
    QCOMPARE(p.world->text(), QStringLiteral("全球流量排名：第 1,234 名"));
    QCOMPARE(p.china->text(), QStringLiteral("中国流量排名：第 567 名"));
    QCOMPARE(p.state.PageText, p.fetcher.PageFetcher::fetchPageText(Endpoints::trafficRank("www.ab")));
}

void TestTrafficRankTool::hintIcons()
{
    TrafficPanel p;
    const auto *worldHint = p.find<InfoIcon>("Picture2(0)");
    const auto *chinaHint = p.find<InfoIcon>("Picture2(1)");
    QCOMPARE(worldHint->size(), QSize(16, 16));
    QCOMPARE(chinaHint->size(), QSize(16, 16));
    QVERIFY(!worldHint->pixmap().isNull());
    QCOMPARE(
        worldHint->toolTip(),
        QStringLiteral(
            "全球流量排名指的是一个网站在当前在全球范围内的流量排名，大网站的排名在100,000之前，之后的为小网站。"));
    QCOMPARE(chinaHint->toolTip(),
             QStringLiteral("中国流量排名指的是一个网站在中国区的流量排名，通常40,000之前为小网站。"));
}

// A fetch that fails ends the program inside the fetch; the tool's own trap
// must not turn that into one of its failure boxes.
void TestTrafficRankTool::failedFetchEndsTheProgramUntrapped()
{
    TrafficPanel p;
    p.server().setRoute(Host, "/?domain=*", StandinServer::closeWithoutAnswer());
    p.input->setText("www.example-shop.cn");
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, p.tool.cmdRenQiChaxun_Click());
    QCOMPARE(p.fatal.count, 1);
    QVERIFY(p.boxes.boxes.isEmpty());
}

QTEST_MAIN(TestTrafficRankTool)
#include "tst_trafficranktool.moc"
