#include "BrowserTestMain.h"
#include "BrowserView.h"
#include "Endpoints.h"
#include "LookupState.h"
#include "PageProcessWatch.h"
#include "PageText.h"
#include "PostTool.h"
#include "ResultBox.h"
#include "ToolPanelRig.h"
#include "WebEngineBrowserView.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

// The post-code tool on a real TabPost panel with a real browser view, the
// service's pages coming from the stand-in server.
namespace
{

const QString ListCut =
    QStringLiteral("北京市 东城区 东华门街道 \r\n北京市 西城区 西长安街街道 \r\n北京市 朝阳区 建国门外街道 \r\n");

// The server is the one the whole run shares (BrowserTestMain.h).
struct Panel : ToolPanelRig {
    explicit Panel(BrowserFactory &browsers)
        : ToolPanelRig({.status = QStringLiteral("Orvalent 5.5"), .ownStandin = false, .browsers = &browsers})
    {
        tool = new PostTool(panel, context);
        txtPost = find<QLineEdit>("txtPost");
        cmdPost = find<QPushButton>("cmdPost");
        txtPostJG = find<ResultBox>("txtPostJG");
        WebPost = find<BrowserView>("WebPost");
        show();
    }
    PostTool *tool = nullptr;
    QLineEdit *txtPost = nullptr;
    QPushButton *cmdPost = nullptr;
    ResultBox *txtPostJG = nullptr;
    BrowserView *WebPost = nullptr;
};

QString pageWith(const QString &body)
{
    return QStringLiteral("<html><head><title>邮编</title></head><body>") + body + QStringLiteral("</body></html>");
}

} // namespace

class TestPostTool : public QObject
{
    Q_OBJECT
public:
    TestPostTool(StandinServer &standin, BrowserFactory &browsers) : m_standin(standin), m_browsers(browsers) {}

private slots:
    void init();
    void controlsAtTheirPlaces();
    void answers_data();
    void answers();
    void endMarkerNear16BitLimit_data();
    void endMarkerNear16BitLimit();
    void emptyQueryNavigatesToSlashDotHtml();
    void secondCompletionIsIgnored();
    void pageThatNeverCompletesFailsAtTheLoadBound_data();
    void pageThatNeverCompletesFailsAtTheLoadBound();

private:
    void query(Panel &panel, const QString &typed);

    StandinServer &m_standin;
    BrowserFactory &m_browsers;
};

void TestPostTool::init()
{
    m_standin.clearRoutes();
    m_standin.loadRoutes(StandinServer::sourceDir());
    m_standin.clearRequests();
}

void TestPostTool::query(Panel &panel, const QString &typed)
{
    panel.txtPost->clear();
    QTest::keyClicks(panel.txtPost, typed);
    QTest::mouseClick(panel.cmdPost, Qt::LeftButton);
}

void TestPostTool::controlsAtTheirPlaces()
{
    Panel panel(m_browsers);
    QCOMPARE(panel.txtPost->geometry(), QRect(80, 56, 377, 25));
    QCOMPARE(panel.cmdPost->geometry(), QRect(456, 56, 73, 25));
    QCOMPARE(panel.cmdPost->text(), QStringLiteral("查询"));
    QCOMPARE(panel.txtPostJG->geometry(), QRect(8, 88, 601, 329));
    QVERIFY(panel.txtPostJG->isReadOnly());
    QCOMPARE(panel.WebPost->widget()->geometry(), QRect(216, 208, 17, 25));
    QCOMPARE(panel.WebPost->widget()->parentWidget(), panel.panel);
    auto *label28 = panel.panel->findChild<QLabel *>("Label28");
    QCOMPARE(label28->text(), QStringLiteral("邮政编码："));
    QCOMPARE(label28->pos(), QPoint(8, 60));
    QVERIFY(label28->font().bold());
    auto *label26 = panel.panel->findChild<QLabel *>("Label26");
    QCOMPARE(label26->text(),
             QStringLiteral(
                 "本功能可以查询邮政编码所在地，结果会很多。数据来自国家邮政局。显示的所有结果均在邮政编码范围之内。"));
    QCOMPARE(label26->pos(), QPoint(16, 24));
}

void TestPostTool::answers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("markup"); // null: the committed route for the code
    QTest::addColumn<QString>("expected");

    const QString end =
        QStringLiteral("<p>以上为该邮编的全部结果，共计三条记录。</p><p>百度邮编搜索由国家邮政局提供</p>");
    QTest::newRow("list page") << "100000" << QString() << ListCut;
    QTest::newRow("not-found page") << "999999" << QString() << QStringLiteral("查无资料");
    QTest::newRow("not-found text whatever else the page holds")
        << "100000" << pageWith(QStringLiteral("<p>邮编100000：</p><p>您要访问的页面不存在</p>") + end)
        << QStringLiteral("查无资料");
    QTest::newRow("code not in the page starts the cut at 9")
        << "200000" << pageWith(QStringLiteral("<p>ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789</p>") + end)
        << QStringLiteral("IJKLMNOPQRSTUVWXYZ0123456789\r\n");
    QTest::newRow("no end marker") << "100000" << pageWith(QStringLiteral("<p>邮编100000：</p><p>北京市</p>"))
                                   << PostTool::ErrorText;
    QTest::newRow("end marker less than 21 behind the start")
        << "100000" << pageWith(QStringLiteral("<p>邮编100000：北京市百度邮编搜索由国家</p>")) << PostTool::ErrorText;
    QTest::newRow("end marker beyond 32767")
        << "100000"
        << pageWith(QStringLiteral("<p>邮编100000：</p><p>") + QString(33000, u'x') + QStringLiteral("</p>") + end)
        << PostTool::ErrorText;
}

void TestPostTool::answers()
{
    QFETCH(QString, typed);
    QFETCH(QString, markup);
    QFETCH(QString, expected);
    if (!markup.isNull())
        m_standin.setRoute(Endpoints::PostCodeHost, "/" + typed.toUtf8() + ".html", StandinServer::html(markup));
    Panel panel(m_browsers);
    query(panel, typed);
    QCOMPARE(panel.txtPostJG->text(), QStringLiteral("查询中......"));
    QVERIFY(panel.state.PostPending);
    QTRY_COMPARE_WITH_TIMEOUT(panel.txtPostJG->text(), expected, 60000);
    QVERIFY(!panel.state.PostPending);
    QVERIFY(panel.boxes.boxes.isEmpty());
    QCOMPARE(panel.status->text(), QStringLiteral("Orvalent 5.5"));
    QCOMPARE(panel.fatal.count, 0);
}

// The 21 characters are taken off the end marker's position before it is
// held in 16 bits: the marker may stand up to 32788 (CutEnd 32767).
void TestPostTool::endMarkerNear16BitLimit_data()
{
    QTest::addColumn<int>("endMarker"); // position of the end marker
    QTest::addColumn<int>("cutEnd");    // 0: the cut overflowed before CutEnd was written
    QTest::newRow("32787") << 32787 << 32766;
    QTest::newRow("32788") << 32788 << 32767;
    QTest::newRow("32789") << 32789 << 0;
}

void TestPostTool::endMarkerNear16BitLimit()
{
    QFETCH(int, endMarker);
    QFETCH(int, cutEnd);
    // The code stands at 1, so the cut starts at 10.
    const QString page = QStringLiteral("100000") + QString(endMarker - 7, u'x') + PostTool::EndMarker;
    QCOMPARE(FindTextPos(PostTool::EndMarker, page), endMarker);
    LookupState state;
    const QString answer = PostCodeAnswer(page, QStringLiteral("100000"), state);
    QCOMPARE(int(state.CutEnd), cutEnd);
    if (cutEnd == 0) {
        QCOMPARE(answer, PostTool::ErrorText);
        return;
    }
    QCOMPARE(int(state.CutStart), 10);
    QCOMPARE(answer, QString(cutEnd - 10, u'x'));
}

void TestPostTool::emptyQueryNavigatesToSlashDotHtml()
{
    m_standin.setRoute(Endpoints::PostCodeHost, "/.html",
                       StandinServer::html(pageWith(QStringLiteral("<p>ABCDEFGHIJKLMNOPQRSTUVWXYZ</p>"
                                                                   "<p>以上为该邮编的全部结果，共计三条记录。</p>"
                                                                   "<p>百度邮编搜索由国家</p>"))));
    Panel panel(m_browsers);
    query(panel, QString());
    // The empty code stands at position 1, so the cut starts at 10.
    QTRY_COMPARE_WITH_TIMEOUT(panel.txtPostJG->text(), QStringLiteral("JKLMNOPQRSTUVWXYZ\r\n"), 60000);
    // The first page asked for is "/.html"; a favicon that a previous page's view asks for late
    // may come before it in the server's list, and is not a navigation.
    QList<StandinServer::Request> pages = m_standin.requests();
    pages.removeIf([](const StandinServer::Request &request) { return request.pathAndQuery == "/favicon.ico"; });
    QVERIFY(!pages.isEmpty());
    QCOMPARE(pages.first().host, Endpoints::PostCodeHost);
    QCOMPARE(pages.first().pathAndQuery, QByteArray("/.html"));
}

void TestPostTool::secondCompletionIsIgnored()
{
    Panel panel(m_browsers);
    query(panel, "100000");
    QTRY_COMPARE_WITH_TIMEOUT(panel.txtPostJG->text(), ListCut, 60000);

    // The page goes on to another document (a frame, a script's reload):
    // its completion finds PostPending cleared and changes nothing.
    BrowserView *view = panel.WebPost;
    QSignalSpy completions(view, &BrowserView::documentComplete);
    view->Navigate(Endpoints::postCode("999999"));
    QTRY_COMPARE_WITH_TIMEOUT(completions.count(), 1, 60000);
    // Page reads are answered in the order asked: once ours is back, one the
    // tool might have asked at that completion would be back too.
    bool read = false;
    view->bodyText([&read](std::optional<QString>) { read = true; });
    QTRY_VERIFY_WITH_TIMEOUT(read, 60000);
    QCOMPARE(panel.txtPostJG->text(), ListCut);
    QVERIFY(!panel.state.PostPending);
}

void TestPostTool::pageThatNeverCompletesFailsAtTheLoadBound_data()
{
    QTest::addColumn<bool>("scriptRunsOn"); // false: the service never answers
    QTest::newRow("service never answers") << false;
    QTest::newRow("script never ends") << true;
}

// The load's bound ends the wait: the tool shows its error, the page is
// ended (a script that never ends costs no CPU afterwards), and the next
// query in the same view, from the same site, answers.
void TestPostTool::pageThatNeverCompletesFailsAtTheLoadBound()
{
    QFETCH(bool, scriptRunsOn);
    m_standin.setRoute(Endpoints::PostCodeHost, "/300000.html",
                       scriptRunsOn ? StandinServer::html(pageWith(QStringLiteral("<p>邮编300000：</p>"
                                                                                  "<script>for (;;) {}</script>")))
                                    : StandinServer::stall());
    Panel panel(m_browsers);
    // The view's own bound, shortened: the shipped one is 30 s.
    auto *view = qobject_cast<WebEngineBrowserView *>(panel.WebPost);
    QVERIFY(view);
    const std::chrono::milliseconds limit(2000);
    view->setLoadTimeLimit(limit);

    QElapsedTimer clock;
    clock.start();
    query(panel, "300000");
    // The page's process as it stands last before the error: the one the
    // document committed in, where it did.
    PageProcessWatch watch;
    QTRY_VERIFY_WITH_TIMEOUT(panel.txtPostJG->text() == PostTool::ErrorText || (watch.note(panel.WebPost), false),
                             60000);
    QVERIFY(clock.elapsed() >= limit.count() / 2);
    QVERIFY(!panel.state.PostPending);
    if (scriptRunsOn) {
        QVERIFY(!watch.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(watch.endedOrIdle(), 30000);
    }

    query(panel, "100000");
    QTRY_COMPARE_WITH_TIMEOUT(panel.txtPostJG->text(), ListCut, 60000);
    QVERIFY(!panel.state.PostPending);
    QCOMPARE(panel.fatal.count, 0);
}

KORDELVANE_BROWSER_TEST_MAIN(TestPostTool)
#include "tst_posttool.moc"
