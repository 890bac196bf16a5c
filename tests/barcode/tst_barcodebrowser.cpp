#include "BarcodeCases.h"
#include "BarcodePanel.h"
#include "BrowserTestMain.h"
#include "Endpoints.h"
#include "RenderedText.h"

#include <QSignalSpy>
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
    QCOMPARE(rig.tool->Text4->text(), QStringLiteral("查询结果"));
    rig.state.CutStart = leftCutStart;
    rig.state.CutEnd = leftCutEnd;
    m_standin.clearRequests();

    QSignalSpy completions(rig.view, &BrowserView::documentComplete);
    rig.press(rig.tool->cmdTXM, code);
    QCOMPARE(rig.tool->Text4->text(), BarcodeTool::ProgressText);
    QVERIFY(rig.state.BarcodePending);
    QTRY_VERIFY_WITH_TIMEOUT(completions.count() == sent.size() && !rig.state.BarcodePending, 30000);
    QVERIFY(rig.settle());

    QCOMPARE(rig.tool->Text4->text(), result);
    QCOMPARE(sentPrefixes(m_standin.requests()), sent);
    QVERIFY(!rig.state.BarcodePending);
    QVERIFY(!rig.state.BarcodeShortRetry);
    QVERIFY(rig.boxes.boxes.isEmpty());
    QCOMPARE(rig.status->text(), QStringLiteral("before"));
}

void TestBarcodeBrowser::pressedBeforeThePageLoaded()
{
    BarcodePanel rig(realView());
    rig.press(rig.tool->cmdTXM, QStringLiteral("6901234567892"));
    QTRY_COMPARE_WITH_TIMEOUT(rig.boxes.boxes.size(), 1, 20000);
    QCOMPARE(rig.boxes.boxes[0].icon, MessageBoxes::Icon::Exclamation);
    QCOMPARE(rig.boxes.boxes[0].title, QStringLiteral("请稍等"));
    QCOMPARE(rig.boxes.boxes[0].text, QStringLiteral("接口正在连接，请稍后再查询！"));
    QVERIFY(rig.state.BarcodePending);

    // The activation's reload completes: that page is taken as the answer.
    QVERIFY(activate(rig));
    QTRY_VERIFY_WITH_TIMEOUT(!rig.state.BarcodePending, 20000);
    QVERIFY(rig.settle());
    QCOMPARE(rig.state.PageText, RenderInnerText(BarcodeCases::standinPage("form.html")));
    QCOMPARE(rig.tool->Text4->text(), BarcodeTool::ProgressText);
    QVERIFY(sentPrefixes(m_standin.requests()).isEmpty());
    QCOMPARE(rig.boxes.boxes.size(), 1);
}

KORDELVANE_BROWSER_TEST_MAIN(TestBarcodeBrowser)
#include "tst_barcodebrowser.moc"
