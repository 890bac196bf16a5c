#include "BrowserTestMain.h"
#include "BrowserView.h"
#include "Endpoints.h"
#include "ResultBox.h"
#include "TelephoneTool.h"
#include "ToolPanelRig.h"
#include "WebEngineBrowserView.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <QWidget>

// The fixed-line lookup on a real TabTel panel with a real browser view
// WebTel, the telephone-area pages coming from the stand-in server.
namespace
{

const QString SampleLocation = QStringLiteral("北京市西城区金融街一带，临近复兴门");
const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

// The server is the one the whole run shares (BrowserTestMain.h).
struct Panel : ToolPanelRig {
    explicit Panel(BrowserFactory &browsers) : ToolPanelRig({.ownStandin = false, .browsers = &browsers})
    {
        tool = new TelephoneTool(panel, context);
        txtTel = find<QLineEdit>("txtTel");
        cmdTelChaXun = find<QPushButton>("cmdTelChaXun");
        txtTelWZ = find<ResultBox>("txtTelWZ");
        WebTel = find<BrowserView>("WebTel");
        show();
    }
    bool controlsEnabled() const { return txtTel->isEnabled() && txtTelWZ->isEnabled() && cmdTelChaXun->isEnabled(); }
    TelephoneTool *tool = nullptr;
    QLineEdit *txtTel = nullptr;
    QPushButton *cmdTelChaXun = nullptr;
    ResultBox *txtTelWZ = nullptr;
    BrowserView *WebTel = nullptr;
};

} // namespace

class TestTelephoneBrowser : public QObject
{
    Q_OBJECT
public:
    TestTelephoneBrowser(StandinServer &standin, BrowserFactory &browsers) : m_standin(standin), m_browsers(browsers) {}

private slots:
    void init();
    void answers_data();
    void answers();
    void laterCompletionChangesNothing();
    void pageTooDeepToReadEndsInTheErrorText();
    void pageThatNeverCompletesEndsInTheErrorText_data();
    void pageThatNeverCompletesEndsInTheErrorText();
    void selfRefreshingPageStopsOnceRead();

private:
    // The lookup of the number typed ends in the error text and its box, and
    // the tool then answers the next number.
    static void endsInTheErrorTextThenAnswersTheNext(Panel &panel, int timeoutMs);

    StandinServer &m_standin;
    BrowserFactory &m_browsers;
};

void TestTelephoneBrowser::endsInTheErrorTextThenAnswersTheNext(Panel &panel, int timeoutMs)
{
    QTest::keyClicks(panel.txtTel, QStringLiteral("010-6601234"));
    QTest::mouseClick(panel.cmdTelChaXun, Qt::LeftButton);
    QVERIFY(!panel.controlsEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(panel.controlsEnabled(), timeoutMs);
    QVERIFY(!panel.state.TelPending);
    QCOMPARE(panel.txtTelWZ->text(), QStringLiteral("发生错误。"));
    QCOMPARE(panel.tool->txtTelWZColour(), Red);
    QCOMPARE(panel.boxes.boxes.size(), 1);
    QCOMPARE(panel.boxes.boxes.first().text, QStringLiteral("出现未知错误！"));

    panel.txtTel->clear();
    QTest::keyClicks(panel.txtTel, QStringLiteral("010-6605678"));
    QTest::mouseClick(panel.cmdTelChaXun, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(panel.txtTelWZ->text(), SampleLocation, timeoutMs);
    QVERIFY(panel.controlsEnabled());
}

void TestTelephoneBrowser::init()
{
    m_standin.clearRoutes();
    m_standin.loadRoutes(StandinServer::sourceDir());
    m_standin.clearRequests();
}

void TestTelephoneBrowser::answers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("page"); // empty: the committed route
    QTest::addColumn<QString>("result");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("errorBox");

    QTest::newRow("location, dash sent as typed") << "010-6601234"
                                                  << "" << SampleLocation << Blue << false;
    QTest::newRow("too frequent") << "010-6601234"
                                  << "telephone/too-frequent.html" << QStringLiteral("没有查找到该号码的地理位置。")
                                  << Red << false;
    QTest::newRow("too many, found by the second scan")
        << "02112345678"
        << "telephone/too-many.html" << QStringLiteral("没有查找到该号码的地理位置。") << Red << false;
    QTest::newRow("page without the asterisk")
        << "010-6601234"
        << "telephone/no-asterisk.html" << QStringLiteral("发生错误。") << Red << true;
}

void TestTelephoneBrowser::answers()
{
    QFETCH(QString, typed);
    QFETCH(QString, page);
    QFETCH(QString, result);
    QFETCH(QColor, colour);
    QFETCH(bool, errorBox);
    const QByteArray path = "/dh/114.aspx?w=" + typed.toUtf8();
    if (!page.isEmpty())
        m_standin.setRoute(Endpoints::TelephoneHost, path, StandinServer::page(page));

    Panel panel(m_browsers);
    QTest::keyClicks(panel.txtTel, typed);
    QTest::mouseClick(panel.cmdTelChaXun, Qt::LeftButton);
    QVERIFY(panel.state.TelPending);
    QVERIFY(!panel.controlsEnabled());
    QCOMPARE(panel.txtTelWZ->text(), QStringLiteral("正在连接服务器中..."));

    QTRY_VERIFY_WITH_TIMEOUT(panel.controlsEnabled(), 60000);
    QVERIFY(!panel.state.TelPending);
    QCOMPARE(panel.txtTelWZ->text(), result);
    QCOMPARE(panel.tool->txtTelWZColour(), colour);
    QCOMPARE(panel.boxes.boxes.size(), errorBox ? 1 : 0);
    if (errorBox)
        QCOMPARE(panel.boxes.boxes.first().text, QStringLiteral("出现未知错误！"));
    QCOMPARE(panel.status->text(), QStringLiteral("before"));

    // The number went out as typed (the view may ask for more, a favicon say).
    const auto requests = m_standin.requests();
    const bool asked = std::any_of(requests.begin(), requests.end(), [&](const StandinServer::Request &request) {
        return request.host == Endpoints::TelephoneHost && request.pathAndQuery == path;
    });
    QVERIFY(asked);
}

void TestTelephoneBrowser::laterCompletionChangesNothing()
{
    Panel panel(m_browsers);
    QTest::keyClicks(panel.txtTel, QStringLiteral("010-6601234"));
    QTest::mouseClick(panel.cmdTelChaXun, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(panel.txtTelWZ->text(), SampleLocation, 60000);

    // The view goes on to a rate-limit page: its completion finds TelPending
    // cleared and leaves the answer standing.
    m_standin.setRoute(Endpoints::TelephoneHost, "/dh/114.aspx?w=again",
                       StandinServer::page("telephone/too-many.html"));
    BrowserView *view = panel.WebTel;
    QSignalSpy completions(view, &BrowserView::documentComplete);
    view->Navigate(Endpoints::telephoneArea(QStringLiteral("again")));
    QTRY_COMPARE_WITH_TIMEOUT(completions.count(), 1, 60000);
    // Reads are answered in the order asked: once this one is back, one the
    // tool might have asked at that completion would be back too.
    bool read = false;
    view->bodyText([&read](std::optional<QString>) { read = true; });
    QTRY_VERIFY_WITH_TIMEOUT(read, 60000);
    QCOMPARE(panel.txtTelWZ->text(), SampleLocation);
    QCOMPARE(panel.tool->txtTelWZColour(), Blue);
    QVERIFY(panel.controlsEnabled());
}

void TestTelephoneBrowser::pageTooDeepToReadEndsInTheErrorText()
{
    // The page's script nests its body 15,000 elements deep: reading the
    // body's text does not come back within the read's time limit, and the
    // lookup ends as for any unreadable page instead of waiting for good.
    const QByteArray path = "/dh/114.aspx?w=010-6601234";
    m_standin.setRoute(Endpoints::TelephoneHost, path,
                       StandinServer::html(QStringLiteral(
                           "<html><body><script>"
                           "var e = document.body;"
                           "for (var i = 0; i < 15000; ++i) { var d = document.createElement('div'); e.appendChild(d); e = d; }"
                           "e.appendChild(document.createTextNode('该号段电话分部区域：北京＊'));"
                           "</script></body></html>")));
    Panel panel(m_browsers);
    endsInTheErrorTextThenAnswersTheNext(panel, 60000);
}

void TestTelephoneBrowser::pageThatNeverCompletesEndsInTheErrorText_data()
{
    QTest::addColumn<QString>("markup"); // empty: the page itself never answers
    QTest::newRow("page never answers") << QString();
    QTest::newRow("picture never comes")
        << QStringLiteral("<p>该号段电话分部区域：北京市西城区金融街一带＊</p><img src='/never.png'>");
}

// The load has its time limit (shortened here): past it the lookup ends as for
// an unreadable page, and the tool takes the next number.
void TestTelephoneBrowser::pageThatNeverCompletesEndsInTheErrorText()
{
    QFETCH(QString, markup);
    const QByteArray path = "/dh/114.aspx?w=010-6601234";
    m_standin.setRoute(Endpoints::TelephoneHost, "/never.png", StandinServer::stall());
    m_standin.setRoute(Endpoints::TelephoneHost, path,
                       markup.isEmpty() ? StandinServer::stall() : StandinServer::html(markup));
    Panel panel(m_browsers);
    auto *view = qobject_cast<WebEngineBrowserView *>(panel.WebTel);
    QVERIFY(view);
    view->setLoadTimeLimit(std::chrono::milliseconds(2000));
    endsInTheErrorTextThenAnswersTheNext(panel, 60000);
}

// A location page that refreshes itself every tenth of a second asks for
// nothing more once the tool has read it. The control: the same kind of page
// in a view of its own goes on asking meanwhile.
void TestTelephoneBrowser::selfRefreshingPageStopsOnceRead()
{
    const QByteArray path = "/dh/114.aspx?w=010-6601234";
    // The sample location page, refreshing itself.
    QFile sample(StandinServer::pagePath(QStringLiteral("telephone/location.html")));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QString refreshing = QString::fromUtf8(sample.readAll())
                                   .replace(QStringLiteral("<head>"),
                                            QStringLiteral("<head><meta http-equiv='refresh' content='0.1'>"));
    m_standin.setRoute(Endpoints::TelephoneHost, path, StandinServer::html(refreshing));
    m_standin.setRoute(Endpoints::TelephoneHost, "/control.html", StandinServer::html(refreshing));
    const auto asked = [this](const QByteArray &pathAndQuery) {
        int count = 0;
        for (const auto &request : m_standin.requests())
            count += request.host == Endpoints::TelephoneHost && request.pathAndQuery == pathAndQuery;
        return count;
    };
    Panel panel(m_browsers);
    QTest::keyClicks(panel.txtTel, QStringLiteral("010-6601234"));
    QTest::mouseClick(panel.cmdTelChaXun, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(panel.controlsEnabled(), 60000);
    QCOMPARE(panel.txtTelWZ->text(), SampleLocation);

    QWidget other;
    BrowserView *control = m_browsers.create(&other, QRect(0, 0, 10, 10));
    other.show();
    control->Navigate(QStringLiteral("http://") + Endpoints::TelephoneHost + QStringLiteral("/control.html"));
    // A refresh already on its way when the tool finished may still arrive:
    // the count is taken once the control has asked six times.
    QTRY_VERIFY_WITH_TIMEOUT(asked("/control.html") >= 6, 60000);
    const int afterRead = asked(path);
    QTRY_VERIFY_WITH_TIMEOUT(asked("/control.html") >= 11, 60000);
    QCOMPARE(asked(path), afterRead);
    QCOMPARE(panel.txtTelWZ->text(), SampleLocation);
}

KORDELVANE_BROWSER_TEST_MAIN(TestTelephoneBrowser)
#include "tst_telephonebrowser.moc"
