#include "BrowserView.h"
#include "Endpoints.h"
#include "FixedLineAnswer.h"
#include "PageText.h"
#include "ResultBox.h"
#include "TelephoneTool.h"
#include "ToolPanelRig.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

// The telephone panel TabTel: the fixed-line lookup with a browser view the
// test completes (the page it "loads" is fetched from the stand-in server, so
// its text is the rendered text a real view gives), the number-range search
// and the e-mail help box.
namespace
{

const QString TelephonePath = QStringLiteral("/dh/114.aspx?w=");
const QString Connecting = QStringLiteral("正在连接服务器中...");
const QString RateLimited = QStringLiteral("没有查找到该号码的地理位置。");
const QString LookupError = QStringLiteral("发生错误。");
const QString UnknownError = QStringLiteral("出现未知错误！");
const QString NotWhole = QStringLiteral("区号和电话号码必须是数字！");
const QString ShortNumber = QStringLiteral("电话号码格式为 010-12345678 ！");
const QString SampleLocation = QStringLiteral("北京市西城区金融街一带，临近复兴门");
const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);
const QString SearchPrefix = QStringLiteral(
    "http://www.haoma-sousuo.com/search?num=50&hl=en&lr=&newwindow=-1&q=%E7%94%B5%E8%AF%9D%E5%8F%B7%E7%A0%81+");

QString pageWith(const QString &body)
{
    return QStringLiteral("<html><head><title>固话</title></head><body>") + body + QStringLiteral("</body></html>");
}

// The panel on a shown window with recording browser views, the page fetch
// through the stand-in server, recorded boxes and shell, and a status line
// that starts as "before" (the telephone tools leave it alone).
struct Rig : ToolOnPanel<TelephoneTool> {
    Rig() : ToolOnPanel({.recordingBrowsers = true}) {}
    RecordingBrowserView *view() const { return recordingBrowsers.views.value(0); }
    // The view finishes loading the address it was sent to.
    void loadNavigatedPage() { view()->finish(fetcher.fetchPageText(view()->navigations.last())); }
    bool telephoneControlsEnabled() const
    {
        return txtTel->isEnabled() && txtTelWZ->isEnabled() && cmdTelChaXun->isEnabled();
    }
    bool telephoneControlsDisabled() const
    {
        return !txtTel->isEnabled() && !txtTelWZ->isEnabled() && !cmdTelChaXun->isEnabled();
    }
    QLineEdit *txtTel = find<QLineEdit>("txtTel");
    QPushButton *cmdTelChaXun = find<QPushButton>("cmdTelChaXun");
    ResultBox *txtTelWZ = find<ResultBox>("txtTelWZ");
};

} // namespace

class TestTelephoneTool : public QObject
{
    Q_OBJECT
private slots:
    void controlsAtTheirPlaces();
    void scan_data();
    void scan();
    void scanStopsWhenTheCallerIsGone();
    void locationCut_data();
    void locationCut();
    void lookup_data();
    void lookup();
    void shortNumberIsRefused_data();
    void shortNumberIsRefused();
    void scanYieldsAndKeepsToItsOwnText();
    void completionWithoutQueryDoesNothing();
    void withoutBrowserTheLookupFails();
    void rangeSearch_data();
    void rangeSearch();
    void emailHelp();
};

void TestTelephoneTool::controlsAtTheirPlaces()
{
    Rig rig;
    auto *Text2 = rig.find<QLineEdit>("Text2");
    auto *Text3 = rig.find<QLineEdit>("Text3");
    auto *Command5 = rig.find<QPushButton>("Command5");
    auto *Command4 = rig.find<QPushButton>("Command4");
    auto *Label15 = rig.find<QLabel>("Label15");
    auto *Label16 = rig.find<QLabel>("Label16");
    auto *Label17 = rig.find<QLabel>("Label17");
    auto *lblTelJS = rig.find<QLabel>("lblTelJS");
    auto *Label19 = rig.find<QLabel>("Label19");
    auto *Label20 = rig.find<QLabel>("Label20");
    auto *Label18 = rig.find<QLabel>("Label18");
    QCOMPARE(rig.txtTel->geometry(), QRect(168, 144, 121, 25));
    QCOMPARE(rig.txtTel->maxLength(), 13);
    QCOMPARE(rig.cmdTelChaXun->geometry(), QRect(288, 144, 41, 25));
    QCOMPARE(rig.cmdTelChaXun->text(), QStringLiteral("查询"));
    QCOMPARE(rig.txtTelWZ->geometry(), QRect(120, 184, 209, 201));
    QVERIFY(rig.txtTelWZ->isReadOnly());
    QCOMPARE(rig.txtTelWZ->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(rig.tool.txtTelWZColour(), Blue);
    QCOMPARE(Text2->geometry(), QRect(344, 312, 41, 25));
    QCOMPARE(Text2->maxLength(), 4);
    QCOMPARE(Text3->geometry(), QRect(392, 312, 89, 25));
    QCOMPARE(Text3->maxLength(), 8);
    QCOMPARE(Command5->geometry(), QRect(480, 312, 57, 25));
    QCOMPARE(Command5->text(), QStringLiteral("查询"));
    QCOMPARE(Command4->geometry(), QRect(336, 344, 169, 25));
    QCOMPARE(Command4->text(), QStringLiteral("查询Email所在地"));

    // The browser is ten pixels square on the panel: the page is never seen.
    QCOMPARE(rig.recordingBrowsers.views.size(), 1);
    QCOMPARE(rig.view()->widget()->geometry(), QRect(416, 352, 10, 10));
    QCOMPARE(rig.view()->widget()->parentWidget(), rig.panel);
    QCOMPARE(rig.find<BrowserView>("WebTel"), rig.view());

    QCOMPARE(Label15->text(), QStringLiteral("数据库式查询："));
    QCOMPARE(Label15->pos(), QPoint(128, 120));
    QCOMPARE(Label15->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    QVERIFY(Label15->font().bold());
    QCOMPARE(Label16->text(), QStringLiteral("范围式查询："));
    QCOMPARE(Label16->pos(), QPoint(344, 120));
    for (const char *name : {"lblTel(0)", "lblTel(1)"}) {
        auto *label = rig.panel->findChild<QLabel *>(QString::fromLatin1(name));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("电话："));
        QCOMPARE(label->font().pointSizeF(), 10.5);
    }
    QCOMPARE(
        Label17->text(),
        QStringLiteral("如果在左边数据库中无法查询您需要查询的电话号码所在地，您还可以尝试使用范围式查询，因为同号段电"
                       "话号码位置在同一地区，优点：范围大，结果全面。                       格式：010-88888888"));
    QCOMPARE(
        lblTelJS->text(),
        QStringLiteral("    本功能可以指导您通过对方固定电话查询对方所在地的具体位置（大概是街道区域），标志性建筑等"
                       "信息。本功能由Orvalent云数据中心提供。"));
    QCOMPARE(Label19->text(), QStringLiteral("区号"));
    QCOMPARE(Label20->text(), QStringLiteral("电话号码"));
    QCOMPARE(Label18->text(), QStringLiteral("-"));
}

void TestTelephoneTool::scan_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("yields"); // one after every position that did not match

    const QString frequent = FixedLineAnswer::TooFrequentMarker;
    QTest::newRow("marker at position 1") << QString(frequent + "xyz") << frequent << true << 0;
    QTest::newRow("marker after five characters") << QString("abcde" + frequent) << frequent << true << 5;
    QTest::newRow("absent: every position yields") << QString(20, u'x') << frequent << false << 20;
    QTest::newRow("cut off at the end of the text") << QString("ab" + frequent.left(13)) << frequent << false << 15;
    QTest::newRow("empty text") << QString() << frequent << false << 0;
    // The second notice is not a part of the first: each is looked for whole.
    QTest::newRow("the other notice") << QString(FixedLineAnswer::TooManyMarker) << frequent << false << 12;
}

void TestTelephoneTool::scan()
{
    QFETCH(QString, text);
    QFETCH(QString, marker);
    QFETCH(bool, found);
    QFETCH(int, yields);
    int turns = 0;
    QCOMPARE(FixedLineAnswer::scanFor(marker, text, [&turns] { return ++turns, true; }), found);
    QCOMPARE(turns, yields);
}

void TestTelephoneTool::scanStopsWhenTheCallerIsGone()
{
    int turns = 0;
    const QString text = QString(10, u'x') + FixedLineAnswer::TooManyMarker;
    QVERIFY(!FixedLineAnswer::scanFor(FixedLineAnswer::TooManyMarker, text, [&turns] { return ++turns < 3; }));
    QCOMPARE(turns, 3);
}

void TestTelephoneTool::locationCut_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("cutStart");
    QTest::addColumn<int>("cutEnd");

    const QString marker = FixedLineAnswer::AreaMarker;
    // The marker and one character are skipped; the last character taken is
    // the 11th before the asterisk.
    QTest::newRow("location") << QString("ab" + marker + ":上海市徐汇区0123456789＊") << QStringLiteral("上海市徐汇区")
                              << "" << 14 << 21;
    QTest::newRow("nothing between") << QString(marker + " 0123456789＊") << ""
                                     << "" << 12 << 13;
    QTest::newRow("no area marker: cut from 11") << QStringLiteral("0123456789ABCDEF0123456789＊") << "ABCDEF"
                                                 << "" << 11 << 18;
    QTest::newRow("no asterisk") << QString(marker + " 上海市") << ""
                                 << "argument" << 12 << -9;
    QTest::newRow("asterisk before the location") << QString("＊" + marker + " 上海市0123456789") << ""
                                                  << "argument" << 13 << -8;
    const QString filler(33000, u'x');
    QTest::newRow("area marker beyond 32767") << QString(filler + marker + " 上海市0123456789＊") << ""
                                              << "overflow" << 0 << 0;
    QTest::newRow("asterisk beyond 32767") << QString(marker + " 上海市" + filler + "＊") << ""
                                           << "overflow" << 12 << 0;
    // The nine are taken off the asterisk's position before it is held in 16
    // bits: an asterisk at 32776 still gives CutEnd 32767.
    QTest::newRow("asterisk at 32776") << QString(marker + " 上海市" + QString(32761, u'x') + "＊")
                                       << QString("上海市" + QString(32751, u'x')) << "" << 12 << 32767;
    QTest::newRow("asterisk at 32777") << QString(marker + " 上海市" + QString(32762, u'x') + "＊") << ""
                                       << "overflow" << 12 << 0;
}

void TestTelephoneTool::locationCut()
{
    QFETCH(QString, page);
    QFETCH(QString, location);
    QFETCH(QString, error);
    QFETCH(int, cutStart);
    QFETCH(int, cutEnd);
    LookupState state;
    QString got;
    QString raised;
    try {
        got = FixedLineAnswer::locationCut(page, state);
    } catch (const OverflowError &) {
        raised = QStringLiteral("overflow");
    } catch (const InvalidArgumentError &) {
        raised = QStringLiteral("argument");
    }
    QCOMPARE(raised, error);
    QCOMPARE(got, location);
    QCOMPARE(int(state.CutStart), cutStart);
    QCOMPARE(int(state.CutEnd), cutEnd);
}

void TestTelephoneTool::lookup_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("page");   // stand-in page; empty: the markup column
    QTest::addColumn<QString>("markup"); // null: the committed route
    QTest::addColumn<bool>("readable");  // false: the document's text cannot be read
    QTest::addColumn<QString>("result");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("errorBox");

    // 010, a dash and seven digits: eleven characters, sent dash and all.
    QTest::newRow("location") << "010-6601234"
                              << "" << QString() << true << SampleLocation << Blue << false;
    QTest::newRow("thirteen digits") << "0755123456789"
                                     << "telephone/location.html" << QString() << true << SampleLocation << Blue
                                     << false;
    QTest::newRow("too frequent") << "010-6601234"
                                  << "telephone/too-frequent.html" << QString() << true << RateLimited << Red << false;
    // Found only by the second scan, after the first ran over the whole text.
    QTest::newRow("too many") << "010-6601234"
                              << "telephone/too-many.html" << QString() << true << RateLimited << Red << false;
    QTest::newRow("no asterisk") << "010-6601234"
                                 << "telephone/no-asterisk.html" << QString() << true << LookupError << Red << true;
    QTest::newRow("asterisk too early") << "010-6601234"
                                        << ""
                                        << pageWith(QStringLiteral("<p>＊</p><p>该号段电话分部区域：北京市西城区</p>"))
                                        << true << LookupError << Red << true;
    QTest::newRow("no area marker: cut from 11")
        << "010-6601234"
        << "" << pageWith(QStringLiteral("<p>0123456789ABCDEF0123456789＊</p>")) << true << QStringLiteral("ABCDEF")
        << Blue << false;
    QTest::newRow("area marker beyond 32767")
        << "010-6601234"
        << ""
        << pageWith(QStringLiteral("<p>") + QString(33000, u'x') +
                    QStringLiteral("</p><p>该号段电话分部区域：北京市0123456789＊</p>"))
        << true << LookupError << Red << true;
    QTest::newRow("unreadable document") << "010-6601234"
                                         << "" << QString() << false << LookupError << Red << true;
}

void TestTelephoneTool::lookup()
{
    QFETCH(QString, typed);
    QFETCH(QString, page);
    QFETCH(QString, markup);
    QFETCH(bool, readable);
    QFETCH(QString, result);
    QFETCH(QColor, colour);
    QFETCH(bool, errorBox);

    Rig rig;
    const QByteArray route = (TelephonePath + typed).toUtf8();
    if (!page.isEmpty())
        rig.server().setRoute(Endpoints::TelephoneHost, route, StandinServer::page(page));
    else if (!markup.isNull())
        rig.server().setRoute(Endpoints::TelephoneHost, route, StandinServer::html(markup));

    QTest::keyClicks(rig.txtTel, typed);
    QTest::mouseClick(rig.cmdTelChaXun, Qt::LeftButton);

    // Waiting for the page: controls disabled, the progress text in blue.
    QCOMPARE(rig.view()->navigations, QStringList{QStringLiteral("http://www.quhao-chaxun.cn/dh/114.aspx?w=") + typed});
    QVERIFY(rig.state.TelPending);
    QVERIFY(rig.telephoneControlsDisabled());
    QCOMPARE(rig.txtTelWZ->text(), Connecting);
    QCOMPARE(rig.tool.txtTelWZColour(), Blue);

    if (readable) {
        rig.loadNavigatedPage();
        const auto requests = rig.server().requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().host, Endpoints::TelephoneHost);
        QCOMPARE(requests.first().pathAndQuery, route);
    } else {
        rig.view()->finish(std::nullopt);
    }
    QVERIFY(!rig.state.TelPending);
    QTRY_VERIFY_WITH_TIMEOUT(rig.telephoneControlsEnabled(), 60000);

    QCOMPARE(rig.txtTelWZ->text(), result);
    QCOMPARE(rig.tool.txtTelWZColour(), colour);
    QCOMPARE(rig.txtTel->text(), typed);
    QCOMPARE(rig.view()->bodyReads, 1);
    if (errorBox) {
        QCOMPARE(rig.boxes.boxes.size(), 1);
        QCOMPARE(rig.boxes.boxes.first().icon, MessageBoxes::Icon::Critical);
        QCOMPARE(rig.boxes.boxes.first().title, QStringLiteral("错误"));
        QCOMPARE(rig.boxes.boxes.first().text, UnknownError);
    } else {
        QVERIFY(rig.boxes.boxes.isEmpty());
    }
    QCOMPARE(rig.status->text(), QStringLiteral("before"));
    QCOMPARE(rig.fatal.count, 0);
}

void TestTelephoneTool::shortNumberIsRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("ten characters with a dash") << "010-660123";
    QTest::newRow("empty") << "";
}

void TestTelephoneTool::shortNumberIsRefused()
{
    QFETCH(QString, typed);
    Rig rig;
    rig.txtTelWZ->setText(QStringLiteral("earlier answer"));
    QTest::keyClicks(rig.txtTel, typed);
    QString inBoxWhileOpen;
    rig.boxes.onShow = [&](const RecordedBox &) { inBoxWhileOpen = rig.txtTel->text(); };
    QTest::mouseClick(rig.cmdTelChaXun, Qt::LeftButton);

    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes.first().icon, MessageBoxes::Icon::Critical);
    QCOMPARE(rig.boxes.boxes.first().title, QStringLiteral("错误"));
    QCOMPARE(rig.boxes.boxes.first().text, ShortNumber);
    // The box is shown first, the number emptied after it.
    QCOMPARE(inBoxWhileOpen, typed);
    QCOMPARE(rig.txtTel->text(), QString());
    QVERIFY(rig.view()->navigations.isEmpty());
    QVERIFY(!rig.state.TelPending);
    QVERIFY(rig.telephoneControlsEnabled());
    QCOMPARE(rig.txtTelWZ->text(), QStringLiteral("earlier answer"));
}

void TestTelephoneTool::scanYieldsAndKeepsToItsOwnText()
{
    Rig rig;
    QTest::keyClicks(rig.txtTel, QStringLiteral("010-6601234"));
    QTest::mouseClick(rig.cmdTelChaXun, Qt::LeftButton);

    // An event queued just before the page text is handed over can only run
    // while the scans yield: it sees the panel still busy, another tool's
    // page lands in PageText, and a second completion arrives.
    struct Seen {
        bool ran = false;
        bool controlsDisabled = false;
        bool pending = true;
        QString result;
    } seen;
    rig.view()->beforeReply = [&] {
        rig.view()->beforeReply = nullptr;
        QTimer::singleShot(0, &rig.window, [&] {
            seen.ran = true;
            seen.controlsDisabled = rig.telephoneControlsDisabled();
            seen.pending = rig.state.TelPending;
            seen.result = rig.txtTelWZ->text();
            rig.state.PageText = QStringLiteral("该号段电话分部区域： 别处 0123456789＊");
            rig.view()->finish(QStringLiteral("查询次数过多，请稍后再试"));
        });
    };
    rig.loadNavigatedPage();
    QTRY_VERIFY_WITH_TIMEOUT(rig.telephoneControlsEnabled(), 60000);

    QVERIFY(seen.ran);
    QVERIFY(seen.controlsDisabled);
    QVERIFY(!seen.pending);
    QCOMPARE(seen.result, Connecting);
    QCOMPARE(rig.txtTelWZ->text(), SampleLocation);
    QCOMPARE(rig.tool.txtTelWZColour(), Blue);
    QCOMPARE(rig.view()->bodyReads, 1);
    QVERIFY(rig.boxes.boxes.isEmpty());
}

void TestTelephoneTool::completionWithoutQueryDoesNothing()
{
    Rig rig;
    rig.txtTelWZ->setText(QStringLiteral("earlier answer"));
    rig.view()->finish(QStringLiteral("查询次数过多，请稍后再试"));
    QCoreApplication::processEvents();
    QCOMPARE(rig.view()->bodyReads, 0);
    QCOMPARE(rig.txtTelWZ->text(), QStringLiteral("earlier answer"));
    QCOMPARE(rig.tool.txtTelWZColour(), Blue);
}

void TestTelephoneTool::withoutBrowserTheLookupFails()
{
    ToolPanelRig rig; // no browser views
    TelephoneTool tool(rig.panel, rig.context);
    rig.show();
    auto *txtTel = rig.find<QLineEdit>("txtTel");
    auto *cmdTelChaXun = rig.find<QPushButton>("cmdTelChaXun");
    auto *txtTelWZ = rig.find<ResultBox>("txtTelWZ");
    QTest::keyClicks(txtTel, QStringLiteral("010-6601234"));
    QTest::mouseClick(cmdTelChaXun, Qt::LeftButton);
    // The page can never come: the controls are not left disabled for good.
    QVERIFY(txtTel->isEnabled() && cmdTelChaXun->isEnabled() && txtTelWZ->isEnabled());
    QVERIFY(!rig.state.TelPending);
    QCOMPARE(txtTelWZ->text(), LookupError);
    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes.first().text, UnknownError);
}

void TestTelephoneTool::rangeSearch_data()
{
    QTest::addColumn<QString>("areaCode");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("terms"); // of the opened search; empty: none opened
    QTest::addColumn<QString>("box");

    QTest::newRow("010 88888888") << "010"
                                  << "88888888"
                                  << "010+88880000...88890000"
                                  << "";
    QTest::newRow("four characters: empty leading part") << "010"
                                                         << "1234"
                                                         << "010+0000...10000"
                                                         << "";
    QTest::newRow("leading zero kept below, dropped above") << "010"
                                                            << "01234567"
                                                            << "010+01230000...1240000"
                                                            << "";
    QTest::newRow("9999 rolls over") << "0755"
                                     << "99991234"
                                     << "0755+99990000...100000000"
                                     << "";
    QTest::newRow("area code with a fraction") << "1.5"
                                               << "88888888"
                                               << "" << NotWhole;
    QTest::newRow("number with a fraction") << "010"
                                            << "8888.5"
                                            << "" << NotWhole;
    // A whole number written with a decimal point is whole.
    QTest::newRow("whole with a point") << "010"
                                        << "8888.0"
                                        << "010+880000...890000"
                                        << "";
    QTest::newRow("letters") << "abc"
                             << "88888888"
                             << "" << UnknownError;
    QTest::newRow("empty area code") << ""
                                     << "88888888"
                                     << "" << UnknownError;
    QTest::newRow("empty number") << "010"
                                  << ""
                                  << "" << UnknownError;
    QTest::newRow("number of three characters") << "010"
                                                << "123"
                                                << "" << UnknownError;
    // Both are read before the fraction is judged.
    QTest::newRow("fraction and letters") << "1.5"
                                          << "88a"
                                          << "" << UnknownError;
}

void TestTelephoneTool::rangeSearch()
{
    QFETCH(QString, areaCode);
    QFETCH(QString, number);
    QFETCH(QString, terms);
    QFETCH(QString, box);

    Rig rig;
    auto *Text2 = rig.find<QLineEdit>("Text2");
    auto *Text3 = rig.find<QLineEdit>("Text3");
    auto *Command5 = rig.find<QPushButton>("Command5");
    QTest::keyClicks(Text2, areaCode);
    QTest::keyClicks(Text3, number);
    bool disabledWhileBoxOpen = false;
    rig.boxes.onShow = [&](const RecordedBox &) { disabledWhileBoxOpen = !Command5->isEnabled(); };
    QTest::mouseClick(Command5, Qt::LeftButton);

    if (terms.isEmpty()) {
        QVERIFY(rig.shell.opened.isEmpty());
        QCOMPARE(rig.boxes.boxes.size(), 1);
        QCOMPARE(rig.boxes.boxes.first().icon, MessageBoxes::Icon::Critical);
        QCOMPARE(rig.boxes.boxes.first().title, QStringLiteral("错误"));
        QCOMPARE(rig.boxes.boxes.first().text, box);
        QVERIFY(disabledWhileBoxOpen);
    } else {
        QVERIFY(rig.boxes.boxes.isEmpty());
        QCOMPARE(rig.shell.opened, QStringList{SearchPrefix + terms});
    }
    QVERIFY(Command5->isEnabled());
    QVERIFY(rig.view()->navigations.isEmpty());
}

void TestTelephoneTool::emailHelp()
{
    Rig rig;
    QTest::mouseClick(rig.find<QPushButton>("Command4"), Qt::LeftButton);
    QCOMPARE(rig.boxes.boxes.size(), 1);
    const RecordedBox &box = rig.boxes.boxes.first();
    QCOMPARE(box.icon, MessageBoxes::Icon::Information);
    QCOMPARE(box.title, QStringLiteral("Email所在地查询方法"));
    // Three paragraphs on one line, 12 and then 15 blanks apart; the third
    // writes "X-originating-IP".
    QCOMPARE(box.text,
             QStringLiteral("1、Outlook：在邮件上点击右键，选择属性，选择“常规资料”中的Received from xx.xx.xx.xx或者X-"
                            "Originating-IP xx.xx.xx.xx就是对方的IP地址。") +
                 QString(12, u' ') +
                 QStringLiteral("2、Foxmail：按“Ctrl+I”组合键，查看邮件的“原始信息”，其中Received from "
                                "xx.xx.xx.xx或者X-Originating-IP xx.xx.xx.xx就是对方的IP地址。") +
                 QString(15, u' ') +
                 QStringLiteral("3、Web页面虚拟信箱：选择邮件后点击“高级动作”中的“查看信头”或者点击“原文”、或者点击“"
                                "邮件头信息”其中Received from xx.xx.xx.xx或者X-originating-IP "
                                "xx.xx.xx.xx就是对方的IP地址。"));
    QVERIFY(rig.shell.opened.isEmpty());
}

QTEST_MAIN(TestTelephoneTool)
#include "tst_telephonetool.moc"
