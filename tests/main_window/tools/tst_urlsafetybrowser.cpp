#include "BrowserTestMain.h"
#include "BrowserView.h"
#include "Endpoints.h"
#include "LookupState.h"
#include "PageFetcher.h"
#include "ProgramVersion.h"
#include "Recorders.h"
#include "ResultBox.h"
#include "ToolContext.h"
#include "Twips.h"
#include "UrlSafetyTool.h"
#include "UrlSafetyVerdict.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

// The URL-safety tool on a real panel: the first service through the page
// fetch, the second in a real browser view, both from the stand-in server.
namespace {

struct Panel {
    explicit Panel(BrowserFactory &browsers)
        : fetcher(fatal), context{fetcher, boxes, shell, state, &statusLine, nullptr, &browsers}
    {
        panel = std::make_unique<QWidget>();
        panel->resize(Twips::toPixels(9255), Twips::toPixels(6375));
        tool = std::make_unique<UrlSafetyTool>(panel.get(), context, [](const QString &) {});
        panel->show();
    }
    RecordingFatalEnd fatal;
    PageFetcher fetcher;
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    LookupState state;
    QLabel statusLine;
    ToolContext context;
    std::unique_ptr<QWidget> panel;
    std::unique_ptr<UrlSafetyTool> tool;
};

} // namespace

class TestUrlSafetyBrowser : public QObject
{
    Q_OBJECT
public:
    TestUrlSafetyBrowser(StandinServer &standin, BrowserFactory &browsers) : m_standin(standin), m_browsers(browsers) {}

private slots:
    void init();
    void secondStageReadsTheLoadedPage_data();
    void secondStageReadsTheLoadedPage();

private:
    StandinServer &m_standin;
    BrowserFactory &m_browsers;
};

void TestUrlSafetyBrowser::init()
{
    m_standin.clearRoutes();
    m_standin.loadRoutes(StandinServer::sourceDir());
    m_standin.clearRequests();
}

void TestUrlSafetyBrowser::secondStageReadsTheLoadedPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("safe") << "urlsafety/domaininfo-safe.html"
                          << "    您好！该网站安全。该网站已通过云安全认证。如果该网站确实存在不安全行为请点击下边举报按钮进行举报！"
                          << UrlSafetyVerdict::Safe;
    QTest::newRow("malicious") << "urlsafety/domaininfo-unsafe.html"
                               << "    您好！该网站存在大量恶意行为，不建议访问！如果一定要访问建议使用360安全浏览器或谷歌浏览器等非IE内核浏览器，并注意不要泄露个人信息。"
                               << UrlSafetyVerdict::Dangerous;
    QTest::newRow("unknown") << "urlsafety/domaininfo-unknown.html"
                             << "    您好！该网站当前没有挂马，但安全状态未知，请不要泄露个人信息，若网站是恶意网站请举报！"
                             << UrlSafetyVerdict::Unknown;
    QTest::newRow("no entry") << "urlsafety/domaininfo-nolisting.html"
                              << "    您好！该网站安全未知，我们已经上报，分析后公布结果！" << UrlSafetyVerdict::Unknown;
    QTest::newRow("not listed") << "urlsafety/domaininfo-unlisted.html"
                                << "    您好！该网站尚未入库，已经提交网址，核查后公布结果！" << UrlSafetyVerdict::Unknown;
}

void TestUrlSafetyBrowser::secondStageReadsTheLoadedPage()
{
    QFETCH(QString, page);
    QFETCH(QString, result);
    QFETCH(QColor, colour);
    m_standin.setRoute(Endpoints::UrlSafety2Host, "/Index/domaininfo/*", StandinServer::page(page));
    Panel panel(m_browsers);
    auto *txtUS = panel.panel->findChild<QLineEdit *>("txtUS");
    auto *cmdUS = panel.panel->findChild<QPushButton *>("cmdUS");
    auto *txtUSJG = panel.panel->findChild<ResultBox *>("txtUSJG");
    auto *WebAI = panel.panel->findChild<BrowserView *>("WebAI");
    QVERIFY(txtUS && cmdUS && txtUSJG && WebAI);
    txtUS->setText(QStringLiteral("http://www.example.cn/"));
    QTest::mouseClick(cmdUS, Qt::LeftButton);
    QVERIFY(panel.state.SafetyPending);
    QTRY_VERIFY_WITH_TIMEOUT(cmdUS->isEnabled(), 60000);
    QCOMPARE(txtUSJG->text(), result);
    QCOMPARE(panel.tool->addressColour(), colour);
    QCOMPARE(panel.statusLine.text(), ProductTitle());
    QVERIFY(txtUS->isEnabled());
    QCOMPARE(WebAI->currentUrl(), Endpoints::urlSafetyDomainInfo(QStringLiteral("www.example.cn")));
}

KORDELVANE_BROWSER_TEST_MAIN(TestUrlSafetyBrowser)
#include "tst_urlsafetybrowser.moc"
