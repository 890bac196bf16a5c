#include "IdCardNumber.h"
#include "IdCardTool.h"
#include "PageText.h"
#include "ProgramVersion.h"
#include "ToolPanelRig.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace
{

const QString IdCardHost = QStringLiteral("www.shenfenzheng.cn");
const QByteArray IdCardRoute = "/idsearch/index.asp?action=idcard&userid=*";
const QString FormError = QStringLiteral("身份证号输入错误！");
const QString Failure = QStringLiteral("身份证查询失败！出现未知错误！");
const QString NotPassed = QStringLiteral("校验结果：未通过校验");
const QString Passed = QStringLiteral("校验结果：通过校验");

} // namespace

class TestIdCardTool : public QObject
{
    Q_OBJECT
private slots:
    void formCheck_data();
    void formCheck();
    void checkCharacter_data();
    void checkCharacter();
    void verdict_data();
    void verdict();
    void sexAndBirthDate_data();
    void sexAndBirthDate();
    void issuingPlace_data();
    void issuingPlace();
    void panel_data();
    void panel();
    void infoPicturesCarryTheirHints();
    void failedFetchEndsTheProgram();
};

void TestIdCardTool::formCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("18 digits") << "110105190012310018"
                               << "accepted";
    QTest::newRow("17 digits and X") << "11010519491231002X"
                                     << "accepted";
    // Only the first 17 characters are read, so the form check lets a bad
    // 18th character through to the check-character step.
    QTest::newRow("17 digits and a letter") << "11010519001231001A"
                                            << "accepted";
    QTest::newRow("leading blank") << " 1101051900123100X"
                                   << "accepted";
    QTest::newRow("leading sign") << "-1101051900123100X"
                                  << "accepted";
    QTest::newRow("17 digits") << "11010519001231001"
                               << "refused";
    QTest::newRow("19 digits") << "1101051900123100180"
                               << "refused";
    QTest::newRow("not whole") << "1101051900.231001X"
                               << "refused";
    QTest::newRow("whole with a point") << "1101051900123100.X"
                                        << "accepted";
    QTest::newRow("empty") << ""
                           << "not a number";
    QTest::newRow("leading letter") << "A10105190012310018"
                                    << "not a number";
    QTest::newRow("exponent") << "1e105190012310018X"
                              << "not a number";
    QTest::newRow("hexadecimal") << "0x105190012310018X"
                                 << "not a number";
    QTest::newRow("thousands separator") << "1,10105190012310018"
                                         << "not a number";
}

void TestIdCardTool::formCheck()
{
    QFETCH(QString, typed);
    QFETCH(QString, outcome);
    QString got;
    try {
        got = IdCardNumber::checkForm(typed) == IdCardNumber::Form::Accepted ? "accepted" : "refused";
    } catch (const IdCardNumber::NotANumber &) {
        got = "not a number";
    }
    QCOMPARE(got, outcome);
}

void TestIdCardTool::checkCharacter_data()
{
    QTest::addColumn<QString>("first17");
    QTest::addColumn<QChar>("expected");
    // One number for each remainder 0..10 of the weighted sum.
    QTest::newRow("remainder 0") << "11010519900101030" << QChar('1');
    QTest::newRow("remainder 1") << "11010519900101060" << QChar('0');
    QTest::newRow("remainder 2") << "11010519900101090" << QChar('X');
    QTest::newRow("remainder 3") << "11010519900101010" << QChar('9');
    QTest::newRow("remainder 4") << "11010519900101040" << QChar('8');
    QTest::newRow("remainder 5") << "11010519900101070" << QChar('7');
    QTest::newRow("remainder 6") << "11010519900101180" << QChar('6');
    QTest::newRow("remainder 7") << "11010519900101020" << QChar('5');
    QTest::newRow("remainder 8") << "11010519900101050" << QChar('4');
    QTest::newRow("remainder 9") << "11010519900101080" << QChar('3');
    QTest::newRow("remainder 10") << "11010519900101000" << QChar('2');
    QTest::newRow("largest sum") << "99999999999999999" << QChar('3'); // 900 mod 11 = 9
}

void TestIdCardTool::checkCharacter()
{
    QFETCH(QString, first17);
    QFETCH(QChar, expected);
    QCOMPARE(IdCardNumber::expectedCheckCharacter(first17), expected);
}

void TestIdCardTool::verdict_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("X called for and given") << "11010519491231002X"
                                            << "passed";
    QTest::newRow("X passes whatever the year") << "11010518991201008X"
                                                << "passed";
    QTest::newRow("X called for, digit given") << "110105194912310020"
                                               << "failed";
    QTest::newRow("X called for, letter given") << "11010519491231002A"
                                                << "failed";
    QTest::newRow("X given, digit called for") << "11010519001231001X"
                                               << "failed";
    QTest::newRow("wrong check digit") << "110105190012310019"
                                       << "failed";
    QTest::newRow("year 1899") << "110105189912310015"
                               << "failed";
    QTest::newRow("year 1900") << "110105190012310018"
                               << "passed";
    QTest::newRow("month 13, day 00") << "110105200013001002"
                                      << "passed";
    QTest::newRow("letter given, digit called for") << "11010519001231001A"
                                                    << "not a number";
    QTest::newRow("letter among the first 17") << "1101051900123100A8"
                                               << "not a number";
    QTest::newRow("lower-case x is no X") << "11010519491231002x"
                                          << "failed";
}

void TestIdCardTool::verdict()
{
    QFETCH(QString, number);
    QFETCH(QString, outcome);
    QString got;
    try {
        got = IdCardNumber::verdict(number) == IdCardNumber::Verdict::Passed ? "passed" : "failed";
    } catch (const IdCardNumber::NotANumber &) {
        got = "not a number";
    }
    QCOMPARE(got, outcome);
}

void TestIdCardTool::sexAndBirthDate_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QString>("birthDate");
    QTest::newRow("odd 17th") << "110105190012310018" << QStringLiteral("性别：男")
                              << QStringLiteral("出生日期：1900年12月31日");
    QTest::newRow("even 17th") << "11010519491231002X" << QStringLiteral("性别：女")
                               << QStringLiteral("出生日期：1949年12月31日");
    QTest::newRow("zero 17th, date as it stands")
        << "110105200013001002" << QStringLiteral("性别：女") << QStringLiteral("出生日期：2000年13月00日");
}

void TestIdCardTool::sexAndBirthDate()
{
    QFETCH(QString, number);
    QFETCH(QString, sex);
    QFETCH(QString, birthDate);
    QCOMPARE(IdCardNumber::sexText(number), sex);
    QCOMPARE(IdCardNumber::birthDateText(number), birthDate);
}

void TestIdCardTool::issuingPlace_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("cutStart");
    QTest::addColumn<int>("cutEnd");
    const QString second = QStringLiteral("点击这里查询验证身份证号码及照片的真实资料");
    QTest::newRow("first end marker") << QStringLiteral("ab发 证 地：北京市部分或全部现为：北京市 ") + second
                                      << QStringLiteral("北京市") << "" << 9 << 12;
    QTest::newRow("second end marker minus 7")
        << QStringLiteral("发 证 地：上海市1234567") + second << QStringLiteral("上海市") << "" << 7 << 10;
    QTest::newRow("first end marker wins")
        << QStringLiteral("发 证 地：广州1234567") + second + QStringLiteral("部分或全部现为：")
        << QStringLiteral("广州1234567") + second << "" << 7 << 37;
    // Without the place marker the cut starts at 6.
    QTest::newRow("no place marker") << QStringLiteral("abcdefgh部分或全部现为：") << QStringLiteral("fgh") << "" << 6
                                     << 9;
    QTest::newRow("no end marker") << QStringLiteral("发 证 地：北京市") << ""
                                   << "argument" << 7 << -7;
    QTest::newRow("place marker beyond 32767")
        << QString(QString(32762, QLatin1Char('x')) + QStringLiteral("发 证 地：北京市部分或全部现为：")) << ""
        << "overflow" << 0 << 0;
}

void TestIdCardTool::issuingPlace()
{
    QFETCH(QString, page);
    QFETCH(QString, place);
    QFETCH(QString, error);
    QFETCH(int, cutStart);
    QFETCH(int, cutEnd);
    LookupState state;
    QString got;
    QString raised;
    try {
        got = IdCardNumber::issuingPlace(page, state);
    } catch (const OverflowError &) {
        raised = "overflow";
    } catch (const InvalidArgumentError &) {
        raised = "argument";
    }
    QCOMPARE(raised, error);
    QCOMPARE(got, place);
    QCOMPARE(int(state.CutStart), cutStart);
    QCOMPARE(int(state.CutEnd), cutEnd);
}

void TestIdCardTool::panel_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("page"); // the service's answer
    QTest::addColumn<QString>("sent"); // the number on the wire; "" = no request
    QTest::addColumn<QString>("box");  // the message box's text; "" = none
    QTest::addColumn<QString>("numberAfter");
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QString>("birth");
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("status");

    const QString bareSex = QStringLiteral("性别："), bareBirth = QStringLiteral("出生日期："),
                  barePlace = QStringLiteral("发证地："), bareVerdict = QStringLiteral("校验结果："),
                  unknown = QStringLiteral("校验结果：未知");
    const QString beijing = QStringLiteral("发证地：北京市朝阳区");
    const QString male = QStringLiteral("性别：男"), female = QStringLiteral("性别：女");
    const QString born1900 = QStringLiteral("出生日期：1900年12月31日");
    const QString title = ProductTitle(), failed = QStringLiteral("出现错误！");
    const QString place = "idcard/place.html";

    QTest::newRow("X check, upper case") << "11010519491231002X" << place << "11010519491231002X"
                                         << ""
                                         << "11010519491231002X" << female << QStringLiteral("出生日期：1949年12月31日")
                                         << beijing << Passed << title;
    QTest::newRow("X check, lower case") << "11010519491231002x" << place << "11010519491231002X"
                                         << ""
                                         << "11010519491231002X" << female << QStringLiteral("出生日期：1949年12月31日")
                                         << beijing << Passed << title;
    QTest::newRow("X check, year 1899") << "11010518991201008X" << place << "11010518991201008X"
                                        << ""
                                        << "11010518991201008X" << female << QStringLiteral("出生日期：1899年12月01日")
                                        << beijing << Passed << title;
    QTest::newRow("year 1899") << "110105189912310015" << place << ""
                               << ""
                               << "110105189912310015" << bareSex << bareBirth << barePlace << NotPassed << "before";
    QTest::newRow("year 1900") << "110105190012310018" << place << "110105190012310018"
                               << ""
                               << "110105190012310018" << male << born1900 << beijing << Passed << title;
    QTest::newRow("month 13, day 00") << "110105200013001002" << place << "110105200013001002"
                                      << ""
                                      << "110105200013001002" << female << QStringLiteral("出生日期：2000年13月00日")
                                      << beijing << Passed << title;
    QTest::newRow("wrong check digit") << "110105190012310019" << place << ""
                                       << ""
                                       << "110105190012310019" << bareSex << bareBirth << barePlace << NotPassed
                                       << "before";
    QTest::newRow("X given, digit called for")
        << "11010519001231001X" << place << ""
        << ""
        << "11010519001231001X" << bareSex << bareBirth << barePlace << NotPassed << "before";
    QTest::newRow("X called for, letter given")
        << "11010519491231002a" << place << ""
        << ""
        << "11010519491231002A" << bareSex << bareBirth << barePlace << NotPassed << "before";
    QTest::newRow("19 digits") << "1101051900123100180" << place << "" << FormError << "" << bareSex << bareBirth
                               << barePlace << unknown << "before";
    QTest::newRow("17 digits") << "11010519001231001" << place << "" << FormError << "" << bareSex << bareBirth
                               << barePlace << unknown << "before";
    QTest::newRow("not whole") << "1101051900.231001X" << place << "" << FormError << "" << bareSex << bareBirth
                               << barePlace << unknown << "before";
    QTest::newRow("empty box") << "" << place << "" << Failure << "" << bareSex << bareBirth << barePlace << unknown
                               << failed;
    QTest::newRow("leading letter") << "A10105190012310018" << place << "" << Failure << "A10105190012310018" << bareSex
                                    << bareBirth << barePlace << unknown << failed;
    // The box was upper-cased and the labels reset before the letter was read.
    QTest::newRow("18th a letter, digit called for")
        << "11010519001231001a" << place << "" << Failure << "11010519001231001A" << bareSex << bareBirth << barePlace
        << bareVerdict << failed;
    QTest::newRow("service rejects") << "110105190012310018"
                                     << "idcard/rejected.html"
                                     << "110105190012310018"
                                     << ""
                                     << "110105190012310018" << male << born1900 << barePlace << NotPassed << "";
    QTest::newRow("second end marker") << "110105190012310018"
                                       << "idcard/second-marker.html"
                                       << "110105190012310018"
                                       << ""
                                       << "110105190012310018" << male << born1900 << beijing << Passed << title;
    QTest::newRow("no end marker") << "110105190012310018"
                                   << "idcard/no-end.html"
                                   << "110105190012310018" << Failure << "110105190012310018" << male << born1900
                                   << barePlace << bareVerdict << failed;
    QTest::newRow("place marker beyond 32767") << "110105190012310018"
                                               << "idcard/far-marker.html"
                                               << "110105190012310018" << Failure << "110105190012310018" << male
                                               << born1900 << barePlace << bareVerdict << failed;
}

void TestIdCardTool::panel()
{
    QFETCH(QString, typed);
    QFETCH(QString, page);
    QFETCH(QString, sent);
    QFETCH(QString, box);
    QFETCH(QString, numberAfter);
    QFETCH(QString, sex);
    QFETCH(QString, birth);
    QFETCH(QString, place);
    QFETCH(QString, verdict);
    QFETCH(QString, status);

    ToolOnPanel<IdCardTool> rig;
    auto *txtSFZ = rig.find<QLineEdit>("txtSFZ");
    auto *cmdShenFenZhengChaXun = rig.find<QPushButton>("cmdShenFenZhengChaXun");
    auto *lblXingBie = rig.find<QLabel>("lblXingBie");
    auto *lblChuSheng = rig.find<QLabel>("lblChuSheng");
    auto *lblSFZSuoZai = rig.find<QLabel>("lblSFZSuoZai");
    auto *lblZW = rig.find<QLabel>("lblZW");
    rig.server().setRoute(IdCardHost, IdCardRoute, StandinServer::page(page));
    bool numberEnabled = true, buttonEnabled = true;
    QString statusWaiting, sexWaiting;
    int fetches = 0;
    rig.fetcher.whileFetching = [&] {
        ++fetches;
        numberEnabled = txtSFZ->isEnabled();
        buttonEnabled = cmdShenFenZhengChaXun->isEnabled();
        statusWaiting = rig.status->text();
        sexWaiting = lblXingBie->text();
    };

    QTest::keyClicks(txtSFZ, typed);
    QTest::mouseClick(cmdShenFenZhengChaXun, Qt::LeftButton);

    if (box.isEmpty()) {
        QVERIFY(rig.boxes.boxes.isEmpty());
    } else {
        QCOMPARE(rig.boxes.boxes.size(), 1);
        QCOMPARE(rig.boxes.boxes[0].icon, MessageBoxes::Icon::Critical);
        QCOMPARE(rig.boxes.boxes[0].title, QStringLiteral("错误"));
        QCOMPARE(rig.boxes.boxes[0].text, box);
    }
    QCOMPARE(txtSFZ->text(), numberAfter);
    QCOMPARE(lblXingBie->text(), sex);
    QCOMPARE(lblChuSheng->text(), birth);
    QCOMPARE(lblSFZSuoZai->text(), place);
    QCOMPARE(lblZW->text(), verdict);
    QCOMPARE(lblZW->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(rig.status->text(), status);
    QVERIFY(txtSFZ->isEnabled());
    QVERIFY(cmdShenFenZhengChaXun->isEnabled());

    const auto requests = rig.server().requests();
    if (sent.isEmpty()) {
        QCOMPARE(requests.size(), 0);
        QCOMPARE(fetches, 0);
        return;
    }
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].host, IdCardHost);
    QCOMPARE(requests[0].pathAndQuery, "/idsearch/index.asp?action=idcard&userid=" + sent.toLatin1());
    // While the service is asked, the box and button are off, the status line
    // shows no progress and the sex is already read.
    QCOMPARE(fetches, 1);
    QVERIFY(!numberEnabled);
    QVERIFY(!buttonEnabled);
    QCOMPARE(statusWaiting, QStringLiteral("before"));
    QCOMPARE(sexWaiting, sex);
}

void TestIdCardTool::infoPicturesCarryTheirHints()
{
    ToolOnPanel<IdCardTool> rig;
    const struct {
        const char *name;
        QRect place;
        QString tip;
    } pictures[] = {
        {"Picture2(4)", QRect(168, 122, 16, 16), QStringLiteral("性别根据号码第15-17位得出。")},
        {"Picture2(5)", QRect(168, 193, 16, 16), QStringLiteral("校验结果为根据号码本地及联网鉴定得出结果。")},
    };
    for (const auto &picture : pictures) {
        auto *label = rig.panel->findChild<QLabel *>(QString::fromLatin1(picture.name));
        QVERIFY2(label, picture.name);
        QCOMPARE(label->geometry(), picture.place);
        QCOMPARE(label->toolTip(), picture.tip);
        QVERIFY(!label->pixmap().isNull());
    }
}

// A fetch that fails ends the program; the tool's own trap must not turn it
// into its failure box.
void TestIdCardTool::failedFetchEndsTheProgram()
{
    ToolOnPanel<IdCardTool> rig;
    rig.server().setRoute(IdCardHost, IdCardRoute, StandinServer::closeWithoutAnswer());
    rig.find<QLineEdit>("txtSFZ")->setText(QStringLiteral("110105190012310018"));
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, rig.tool.cmdShenFenZhengChaXun_Click());
    QCOMPARE(rig.fatal.count, 1);
    QVERIFY(rig.boxes.boxes.isEmpty());
    QCOMPARE(rig.status->text(), QStringLiteral("before"));
}

QTEST_MAIN(TestIdCardTool)
#include "tst_idcardtool.moc"
