#include "BarcodeCases.h"
#include "BarcodePanel.h"
#include "BrowserTestMain.h"
#include "Endpoints.h"
#include "Form1.h"
#include "ProgramFolder.h"
#include "RenderedText.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrlQuery>

// The barcode panel with a real browser view as WebTXM: the registry's form
// and answers come from the stand-in server, and the browser fills, submits
// and loads them as it would the registry's.
namespace {

const QByteArray FormPath = "/Service/tools_09/external-barcode.aspx";

// The prefixes the form was sent with, in the order the server saw them.
QStringList sentPrefixes(const QList<StandinServer::Request> &requests)
{
    QStringList prefixes;
    for (const auto &request : requests)
        if (request.host == Endpoints::BarcodeHost && request.pathAndQuery.startsWith(FormPath + '?'))
            prefixes << QUrlQuery(QString::fromLatin1(request.pathAndQuery.mid(FormPath.size() + 1)))
                            .queryItemValue(QStringLiteral("txtcode"));
    return prefixes;
}

} // namespace

class TestBarcodeBrowser : public QObject
{
    Q_OBJECT
public:
    TestBarcodeBrowser(StandinServer &standin, BrowserFactory &browsers) : m_standin(standin), m_browsers(browsers) {}

private slots:
    void init();
    void lookups_data();
    void lookups();
    void pressedBeforeThePageLoaded();
    void throughTheMainWindowsBrowser();

private:
    BarcodePanel::MakeView realView()
    {
        return [this](QWidget *panel, const QRect &place) { return m_browsers.create(panel, place); };
    }
    // What the main window does at its activation: the registry form into WebTXM.
    static bool activate(BarcodePanel &rig)
    {
        QSignalSpy completions(rig.view, &BrowserView::documentComplete);
        rig.view->Navigate(Endpoints::barcodeForm());
        return completions.wait(20000) || completions.count() > 0;
    }

    StandinServer &m_standin;
    BrowserFactory &m_browsers;
};

void TestBarcodeBrowser::init()
{
    m_standin.clearRoutes();
    m_standin.loadRoutes(StandinServer::sourceDir());
    m_standin.clearRequests();
}

void TestBarcodeBrowser::lookups_data()
{
    BarcodeCases::addLookupRows();
}

void TestBarcodeBrowser::lookups()
{
    QFETCH(QString, code);
    QFETCH(QString, answer8);
    QFETCH(QString, answer7);
    QFETCH(int, leftCutStart);
    QFETCH(int, leftCutEnd);
    QFETCH(QStringList, sent);
    QFETCH(QString, result);
    const QString query = QString::fromLatin1(FormPath) + QStringLiteral("?txtcode=");
    m_standin.setRoute(Endpoints::BarcodeHost, (query + code.left(8) + QStringLiteral("&*")).toLatin1(),
                       StandinServer::html(answer8));
    if (!answer7.isNull())
        m_standin.setRoute(Endpoints::BarcodeHost, (query + code.left(7) + QStringLiteral("&*")).toLatin1(),
                           StandinServer::html(answer7));

    BarcodePanel rig(realView());
    QVERIFY(activate(rig));
    // The form's own completion came while nobody waited for it.
    QCOMPARE(rig.Text4->text(), QStringLiteral("查询结果"));
    rig.state.CutStart = leftCutStart;
    rig.state.CutEnd = leftCutEnd;
    m_standin.clearRequests();

    QSignalSpy completions(rig.view, &BrowserView::documentComplete);
    rig.press(rig.cmdTXM, code);
    QCOMPARE(rig.Text4->text(), BarcodeTool::ProgressText);
    QVERIFY(rig.state.BarcodePending);
    QTRY_VERIFY_WITH_TIMEOUT(completions.count() == sent.size() && !rig.state.BarcodePending, 30000);
    QVERIFY(rig.settle());

    QCOMPARE(rig.Text4->text(), result);
    QCOMPARE(sentPrefixes(m_standin.requests()), sent);
    QVERIFY(!rig.state.BarcodePending);
    QVERIFY(!rig.state.BarcodeShortRetry);
    QVERIFY(rig.boxes.boxes.isEmpty());
    QCOMPARE(rig.status->text(), QStringLiteral("before"));
}

void TestBarcodeBrowser::pressedBeforeThePageLoaded()
{
    BarcodePanel rig(realView());
    rig.press(rig.cmdTXM, QStringLiteral("6901234567892"));
    // Within the click: the view has never completed a page.
    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes[0].icon, MessageBoxes::Icon::Exclamation);
    QCOMPARE(rig.boxes.boxes[0].title, QStringLiteral("请稍等"));
    QCOMPARE(rig.boxes.boxes[0].text, QStringLiteral("接口正在连接，请稍后再查询！"));
    QVERIFY(rig.state.BarcodePending);

    // The activation's reload completes: that page is taken as the answer.
    QVERIFY(activate(rig));
    QTRY_VERIFY_WITH_TIMEOUT(!rig.state.BarcodePending, 60000);
    QVERIFY(rig.settle());
    QCOMPARE(rig.state.PageText, RenderInnerText(BarcodeCases::standinPage("form.html")));
    QCOMPARE(rig.Text4->text(), BarcodeTool::ProgressText);
    QVERIFY(sentPrefixes(m_standin.requests()).isEmpty());
    QCOMPARE(rig.boxes.boxes.size(), 1);
}

// The main window owns WebTXM and loads the registry form into it at every
// activation; the panel's tool fills and submits that same form.
void TestBarcodeBrowser::throughTheMainWindowsBrowser()
{
    QTemporaryDir folder;
    RecordingFatalEnd fatal;
    PageFetcher fetcher(fatal);
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    Form1 form(fetcher, boxes, shell, ProgramFolder(folder.path()), &m_browsers);
    BrowserView *webTXM = form.WebTXM();
    QVERIFY(webTXM);
    QWidget *panel = form.panel(QStringLiteral("TabTXM"));
    auto *txtTXM = panel->findChild<QLineEdit *>(QStringLiteral("txtTXM"));
    auto *cmdTXM = panel->findChild<QPushButton *>(QStringLiteral("cmdTXM"));
    auto *text4 = panel->findChild<ResultBox *>(QStringLiteral("Text4"));
    QVERIFY(txtTXM && cmdTXM && text4);

    QSignalSpy completions(webTXM, &BrowserView::documentComplete);
    form.Form_Activate();
    QTRY_COMPARE_WITH_TIMEOUT(completions.count(), 1, 60000);
    QCOMPARE(text4->text(), QStringLiteral("查询结果"));

    QTest::keyClicks(txtTXM, QStringLiteral("6901234567892"));
    QTest::mouseClick(cmdTXM, Qt::LeftButton);
    const QString company = QStringLiteral("公司名称：深圳市华南电子有限公司\r\n企业信用：AAA级");
    QTRY_COMPARE_WITH_TIMEOUT(text4->text(), company, 60000);
    QCOMPARE(sentPrefixes(m_standin.requests()), QStringList{QStringLiteral("69012345")});

    // The next activation reloads the form; nobody waits for it.
    const int before = completions.count();
    form.Form_Activate();
    QTRY_COMPARE_WITH_TIMEOUT(completions.count(), before + 1, 60000);
    bool read = false;
    webTXM->bodyText([&read](std::optional<QString>) { read = true; });
    QTRY_VERIFY_WITH_TIMEOUT(read, 60000);
    QCOMPARE(text4->text(), company);
    QVERIFY(!form.state().BarcodePending);
    QVERIFY(boxes.boxes.isEmpty());
}

KORDELVANE_BROWSER_TEST_MAIN(TestBarcodeBrowser)
#include "tst_barcodebrowser.moc"
