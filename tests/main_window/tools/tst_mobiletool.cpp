#include "Endpoints.h"
#include "MobileNumber.h"
#include "MobileTool.h"
#include "PageText.h"
#include "ProgramVersion.h"
#include "ResultBox.h"
#include "ToolPanelRig.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace
{

const QString Refusal = QStringLiteral("    输入的手机号长度不合法或输入的不是数字，请核对后输入！");
const QString Rejection = QStringLiteral("    输入的手机号不合法，请核对后重新输入！");
QString errorText()
{
    return QStringLiteral("    发生未知错误，如果输入的手机号码确实没有问题请发送邮件到 ") + Endpoints::SupportEmail +
           QStringLiteral(" 反馈。");
}
const QString CompleteLines = QStringLiteral("归属：广东 深圳\r\n区号：0755\r\n卡型：移动全球通卡\r\n邮编：518000");
const QString MobileHost = QStringLiteral("www.ipchaxun.cn:8080");
const QByteArray MobileRoute = "/search.asp?action=mobile&mobile=*";

// What the panel showed while the request was out.
struct Waiting {
    bool numberEnabled;
    bool buttonEnabled;
    bool resultEnabled;
    QString status;
    QString result;
};

} // namespace

class TestMobileTool : public QObject
{
    Q_OBJECT
private slots:
    void numberRule_data();
    void numberRule();
    void answerLines_data();
    void answerLines();
    void panel_data();
    void panel();
    void typingStopsAtElevenCharacters();
    void failedFetchEndsTheProgram();
};

void TestMobileTool::numberRule_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("wellFormed");
    QTest::newRow("eleven digits") << "13800138000" << true;
    QTest::newRow("ten digits") << "1380013800" << false;
    QTest::newRow("twelve digits") << "138001380000" << false;
    QTest::newRow("a letter") << "1380013800a" << false;
    QTest::newRow("leading blank") << " 1380013800" << true;
    QTest::newRow("trailing blank") << "1380013800 " << true;
    QTest::newRow("plus sign") << "+1380013800" << true;
    QTest::newRow("minus sign") << "-1380013800" << true;
    QTest::newRow("one decimal point") << "13800.13800" << true;
    QTest::newRow("two decimal points") << "1380.013.80" << false;
    QTest::newRow("eleven blanks") << "           " << false;
    // The forms a general conversion would also take are not numbers here.
    QTest::newRow("exponent") << "1.38001e+10" << false;
    QTest::newRow("thousands separators") << "1,380,013,8" << false;
    QTest::newRow("hexadecimal &H") << "&H138001380" << false;
    QTest::newRow("hexadecimal 0x") << "0x138001380" << false;
    QTest::newRow("full-width digits") << QStringLiteral("１３８００１３８０００") << false;
}

void TestMobileTool::numberRule()
{
    QFETCH(QString, number);
    QFETCH(bool, wellFormed);
    QCOMPARE(MobileNumber::isWellFormed(number), wellFormed);
}

void TestMobileTool::answerLines_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("cutStart");
    QTest::addColumn<int>("cutEnd");
    QTest::addColumn<int>("cutEnd2");

    const QString answer = QStringLiteral("卡号归属地广东 深圳 卡 类 型移动全球通卡 区 号0755 邮 编518000 更详细的..");
    QTest::newRow("complete") << QString("ab" + answer) << CompleteLines << "" << 3 << 14 << 26;
    // With the first marker missing, line 1 simply starts near the top.
    QTest::newRow("place marker missing")
        << QStringLiteral("0123456789卡 类 型GSM 区 号010 邮 编100000 更详细的..")
        << QStringLiteral("归属：45678\r\n区号：010\r\n卡型：GSM\r\n邮编：100000") << "" << 0 << 11 << 20;
    QTest::newRow("no card type") << QStringLiteral("卡号归属地广东 深圳 卡类型移动 区 号0755 邮 编518000 更详细的..")
                                  << ""
                                  << "argument" << 1 << 0 << 18;
    QTest::newRow("no post code") << QStringLiteral("卡号归属地广东 卡 类 型移动 区 号0755 更详细的..") << ""
                                  << "argument" << 1 << 9 << 17;
    // The post-code and closing positions are 32-bit: far down the page they
    // still cut, and line 2 runs through everything up to the post code.
    const QString filler(33000, QLatin1Char('x'));
    QTest::newRow("post code beyond 32767") << QString(QStringLiteral("卡号归属地广东 卡 类 型移动 区 号0755") +
                                                       filler + QStringLiteral(" 邮 编518000 更详细的.."))
                                            << QString(QStringLiteral("归属：广东\r\n区号：0755") + filler +
                                                       QStringLiteral("\r\n卡型：移动\r\n邮编：518000"))
                                            << "" << 1 << 9 << 17;
    QTest::newRow("place marker beyond 32767") << QString(filler + answer) << ""
                                               << "overflow" << 0 << 0 << 0;
}

void TestMobileTool::answerLines()
{
    QFETCH(QString, page);
    QFETCH(QString, lines);
    QFETCH(QString, error);
    QFETCH(int, cutStart);
    QFETCH(int, cutEnd);
    QFETCH(int, cutEnd2);

    LookupState state;
    QString got;
    QString raised;
    try {
        got = MobileNumber::answerLines(page, state);
    } catch (const OverflowError &) {
        raised = QStringLiteral("overflow");
    } catch (const InvalidArgumentError &) {
        raised = QStringLiteral("argument");
    }
    QCOMPARE(raised, error);
    QCOMPARE(got, lines);
    QCOMPARE(int(state.CutStart), cutStart);
    QCOMPARE(int(state.CutEnd), cutEnd);
    QCOMPARE(int(state.CutEnd2), cutEnd2);
}

void TestMobileTool::panel_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("page");         // answer of the service; "" = none expected
    QTest::addColumn<QByteArray>("sentQuery"); // path and query on the wire
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("numberAfter");
    QTest::addColumn<QString>("status");

    const QByteArray path = "/search.asp?action=mobile&mobile=";
    QTest::newRow("10 characters") << "1380013800"
                                   << "" << QByteArray() << Refusal << ""
                                   << "before";
    QTest::newRow("a letter") << "1380013800a"
                              << "" << QByteArray() << Refusal << ""
                              << "before";
    QTest::newRow("rejection page") << "13800138000"
                                    << "mobile/rejected.html" << path + "13800138000" << Rejection << ""
                                    << ProductTitle();
    QTest::newRow("complete answer") << "13800138000"
                                     << "mobile/complete.html" << path + "13800138000" << CompleteLines << "13800138000"
                                     << ProductTitle();
    // Blanks and a sign pass the check and go out as typed.
    QTest::newRow("blank and sign") << " +138001380"
                                    << "mobile/complete.html" << path + "%20+138001380" << CompleteLines
                                    << " +138001380" << ProductTitle();
    QTest::newRow("no card type") << "13800138000"
                                  << "mobile/no-card-type.html" << path + "13800138000" << errorText() << "13800138000"
                                  << QStringLiteral("查询出错！");
    QTest::newRow("first marker beyond 32767") << "13800138000"
                                               << "mobile/far-marker.html" << path + "13800138000" << errorText()
                                               << "13800138000" << QStringLiteral("查询出错！");
}

void TestMobileTool::panel()
{
    QFETCH(QString, typed);
    QFETCH(QString, page);
    QFETCH(QByteArray, sentQuery);
    QFETCH(QString, result);
    QFETCH(QString, numberAfter);
    QFETCH(QString, status);

    ToolOnPanel<MobileTool> rig;
    auto *txtShouJi = rig.find<QLineEdit>("txtShouJi");
    auto *cmdShouJiChaXun = rig.find<QPushButton>("cmdShouJiChaXun");
    auto *txtSJJG = rig.find<ResultBox>("txtSJJG");
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    if (!page.isEmpty())
        rig.server().setRoute(MobileHost, MobileRoute, StandinServer::page(page));
    QList<Waiting> waiting;
    rig.fetcher.whileFetching = [&] {
        waiting.append({txtShouJi->isEnabled(), cmdShouJiChaXun->isEnabled(), txtSJJG->isEnabled(), rig.status->text(),
                        txtSJJG->text()});
    };
    QCOMPARE(txtSJJG->text(), QStringLiteral("    输入手机号码即可查询。"));

    QTest::keyClicks(txtShouJi, typed);
    QCOMPARE(txtShouJi->text(), typed);
    QTest::mouseClick(cmdShouJiChaXun, Qt::LeftButton);

    QCOMPARE(txtSJJG->text(), result);
    QCOMPARE(txtShouJi->text(), numberAfter);
    QCOMPARE(rig.status->text(), status);
    QVERIFY(txtShouJi->isEnabled());
    QVERIFY(cmdShouJiChaXun->isEnabled());
    QVERIFY(txtSJJG->isEnabled());
    QVERIFY(rig.boxes.boxes.isEmpty());

    const auto requests = rig.server().requests();
    if (sentQuery.isEmpty()) {
        QCOMPARE(requests.size(), 0);
        QVERIFY(waiting.isEmpty());
        // A refused number leaves the user in the emptied box.
        QCOMPARE(QApplication::focusWidget(), txtShouJi);
        return;
    }
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].host, MobileHost);
    QCOMPARE(requests[0].pathAndQuery, sentQuery);
    QCOMPARE(rig.state.PageText.isEmpty(), false);
    QCOMPARE(waiting.size(), 1);
    QVERIFY(!waiting[0].numberEnabled);
    QVERIFY(!waiting[0].buttonEnabled);
    QVERIFY(!waiting[0].resultEnabled);
    QCOMPARE(waiting[0].status, QStringLiteral("正在查询手机号归属地中..."));
    QCOMPARE(waiting[0].result, QStringLiteral("正在查询归属地中......"));
}

void TestMobileTool::typingStopsAtElevenCharacters()
{
    ToolOnPanel<MobileTool> rig;
    auto *txtShouJi = rig.find<QLineEdit>("txtShouJi");
    QTest::keyClicks(txtShouJi, "138001380001");
    QCOMPARE(txtShouJi->text(), QStringLiteral("13800138000"));
}

// A fetch that fails ends the program; the tool's own trap must not turn it
// into "查询出错！".
void TestMobileTool::failedFetchEndsTheProgram()
{
    ToolOnPanel<MobileTool> rig;
    rig.server().setRoute(MobileHost, MobileRoute, StandinServer::closeWithoutAnswer());
    rig.find<QLineEdit>("txtShouJi")->setText(QStringLiteral("13800138000"));
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, rig.tool.cmdShouJiChaXun_Click());
    QCOMPARE(rig.fatal.count, 1);
    QCOMPARE(rig.status->text(), QStringLiteral("正在查询手机号归属地中..."));
}

QTEST_MAIN(TestMobileTool)
#include "tst_mobiletool.moc"
