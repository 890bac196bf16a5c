#include "Endpoints.h"
#include "InfoIcon.h"
#include "PageRankTool.h"
#include "ToolPanelRig.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace
{

const QString Host = Endpoints::PageRankHost;

// The status line starts with the product title, as the main window leaves it.
struct PageRankPanel : ToolOnPanel<PageRankTool> {
    PageRankPanel() : ToolOnPanel({.status = QStringLiteral("Orvalent 5.5")}) {}
    QLineEdit *input = find<QLineEdit>("txtLiuXing");
    QPushButton *button = find<QPushButton>("cmdLiuXingChaXun");
    QLabel *score = find<QLabel>("lblLiuXing");

    void query(const QString &address)
    {
        input->setText(address);
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

QByteArray searchPath(const QByteArray &checksum, const QByteArray &address)
{
    return "//search?client=navclient-auto&ch=" + checksum + "&ie=UTF-8&oe=UTF-8&features=Rank&q=info:" + address;
}

} // namespace

class TestPageRankTool : public QObject
{
    Q_OBJECT
private slots:
    void addressIsStrippedAndSent_data();
    void addressIsStrippedAndSent();
    void tooShortAfterStripping_data();
    void tooShortAfterStripping();
    void answer_data();
    void answer();
    void markerBeyondTheLastPositionIsTrapped();
    void panelDuringTheFetch();
    void hintIcon();
    void failedFetchEndsTheProgramUntrapped();
};

void TestPageRankTool::addressIsStrippedAndSent_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("path");
    // Checksums from tests/services/lookup2_reference.py.
    QTest::newRow("http:// stripped") << "http://www.baidu.com"
                                      << "www.baidu.com" << searchPath("693378947", "www.baidu.com");
    QTest::newRow("http:// twice") << "http://www.a.cnhttp://"
                                   << "www.a.cn" << searchPath("6-1441609535", "www.a.cn");
    QTest::newRow("six characters queried") << "abcdef"
                                            << "abcdef" << searchPath("61640223782", "abcdef");
    QTest::newRow("capital HTTP:// stays") << "HTTP://www.a.cn"
                                           << "HTTP://www.a.cn" << searchPath("6-2118729687", "HTTP://www.a.cn");
}

void TestPageRankTool::addressIsStrippedAndSent()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QByteArray, path);
    PageRankPanel p;
    p.server().setRoute(Host, "//search?*", StandinServer::page("pagerank/rank7.html"));
    p.query(typed);
    QCOMPARE(p.input->text(), shown);
    const auto requests = p.server().requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].host, Host);
    QCOMPARE(requests[0].pathAndQuery, path);
    QCOMPARE(p.score->text(), QStringLiteral("网站流行度：7 分(满分10分)"));
    QCOMPARE(p.status->text(), QStringLiteral("查询完毕"));
    QVERIFY(p.boxes.boxes.isEmpty());
}

void TestPageRankTool::tooShortAfterStripping_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << "";
    QTest::newRow("five characters") << "a.com";
    QTest::newRow("five after stripping") << "http://a.com";
    QTest::newRow("nothing but http://") << "http://http://";
}

void TestPageRankTool::tooShortAfterStripping()
{
    QFETCH(QString, typed);
    PageRankPanel p;
    p.score->setText(QStringLiteral("网站流行度：3 分(满分10分)"));
    QString inputWhileBoxOpen = QStringLiteral("unset");
    p.boxes.onShow = [&](const RecordedBox &) { inputWhileBoxOpen = p.input->text(); };
    p.query(typed);
    QCOMPARE(p.boxes.boxes.size(), 1);
    QCOMPARE(p.boxes.boxes[0].icon, MessageBoxes::Icon::Critical);
    QCOMPARE(p.boxes.boxes[0].title, QStringLiteral("错误"));
    QCOMPARE(p.boxes.boxes[0].text, QStringLiteral("网址错误！"));
    // The stripped text stands in the box while the message shows.
    QCOMPARE(inputWhileBoxOpen, PageRankTool::stripScheme(typed));
    QCOMPARE(p.input->text(), QString());
    QVERIFY(p.server().requests().isEmpty());
    QCOMPARE(p.score->text(), QStringLiteral("网站流行度：3 分(满分10分)"));
    QCOMPARE(p.status->text(), QStringLiteral("Orvalent 5.5"));
}

void TestPageRankTool::answer_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("label");
    const QString none = QStringLiteral("网站流行度：查无资料");
    QTest::newRow("digit 7") << "Rank_1:1:7" << QStringLiteral("网站流行度：7 分(满分10分)");
    QTest::newRow("digit 0") << "Rank_1:1:0" << QStringLiteral("网站流行度：0 分(满分10分)");
    QTest::newRow("two digits: first only") << "Rank_1:1:10" << QStringLiteral("网站流行度：1 分(满分10分)");
    QTest::newRow("marker later in the page")
        << "Answer: Rank_1:1:4 more" << QStringLiteral("网站流行度：4 分(满分10分)");
    QTest::newRow("letter after the marker") << "Rank_1:1:x" << none;
    QTest::newRow("blank after the marker") << "Rank_1:1: 7" << none;
    QTest::newRow("sign after the marker") << "Rank_1:1:-1" << none;
    QTest::newRow("full-width digit") << QStringLiteral("Rank_1:1:７") << none;
    QTest::newRow("answer ends after the marker") << "Rank_1:1:" << none;
    QTest::newRow("no marker, digit at 9") << "abcdefgh5xyz" << QStringLiteral("网站流行度：5 分(满分10分)");
    QTest::newRow("no marker, letter at 9") << "abcdefghixyz" << none;
    QTest::newRow("no marker, digit at 8 only") << "abcdefg5ixyz" << none;
    QTest::newRow("no marker, page shorter than 9") << "abc" << none;
    QTest::newRow("empty answer") << "" << none;
}

void TestPageRankTool::answer()
{
    QFETCH(QString, body);
    QFETCH(QString, label);
    PageRankPanel p;
    p.server().setRoute(Host, "//search?*", StandinServer::html(body));
    p.query("www.example-shop.cn");
    QCOMPARE(p.score->text(), label);
    QCOMPARE(p.status->text(), QStringLiteral("查询完毕"));
    QVERIFY(p.boxes.boxes.isEmpty());
    QVERIFY(p.input->isEnabled() && p.button->isEnabled());
}

void TestPageRankTool::markerBeyondTheLastPositionIsTrapped()
{
    PageRankPanel p;
    // Marker at 32759: + 9 is 32768, which no 16-bit position holds.
    p.server().setRoute(Host, "//search?*",
                              StandinServer::html(QString(32758, QLatin1Char('x')) + QStringLiteral("Rank_1:1:7")));
    QString scoreWhileBoxOpen, statusWhileBoxOpen;
    bool enabledWhileBoxOpen = false;
    p.boxes.onShow = [&](const RecordedBox &) {
        scoreWhileBoxOpen = p.score->text();
        statusWhileBoxOpen = p.status->text();
        enabledWhileBoxOpen = p.input->isEnabled() && p.button->isEnabled();
    };
    p.query("www.example-shop.cn");
    QCOMPARE(p.boxes.boxes.size(), 1);
    QCOMPARE(p.boxes.boxes[0].icon, MessageBoxes::Icon::Critical);
    QCOMPARE(p.boxes.boxes[0].title, QStringLiteral("错误"));
    QCOMPARE(p.boxes.boxes[0].text,
             QStringLiteral("出现未知错误！可能是网址输入错误或当前本程序带宽资源不够或者是服务器维护中！"));
    QCOMPARE(scoreWhileBoxOpen, QStringLiteral("网站流行度：查无资料"));
    QCOMPARE(statusWhileBoxOpen, QStringLiteral("出现错误"));
    QVERIFY(enabledWhileBoxOpen);

    // One position earlier still fits: the marker at 32758 reads position 32767.
    PageRankPanel q;
    q.server().setRoute(Host, "//search?*",
                              StandinServer::html(QString(32757, QLatin1Char('x')) + QStringLiteral("Rank_1:1:7")));
    q.query("www.example-shop.cn");
    QVERIFY(q.boxes.boxes.isEmpty());
    QCOMPARE(q.score->text(), QStringLiteral("网站流行度：7 分(满分10分)"));
}

void TestPageRankTool::panelDuringTheFetch()
{
    PageRankPanel p;
    p.server().setRoute(Host, "//search?*", StandinServer::page("pagerank/rank7.html"));
    p.score->setText(QStringLiteral("网站流行度：3 分(满分10分)"));
    QString status, score, input;
    bool enabled = true;
    p.fetcher.whileFetching = [&] {
        status = p.status->text();
        score = p.score->text();
        input = p.input->text();
        enabled = p.input->isEnabled() || p.button->isEnabled();
    };
    p.query("http://www.example-shop.cn");
    QCOMPARE(status, QStringLiteral("正在查询流行度中..."));
    QCOMPARE(score, QStringLiteral("网站流行度："));
    QCOMPARE(input, QStringLiteral("www.example-shop.cn"));
    QVERIFY(!enabled);
    QCOMPARE(p.server().requests().value(0).pathAndQuery, searchPath("6-262231356", "www.example-shop.cn"));
    QCOMPARE(p.input->text(), QStringLiteral("www.example-shop.cn"));
}

void TestPageRankTool::hintIcon()
{
    PageRankPanel p;
    const auto *hint = p.find<InfoIcon>("Picture2(2)");
    QCOMPARE(hint->size(), QSize(16, 16));
    QVERIFY(!hint->pixmap().isNull());
    QCOMPARE(hint->toolTip(),
             QStringLiteral(
                 "流行度指的是一个网站网页质量，得分根据网站质量、页面等级、流行程度等多方面进行评测得出的结果。"));
}

// A fetch that fails ends the program inside the fetch; the tool's own trap
// must not turn that into one of its failure boxes.
void TestPageRankTool::failedFetchEndsTheProgramUntrapped()
{
    PageRankPanel p;
    p.server().setRoute(Host, "//search?*", StandinServer::closeWithoutAnswer());
    p.input->setText("www.example-shop.cn");
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, p.tool.cmdLiuXingChaXun_Click());
    QCOMPARE(p.fatal.count, 1);
    QVERIFY(p.boxes.boxes.isEmpty());
}

QTEST_MAIN(TestPageRankTool)
#include "tst_pageranktool.moc"
