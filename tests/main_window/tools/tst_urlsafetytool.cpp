#include "Endpoints.h"
#include "FakeBrowser.h"
#include "LookupState.h"
#include "PageFetcher.h"
#include "ProgramVersion.h"
#include "Recorders.h"
#include "ResultBox.h"
#include "StandinFixture.h"
#include "ToolContext.h"
#include "Twips.h"
#include "UrlSafetyTool.h"
#include "UrlSafetyVerdict.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

namespace {

const QByteArray SearchPath = "/urlsearch.htm?searchUrl=*";

const QString Advice =
    QStringLiteral("专家建议：如果一定要访问建议使用360安全浏览器，或者是类似谷歌浏览器这种非IE内核浏览器查看网页，以免中毒！");
const QString QueryProblem = QStringLiteral(
    "    您好！查询过程出现问题，如果输入网址格式不正确请改正！\r\n"
    "    另外，服务器实时接受数百万查询请求，负荷较大，所以请勿频繁查询同一网站。当您频繁查询同一网站时可能会拒绝返回查询结果的情况。");
const QString NotRated = QStringLiteral(
    "    该网址尚未对其进行鉴定，目前已上报该网址，核实后通过云鉴定即可查询到安全信息，核实通常在5分钟以下。"
    "如果该网站经您确定是恶意网站请使用举报功能进行举报！");

using Badge = UrlSafetyVerdict::Badge;

// A control the tool made on the panel, by its design name.
template <typename T> T *control(QWidget *panel, const char *name)
{
    T *child = panel->findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s on the panel", name);
    return child;
}

// The URL-safety panel on a shown window: the real page fetch through the
// stand-in server for the first service, a fake browser view for the second.
struct Rig {
    StandinFixture standin;
    RecordingFatalEnd fatal;
    PageFetcher fetcher{fatal};
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    LookupState state;
    FakeBrowserFactory browsers;
    QWidget window;
    QWidget *panel = new QWidget(&window);
    QLabel *status = new QLabel(QStringLiteral("before"), &window);
    ToolContext context{fetcher, boxes, shell, state, status, &window, &browsers};
    QStringList reports;
    UrlSafetyTool tool{panel, context, [this](const QString &address) { reports.append(address); }};
    QLineEdit *txtUS = control<QLineEdit>(panel, "txtUS");
    QPushButton *cmdUS = control<QPushButton>(panel, "cmdUS");
    QLabel *imgSafe = control<QLabel>(panel, "imgSafe");
    QLabel *imgNoSafe = control<QLabel>(panel, "imgNoSafe");
    QLabel *imgNoKnow = control<QLabel>(panel, "imgNoKnow");
    ResultBox *txtUSJG = control<ResultBox>(panel, "txtUSJG");
    QPushButton *Command12 = control<QPushButton>(panel, "Command12");

    Rig()
    {
        window.resize(Twips::toPixels(12000), Twips::toPixels(9000));
        panel->setGeometry(Twips::rect(2640, 1680, 9255, 6375));
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the panel's window did not become active");
        standin.server.clearRequests();
    }
    FakeBrowserView *webAI() const { return browsers.view(QStringLiteral("WebAI")); }
    void firstService(const StandinServer::Response &response)
    {
        standin.server.setRoute(Endpoints::UrlSafetyHost, SearchPath, response);
    }
    void check(const QString &address)
    {
        txtUS->setText(address);
        QTest::mouseClick(cmdUS, Qt::LeftButton);
    }
    // Which badge is in sight; at most one may be.
    Badge badge() const
    {
        const int shown =
            int(imgSafe->isVisibleTo(panel)) + int(imgNoSafe->isVisibleTo(panel)) + int(imgNoKnow->isVisibleTo(panel));
        if (shown > 1)
            qFatal("more than one badge shown");
        for (const QLabel *shownBadge : {imgSafe, imgNoSafe, imgNoKnow})
            if (shownBadge->isVisibleTo(panel) && shownBadge->pixmap().size() != QSize(43, 16))
                qFatal("a badge shown without its 43 x 16 picture");
        if (imgSafe->isVisibleTo(panel))
            return Badge::Safe;
        if (imgNoSafe->isVisibleTo(panel))
            return Badge::Dangerous;
        if (imgNoKnow->isVisibleTo(panel))
            return Badge::Unknown;
        return Badge::None;
    }
    bool idle() const { return cmdUS->isEnabled() && txtUS->isEnabled(); }
    QStringList searched() const
    {
        QStringList paths;
        for (const auto &request : standin.server.requests())
            paths.append(QUrl::fromPercentEncoding(request.pathAndQuery));
        return paths;
    }
};

QString dangerPage(const QString &between)
{
    return QStringLiteral("<div>当前状态：危险</div>") + between;
}

} // namespace

class TestUrlSafetyTool : public QObject
{
    Q_OBJECT
private slots:
    void shortAddressIsRefused_data();
    void shortAddressIsRefused();
    void addressIsNormalisedBeforeSending_data();
    void addressIsNormalisedBeforeSending();
    void firstStageOutcomes_data();
    void firstStageOutcomes();
    void firstStageFailuresReachTheTrap_data();
    void firstStageFailuresReachTheTrap();
    void undecidedCheckKeepsTheEarlierColour();
    void editingClearsTheVerdict();
    void failedFetchEndsTheProgram();
    void secondStageVerdicts_data();
    void secondStageVerdicts();
    void unreadableSecondPageIsJudgedOnTheFirstPage_data();
    void unreadableSecondPageIsJudgedOnTheFirstPage();
    void documentCompleteWithoutAWaitingCheckChangesNothing();
    void onlyTheFirstDocumentCompleteIsTaken();
    void reportButtonHandsOverTheAddress_data();
    void reportButtonHandsOverTheAddress();
};

void TestUrlSafetyTool::shortAddressIsRefused_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("refused");
    QTest::newRow("4 characters") << "a.cn" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("5 characters") << "ab.cn" << false;
    QTest::newRow("4 Chinese characters") << "中文网址" << true;
    QTest::newRow("5 Chinese characters") << "中文网址啊" << false;
}

void TestUrlSafetyTool::shortAddressIsRefused()
{
    QFETCH(QString, address);
    QFETCH(bool, refused);
    Rig rig;
    rig.firstService(StandinServer::page(QStringLiteral("urlsafety/search-unrated.html")));
    rig.check(address);
    if (!refused) {
        QCOMPARE(rig.searched(), QStringList{QStringLiteral("/urlsearch.htm?searchUrl=") + address});
        QVERIFY(rig.boxes.boxes.isEmpty());
        return;
    }
    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes.at(0).icon, MessageBoxes::Icon::Exclamation);
    QCOMPARE(rig.boxes.boxes.at(0).title, QStringLiteral("错误"));
    QCOMPARE(rig.boxes.boxes.at(0).text, QStringLiteral("请输入完整正确的网址！错误号#03"));
    QVERIFY(rig.searched().isEmpty());
    QVERIFY(rig.txtUS->hasFocus());
    QCOMPARE(rig.status->text(), QStringLiteral("before"));
    QCOMPARE(rig.txtUSJG->text(), QStringLiteral("查询结果详细说明."));
    QVERIFY(rig.idle());
}

void TestUrlSafetyTool::addressIsNormalisedBeforeSending_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");
    QTest::newRow("scheme and trailing slash go") << "http://www.example.cn/" << "www.example.cn";
    QTest::newRow("two slashes lose one") << "www.example.cn//" << "www.example.cn/";
    QTest::newRow("secure scheme stays") << "https://www.example.cn" << "https://www.example.cn";
    QTest::newRow("capital scheme stays") << "HTTP://www.example.cn" << "HTTP://www.example.cn";
    QTest::newRow("scheme only once") << "http://http://a.cn" << "http://a.cn";
    QTest::newRow("path kept") << "http://www.example.cn/shop/" << "www.example.cn/shop";
}

void TestUrlSafetyTool::addressIsNormalisedBeforeSending()
{
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    Rig rig;
    rig.firstService(StandinServer::page(QStringLiteral("urlsafety/search-undetected.html")));
    rig.check(typed);
    QCOMPARE(rig.txtUS->text(), sent);
    QCOMPARE(rig.searched(), QStringList{QStringLiteral("/urlsearch.htm?searchUrl=") + sent});
    // The first service found nothing planted: the second gets the same address.
    QCOMPARE(rig.webAI()->navigations, QStringList{Endpoints::urlSafetyDomainInfo(sent)});
}

void TestUrlSafetyTool::firstStageOutcomes_data()
{
    QTest::addColumn<StandinServer::Response>("page");
    QTest::addColumn<bool>("secondStage");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("badge");
    QTest::addColumn<QColor>("colour");

    const QColor white = UrlSafetyVerdict::NoVerdict;
    QTest::newRow("nothing planted: second stage")
        << StandinServer::page(QStringLiteral("urlsafety/search-undetected.html")) << true
        << UrlSafetyVerdict::ProgressText << int(Badge::None) << white;
    QTest::newRow("both markers: the first test wins")
        << StandinServer::html(dangerPage(QStringLiteral("<div>当前未检测到挂马行为</div><div>安全播报更多</div>")))
        << true << UrlSafetyVerdict::ProgressText << int(Badge::None) << white;
    // Blanks go before "可能", so "可 能" goes too; line breaks go last, so
    // a "可能" split by one stays.
    QTest::newRow("dangerous: joined and advised")
        << StandinServer::page(QStringLiteral("urlsafety/search-dangerous.html")) << false
        << QStringLiteral("    该网站存在挂马行为含有仿冒的登录页面请勿在该网站输入账号和密码\r\n") + Advice
        << int(Badge::Dangerous) << UrlSafetyVerdict::Dangerous;
    QTest::newRow("dangerous: a split 可能 survives")
        << StandinServer::html(dangerPage(QStringLiteral("<div>可</div><div>能 有 害</div><div>安全播报更多</div>")))
        << false << QStringLiteral("    可能有害\r\n") + Advice << int(Badge::Dangerous) << UrlSafetyVerdict::Dangerous;
    QTest::newRow("100 characters: query problem")
        << StandinServer::html(QString(100, u'a')) << false << QueryProblem << int(Badge::Unknown) << white;
    QTest::newRow("101 characters: not yet rated")
        << StandinServer::html(QString(101, u'a')) << false << NotRated << int(Badge::Unknown) << white;
    QTest::newRow("empty page: query problem")
        << StandinServer::html(QString()) << false << QueryProblem << int(Badge::Unknown) << white;
    QTest::newRow("unrated page") << StandinServer::page(QStringLiteral("urlsafety/search-unrated.html")) << false
                                  << NotRated << int(Badge::Unknown) << white;
}

void TestUrlSafetyTool::firstStageOutcomes()
{
    QFETCH(StandinServer::Response, page);
    QFETCH(bool, secondStage);
    QFETCH(QString, result);
    QFETCH(int, badge);
    QFETCH(QColor, colour);
    Rig rig;
    rig.webAI()->autoComplete = false; // the second stage stays waiting
    rig.firstService(page);
    rig.check(QStringLiteral("www.example.cn"));

    QCOMPARE(rig.txtUSJG->text(), result);
    QCOMPARE(int(rig.badge()), badge);
    QCOMPARE(rig.tool.addressColour(), colour);
    QCOMPARE(rig.state.SafetyPending, secondStage);
    QCOMPARE(rig.webAI()->navigations.size(), secondStage ? 1 : 0);
    QCOMPARE(rig.idle(), !secondStage);
    QCOMPARE(rig.status->text(), secondStage ? UrlSafetyVerdict::ProgressText : ProductTitle());
    QVERIFY(rig.boxes.boxes.isEmpty());
}

void TestUrlSafetyTool::firstStageFailuresReachTheTrap_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<int>("badge");
    QTest::addColumn<QColor>("colour");
    // The badge and colour come before the cut, so a bad cut leaves them.
    QTest::newRow("no end marker") << dangerPage(QStringLiteral("<div>有害</div>")) << int(Badge::Dangerous)
                                   << UrlSafetyVerdict::Dangerous;
    QTest::newRow("end marker before the start")
        << QStringLiteral("<div>安全播报更多</div>") + dangerPage(QStringLiteral("<div>有害</div>"))
        << int(Badge::Dangerous) << UrlSafetyVerdict::Dangerous;
    // A marker beyond 32767 does not fit the 16-bit start: nothing shown yet.
    QTest::newRow("marker beyond 16 bits")
        << QString(33000, u'a') + dangerPage(QStringLiteral("<div>有害</div><div>安全播报更多</div>"))
        << int(Badge::None) << UrlSafetyVerdict::NoVerdict;
}

void TestUrlSafetyTool::firstStageFailuresReachTheTrap()
{
    QFETCH(QString, markup);
    QFETCH(int, badge);
    QFETCH(QColor, colour);
    Rig rig;
    rig.firstService(StandinServer::html(markup));
    rig.check(QStringLiteral("www.example.cn"));

    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes.at(0).icon, MessageBoxes::Icon::Critical);
    QCOMPARE(rig.boxes.boxes.at(0).title, QStringLiteral("未知错误"));
    QCOMPARE(rig.boxes.boxes.at(0).text, QStringLiteral("查询过程中出现未知错误！可能是网络原因或输入错误！"));
    QVERIFY(rig.idle());
    QCOMPARE(rig.status->text(), ProductTitle());
    QCOMPARE(int(rig.badge()), badge);
    QCOMPARE(rig.tool.addressColour(), colour);
    QCOMPARE(rig.txtUSJG->text(), UrlSafetyVerdict::ProgressText);
}

void TestUrlSafetyTool::undecidedCheckKeepsTheEarlierColour()
{
    Rig rig;
    rig.firstService(StandinServer::page(QStringLiteral("urlsafety/search-dangerous.html")));
    rig.check(QStringLiteral("www.example.cn"));
    QCOMPARE(rig.tool.addressColour(), UrlSafetyVerdict::Dangerous);

    // Same address, already normalised: no edit, so only a verdict could
    // change the colour, and an undecided answer gives none.
    rig.firstService(StandinServer::page(QStringLiteral("urlsafety/search-unrated.html")));
    QTest::mouseClick(rig.cmdUS, Qt::LeftButton);
    QCOMPARE(rig.txtUSJG->text(), NotRated);
    QCOMPARE(int(rig.badge()), int(Badge::Unknown));
    QCOMPARE(rig.tool.addressColour(), UrlSafetyVerdict::Dangerous);

    // Typed with a scheme again: the tool's own rewrite is an edit.
    rig.check(QStringLiteral("http://www.example.cn"));
    QCOMPARE(rig.tool.addressColour(), UrlSafetyVerdict::NoVerdict);
}

void TestUrlSafetyTool::editingClearsTheVerdict()
{
    Rig rig;
    rig.firstService(StandinServer::page(QStringLiteral("urlsafety/search-dangerous.html")));
    rig.check(QStringLiteral("www.example.cn"));
    QCOMPARE(int(rig.badge()), int(Badge::Dangerous));

    rig.txtUS->setFocus();
    QTest::keyClick(rig.txtUS, Qt::Key_Backspace);
    QCOMPARE(rig.txtUS->text(), QStringLiteral("www.example.c"));
    QCOMPARE(rig.tool.addressColour(), UrlSafetyVerdict::NoVerdict);
    QCOMPARE(int(rig.badge()), int(Badge::None));
}

void TestUrlSafetyTool::failedFetchEndsTheProgram()
{
    Rig rig;
    rig.firstService(StandinServer::closeWithoutAnswer());
    rig.txtUS->setText(QStringLiteral("www.example.cn"));
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, rig.tool.cmdUS_Click());
    QCOMPARE(rig.fatal.count, 1);
    QVERIFY(rig.boxes.boxes.isEmpty());
}

void TestUrlSafetyTool::secondStageVerdicts_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("badge");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("safe") << QStringLiteral("评级：安全，未在该网站发现重大的安全问题")
                          << QStringLiteral("    您好！该网站安全。该网站已通过云安全认证。如果该网站确实存在不安全行为请点击下边举报按钮进行举报！")
                          << int(Badge::Safe) << UrlSafetyVerdict::Safe;
    QTest::newRow("malicious")
        << QStringLiteral("评级：不安全，该网站存在恶意行为，不建议进行访问")
        << QStringLiteral("    您好！该网站存在大量恶意行为，不建议访问！如果一定要访问建议使用360安全浏览器或谷歌浏览器等非IE内核浏览器，"
                          "并注意不要泄露个人信息。")
        << int(Badge::Dangerous) << UrlSafetyVerdict::Dangerous;
    QTest::newRow("unknown") << QStringLiteral("评级：未知，暂无评级")
                             << QStringLiteral("    您好！该网站当前没有挂马，但安全状态未知，请不要泄露个人信息，若网站是恶意网站请举报！")
                             << int(Badge::Unknown) << UrlSafetyVerdict::Unknown;
    QTest::newRow("no entry") << QStringLiteral("没有该网站条目")
                              << QStringLiteral("    您好！该网站安全未知，我们已经上报，分析后公布结果！") << int(Badge::Unknown)
                              << UrlSafetyVerdict::Unknown;
    QTest::newRow("none of the markers")
        << QStringLiteral("该网站正在评级中") << QStringLiteral("    您好！该网站尚未入库，已经提交网址，核查后公布结果！")
        << int(Badge::None) << UrlSafetyVerdict::Unknown;
    // The table's order decides, not the page's.
    QTest::newRow("unknown before safe in the page")
        << QStringLiteral("未知，……安全，未在该网站发现重大的安全问题")
        << QStringLiteral("    您好！该网站安全。该网站已通过云安全认证。如果该网站确实存在不安全行为请点击下边举报按钮进行举报！")
        << int(Badge::Safe) << UrlSafetyVerdict::Safe;
    QTest::newRow("no entry and unknown") << QStringLiteral("没有该网站条目，状态未知，")
                                          << QStringLiteral("    您好！该网站当前没有挂马，但安全状态未知，请不要泄露个人信息，若网站是恶意网站请举报！")
                                          << int(Badge::Unknown) << UrlSafetyVerdict::Unknown;
}

void TestUrlSafetyTool::secondStageVerdicts()
{
    QFETCH(QString, body);
    QFETCH(QString, result);
    QFETCH(int, badge);
    QFETCH(QColor, colour);
    Rig rig;
    rig.webAI()->site = [body](const QString &) { return textPage(body); };
    rig.firstService(StandinServer::page(QStringLiteral("urlsafety/search-undetected.html")));
    rig.check(QStringLiteral("www.example.cn"));
    // Another tool runs meanwhile and leaves its own page text.
    rig.state.PageText = QStringLiteral("安全，未在该网站发现重大的安全问题 from another tool");

    QTRY_VERIFY(rig.idle());
    QCOMPARE(rig.txtUSJG->text(), result);
    QCOMPARE(int(rig.badge()), badge);
    QCOMPARE(rig.tool.addressColour(), colour);
    QCOMPARE(rig.status->text(), ProductTitle());
    QCOMPARE(rig.state.PageText, body);
    QVERIFY(!rig.state.SafetyPending);
}

void TestUrlSafetyTool::unreadableSecondPageIsJudgedOnTheFirstPage_data()
{
    QTest::addColumn<QString>("firstPage");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("badge");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("first page without an entry")
        << QStringLiteral("<p>当前未检测到挂马行为</p><p>没有该网站条目</p>")
        << QStringLiteral("    您好！该网站安全未知，我们已经上报，分析后公布结果！") << int(Badge::Unknown)
        << UrlSafetyVerdict::Unknown;
    QTest::newRow("first page with no second-stage marker")
        << QStringLiteral("<p>当前未检测到挂马行为</p>") << QStringLiteral("    您好！该网站尚未入库，已经提交网址，核查后公布结果！")
        << int(Badge::None) << UrlSafetyVerdict::Unknown;
}

void TestUrlSafetyTool::unreadableSecondPageIsJudgedOnTheFirstPage()
{
    QFETCH(QString, firstPage);
    QFETCH(QString, result);
    QFETCH(int, badge);
    QFETCH(QColor, colour);
    Rig rig;
    FakeBrowserView *view = rig.webAI();
    view->autoComplete = false;
    view->site = [](const QString &) { return FakePage{}; }; // no body: its text cannot be read
    rig.firstService(StandinServer::html(firstPage));
    rig.check(QStringLiteral("www.example.cn"));
    QVERIFY(rig.state.SafetyPending);
    // The ID-card tool runs while the second page loads; its page happens
    // to hold the second service's safe marker.
    const QString idCardPage = QStringLiteral("身份证号码：110101199003074477\r\n发证地：北京市东城区\r\n"
                                              "安全，未在该网站发现重大的安全问题");
    rig.state.PageText = idCardPage;
    view->finishLoad();

    QTRY_VERIFY(rig.idle());
    QCOMPARE(rig.txtUSJG->text(), result);
    QCOMPARE(int(rig.badge()), badge);
    QCOMPARE(rig.tool.addressColour(), colour);
    QVERIFY(rig.state.PageText != idCardPage);
    QVERIFY(!rig.state.SafetyPending);
}

void TestUrlSafetyTool::documentCompleteWithoutAWaitingCheckChangesNothing()
{
    Rig rig;
    rig.webAI()->site = [](const QString &) { return textPage(QStringLiteral("没有该网站条目")); };
    rig.webAI()->Navigate(QStringLiteral("http://elsewhere.cn/"));
    settleFakePages();
    QVERIFY(rig.webAI()->operations.isEmpty());
    QCOMPARE(rig.txtUSJG->text(), QStringLiteral("查询结果详细说明."));
    QCOMPARE(rig.status->text(), QStringLiteral("before"));
    QCOMPARE(int(rig.badge()), int(Badge::None));
}

void TestUrlSafetyTool::onlyTheFirstDocumentCompleteIsTaken()
{
    Rig rig;
    FakeBrowserView *view = rig.webAI();
    view->autoComplete = false;
    view->site = [](const QString &) { return textPage(QStringLiteral("没有该网站条目")); };
    rig.firstService(StandinServer::page(QStringLiteral("urlsafety/search-undetected.html")));
    rig.check(QStringLiteral("www.example.cn"));
    // A frame and then the page: two completions for one navigation.
    view->finishLoad();
    view->finishLoad();
    QTRY_VERIFY(rig.idle());
    QCOMPARE(view->operations, QStringList{QStringLiteral("body")});
}

void TestUrlSafetyTool::reportButtonHandsOverTheAddress_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("checkFirst");
    QTest::addColumn<QString>("handedOver");
    QTest::newRow("empty address") << "" << false << "http://";
    QTest::newRow("not yet normalised") << "http://www.example.cn/" << false << "http://http://www.example.cn/";
    QTest::newRow("after a check") << "http://www.example.cn/" << true << "http://www.example.cn";
}

void TestUrlSafetyTool::reportButtonHandsOverTheAddress()
{
    QFETCH(QString, typed);
    QFETCH(bool, checkFirst);
    QFETCH(QString, handedOver);
    Rig rig;
    rig.firstService(StandinServer::page(QStringLiteral("urlsafety/search-unrated.html")));
    rig.txtUS->setText(typed);
    if (checkFirst)
        QTest::mouseClick(rig.cmdUS, Qt::LeftButton);
    QTest::mouseClick(rig.Command12, Qt::LeftButton);
    QCOMPARE(rig.reports, QStringList{handedOver});
    QVERIFY(rig.boxes.boxes.isEmpty());
}

QTEST_MAIN(TestUrlSafetyTool)
#include "tst_urlsafetytool.moc"
