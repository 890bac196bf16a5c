#include "Endpoints.h"
#include "ResultBox.h"
#include "ToolPanelRig.h"
#include "WhoisLabelTable.h"
#include "WhoisTool.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace
{

const QString Host = Endpoints::WhoisHost;

// The status line starts with the product title, as the main window leaves it.
struct WhoisPanel : ToolOnPanel<WhoisTool> {
    WhoisPanel() : ToolOnPanel({.status = QStringLiteral("Orvalent 5.5")}) {}
    QLineEdit *input = find<QLineEdit>("txtYuMing");
    QPushButton *button = find<QPushButton>("cmdYuMingChaXun");
    ResultBox *result = find<ResultBox>("txtYuMingJG");

    void query(const QString &domain)
    {
        input->setText(domain);
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

} // namespace

class TestWhoisTool : public QObject
{
    Q_OBJECT
private slots:
    void labelTable_data();
    void labelTable();
    void recordPage_data();
    void recordPage();
    void reservedDomainMarksTheInput();
    void emptyInputIsStillRequested();
    void pageOfOneLongWordIsShownWhole();
    void controlsDuringTheFetch();
    void runTimeErrorIsTrapped();
    void failedFetchEndsTheProgramUntrapped();
};

// The table alone, on texts that show its order and its exact spellings.
void TestWhoisTool::labelTable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("AddreSS spelling") << "Registrant AddreSS: x" << QStringLiteral("注册员地址: x");
    QTest::newRow("usual Address stays") << "Registrant Address: x"
                                         << "Registrant Address: x";
    QTest::newRow("AddreSS1 goes to row 5 first") << "Registrant AddreSS1: x" << QStringLiteral("注册员地址1: x");
    QTest::newRow("contact city gets the country label")
        << "Administrative Contact City: Beijing" << QStringLiteral("管理员国家: Beijing");
    QTest::newRow("sponsoring before registrar")
        << "Sponsoring Registrar: A\r\nRegistrar: B" << QStringLiteral("主办登记者: A\r\n注册: B");
    QTest::newRow("created by registrar") << "Created by Registrar: A" << QStringLiteral("登记日期: A");
    QTest::newRow("domain status before status")
        << "Domain Status: ok Status: ok" << QStringLiteral("域状态: ok 状态: ok");
    QTest::newRow("whois server version before whois server")
        << "Whois Server Version 2.0 Whois Server: w" << QStringLiteral("Whois服务版本 2.0 Whois服务器: w");
    QTest::newRow("billing contact id before billing id")
        << "Billing Contact ID: 1 Billing ID: 2" << QStringLiteral("营业额联系人编号: 1 账单编号: 2");
    QTest::newRow("trademark number before number")
        << "Trademark Number: 5 Number: 6" << QStringLiteral("商标号: 5 数字: 6");
    QTest::newRow("an earlier shorter row leaves Number to the catch-all")
        << "Registrant Phone Number: 1" << QStringLiteral("登记员电话 数字: 1");
    QTest::newRow("country before country code")
        << "Administrative Contact Country Code: CN" << QStringLiteral("管理员国家 Code: CN");
    QTest::newRow("Tools inside a word") << "SEOTools tools"
                                         << "SEO tools";
    QTest::newRow("status words")
        << "clientTransferProhibited ServerTransferProhibited serverTransferProhibited clientRenewProhibited"
        << QStringLiteral("客户禁止转让 服务禁止转让 服务禁止转让 客户禁止延长注册期");
    QTest::newRow("search prompt removed") << "Search: Enter a domain name or IP addreSS: Go"
                                           << "Search:Go";
    // Where the site-name removal stands: after the search prompt, before the copyright line.
    QTest::newRow("site name removed after the search prompt") << " Enter a domain YuMing-ChaXun.cnname or IP addreSS: "
                                                               << " Enter a domain name or IP addreSS: ";
    QTest::newRow("site name removed before the copyright") << "CopyYuMing-ChaXun.cnright ? x"
                                                            << "x";
    QTest::newRow("site name and copyright removed") << "Copyright ? 2009 YuMing-ChaXun.cn."
                                                     << "2009 .";
    QTest::newRow("every occurrence, case counts") << "Status status Status" << QStringLiteral("状态 status 状态");
    QTest::newRow("nothing to replace") << QStringLiteral("中文记录") << QStringLiteral("中文记录");
}

void TestWhoisTool::labelTable()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ApplyWhoisLabelTable(text), expected);
}

// The stand-in record page through the panel: what the result box must and
// must not hold afterwards.
void TestWhoisTool::recordPage_data()
{
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<bool>("present");
    QTest::newRow("domain name") << QStringLiteral("域名: EXAMPLE-SHOP.CN") << true;
    QTest::newRow("sponsoring registrar") << QStringLiteral("主办登记者: HiChina Zhicheng") << true;
    QTest::newRow("registrar") << QStringLiteral("注册: WEB-NAMES INC") << true;
    QTest::newRow("whois server version") << QStringLiteral("Whois服务版本 2.0") << true;
    QTest::newRow("whois server") << QStringLiteral("Whois服务器: whois.web-names.cn") << true;
    QTest::newRow("domain status") << QStringLiteral("域状态: 客户禁止转让") << true;
    QTest::newRow("ServerTransferProhibited") << QStringLiteral("状态: 服务禁止转让") << true;
    QTest::newRow("AddreSS label") << QStringLiteral("注册员地址: 88 Jianguo Road") << true;
    QTest::newRow("Address label stays") << QStringLiteral("Registrant Address: 99 Jianguo Road") << true;
    QTest::newRow("contact city") << QStringLiteral("管理员国家: Beijing") << true;
    QTest::newRow("billing contact id") << QStringLiteral("营业额联系人编号: BC-1001") << true;
    QTest::newRow("billing id") << QStringLiteral("账单编号: B-77") << true;
    QTest::newRow("trademark number") << QStringLiteral("商标号: TM-5") << true;
    QTest::newRow("name server") << QStringLiteral("服务器名: ns1.web-names.cn") << true;
    QTest::newRow("SEOTools loses Tools") << QStringLiteral("SEO | seo tools") << true;

    QTest::newRow("no Registrar left") << QStringLiteral("Registrar") << false;
    QTest::newRow("no Sponsoring left") << QStringLiteral("Sponsoring") << false;
    QTest::newRow("no Tools left") << QStringLiteral("Tools") << false;
    QTest::newRow("no About us") << QStringLiteral("About us") << false;
    QTest::newRow("no Twitter") << QStringLiteral("Twitter") << false;
    QTest::newRow("no search prompt") << QStringLiteral("Enter a domain name") << false;
    QTest::newRow("no site name") << QStringLiteral("YuMing-ChaXun.cn") << false;
    QTest::newRow("no copyright") << QStringLiteral("Copyright") << false;
    QTest::newRow("no English Status") << QStringLiteral("Status") << false;
}

void TestWhoisTool::recordPage()
{
    QFETCH(QString, fragment);
    QFETCH(bool, present);
    WhoisPanel p;
    p.server().setRoute(Host, "/whois/example-shop.cn", StandinServer::page("whois/record.html"));
    p.query("example-shop.cn");
    const QString shown = p.result->toPlainText();
    QVERIFY2(shown.contains(fragment) == present, qPrintable(shown));
    QCOMPARE(p.input->text(), QStringLiteral("example-shop.cn"));
    QVERIFY(p.boxes.boxes.isEmpty());
    QCOMPARE(p.status->text(), QStringLiteral("Orvalent 5.5"));
}

void TestWhoisTool::reservedDomainMarksTheInput()
{
    WhoisPanel p;
    p.server().setRoute(Host, "/whois/gov-example.cn", StandinServer::page("whois/reserved.html"));
    p.query("gov-example.cn");
    QCOMPARE(p.input->text(), QStringLiteral("查无资料"));
    const QString shown = p.result->toPlainText();
    QVERIFY2(shown.contains(QStringLiteral("the domain you want to register is reserved")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("域名: GOV-EXAMPLE.CN")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("域状态: reserved")), qPrintable(shown));
    QVERIFY(p.input->isEnabled() && p.button->isEnabled() && p.result->isEnabled());
}

void TestWhoisTool::emptyInputIsStillRequested()
{
    WhoisPanel p;
    p.server().setRoute(Host, "/whois/", StandinServer::html("<p>Status: free</p>"));
    p.query(QString());
    const auto requests = p.server().requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].host, Host);
    QCOMPARE(requests[0].pathAndQuery, QByteArray("/whois/"));
    QVERIFY2(p.result->toPlainText().contains(QStringLiteral("状态: free")), qPrintable(p.result->toPlainText()));
    QVERIFY(p.boxes.boxes.isEmpty());
}

// A page as large as a fetch takes, its text one word: the box holds it whole
// and the tool ends (a word laid out at its words took minutes).
void TestWhoisTool::pageOfOneLongWordIsShownWhole()
{
    WhoisPanel p;
    const QString word(1024 * 1024 - 64, QLatin1Char('a'));
    p.server().setRoute(Host, "/whois/long.cn", StandinServer::html(QStringLiteral("<p>") + word + QStringLiteral("</p>")));
    p.query("long.cn");
    QVERIFY(p.boxes.boxes.isEmpty());
    QCOMPARE(p.result->text().trimmed(), word);
    p.result->grab();
    QVERIFY(p.input->isEnabled() && p.button->isEnabled() && p.result->isEnabled());
}

void TestWhoisTool::controlsDuringTheFetch()
{
    WhoisPanel p;
    p.server().setRoute(Host, "/whois/*", StandinServer::html("<p>Status: ok</p>"));
    bool inputEnabled = true, buttonEnabled = true, resultEnabled = true;
    QString resultText;
    p.fetcher.whileFetching = [&] {
        inputEnabled = p.input->isEnabled();
        buttonEnabled = p.button->isEnabled();
        resultEnabled = p.result->isEnabled();
        resultText = p.result->toPlainText();
    };
    p.query("a b.cn");
    QVERIFY(!inputEnabled && !buttonEnabled && !resultEnabled);
    QCOMPARE(resultText, QStringLiteral("正在查询域名信息中..."));
    QVERIFY(p.input->isEnabled() && p.button->isEnabled() && p.result->isEnabled());
    // Typed text goes out unchecked and untrimmed (the blank as the fetch writes it).
    QCOMPARE(p.server().requests().value(0).pathAndQuery, QByteArray("/whois/a%20b.cn"));
    QCOMPARE(p.status->text(), QStringLiteral("Orvalent 5.5"));
}

void TestWhoisTool::runTimeErrorIsTrapped()
{
    WhoisPanel p;
    p.fetcher.failWith = true;
    bool enabledWhileBoxOpen = true;
    p.boxes.onShow = [&](const RecordedBox &) { enabledWhileBoxOpen = p.button->isEnabled(); };
    p.query("example-shop.cn");
    QVERIFY(!enabledWhileBoxOpen);
    QCOMPARE(p.boxes.boxes.size(), 1);
    QCOMPARE(p.boxes.boxes[0].icon, MessageBoxes::Icon::Critical);
    QCOMPARE(p.boxes.boxes[0].title, QStringLiteral("查询失败"));
    QCOMPARE(p.boxes.boxes[0].text, QStringLiteral("查询失败！可能是您的网络问题问题或输入网址错误！"));
    QCOMPARE(p.result->toPlainText(), QStringLiteral("正在查询域名信息中..."));
    QVERIFY(p.input->isEnabled() && p.button->isEnabled() && p.result->isEnabled());
    QCOMPARE(p.status->text(), QStringLiteral("Orvalent 5.5"));
}

// A fetch that fails ends the program inside the fetch; the tool's own trap
// must not turn that into one of its failure boxes.
void TestWhoisTool::failedFetchEndsTheProgramUntrapped()
{
    WhoisPanel p;
    p.server().setRoute(Host, "/whois/*", StandinServer::closeWithoutAnswer());
    p.input->setText("example-shop.cn");
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, p.tool.cmdYuMingChaXun_Click());
    QCOMPARE(p.fatal.count, 1);
    QVERIFY(p.boxes.boxes.isEmpty());
}

QTEST_MAIN(TestWhoisTool)
#include "tst_whoistool.moc"
