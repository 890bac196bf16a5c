#include "BrowserTestMain.h"
#include "BrowserView.h"
#include "PageFetcher.h"
#include "PageLimits.h"
#include "PageProcessWatch.h"
#include "WebEngineBrowserView.h"
#include "Recorders.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <memory>

#include <signal.h>

// The browser views against pages served by the stand-in server through
// Chromium's proxy: completion, rendered text, page operations, silence.
namespace
{

const QString Host = QStringLiteral("browser.test");

QString address(const QString &path)
{
    return QStringLiteral("http://") + Host + path;
}

QString htmlAttribute(QString value)
{
    return value.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'"', QStringLiteral("&quot;"))
        .replace(u'<', QStringLiteral("&lt;"));
}

// A panel with one view in it, and the addresses of its completions as they came.
struct ViewHost {
    explicit ViewHost(BrowserFactory &browsers, bool shown = true)
    {
        panel = std::make_unique<QWidget>();
        panel->resize(200, 100);
        view = browsers.create(panel.get(), QRect(10, 20, 17, 25));
        QObject::connect(view, &BrowserView::documentComplete, view, [this] { completions << view->currentUrl(); });
        if (shown)
            panel->show();
    }
    std::unique_ptr<QWidget> panel;
    BrowserView *view = nullptr;
    QStringList completions;
};

template <class T> struct Reply {
    std::optional<T> value;
    bool came = false;
};

} // namespace

class TestBrowserView : public QObject
{
    Q_OBJECT
public:
    TestBrowserView(StandinServer &standin, BrowserFactory &browsers) : m_standin(standin), m_browsers(browsers) {}

private slots:
    void init();
    void viewSitsAtItsDesignPlace();
    void documentCompleteOncePerNavigation();
    void titleChangeAndCurrentAddress();
    void hiddenPanelStillLoads();
    void sameAddressAsksTheServiceAgain();
    void bodyTextEqualsThePageFetch_data();
    void bodyTextEqualsThePageFetch();
    void valuesAreDataNotScript_data();
    void valuesAreDataNotScript();
    void elementOperations_data();
    void elementOperations();
    void pageDialogsShowNothing_data();
    void pageDialogsShowNothing();
    void readingTheTextLoadsNothing();
    void replyAfterTheViewIsGoneIsDropped();
    void readsAreBounded_data();
    void readsAreBounded();
    void stepsAreBounded_data();
    void stepsAreBounded();
    void loadsAreBounded_data();
    void loadsAreBounded();
    void endedProcessFailsTheLoad();
    void heldPageAsksForNothing_data();
    void heldPageAsksForNothing();
    void heldFormStaysReadableAndSendable();
    void silentViewSettings_data();
    void silentViewSettings();

private:
    bool load(ViewHost &host, const QString &path);
    std::optional<QString> text(BrowserView *view, const QString &id = QString());
    bool done(BrowserView *view, const std::function<void(BrowserView::DoneReply)> &operation);

    StandinServer &m_standin;
    BrowserFactory &m_browsers;
};

void TestBrowserView::init()
{
    m_standin.clearRoutes();
    m_standin.clearRequests();
}

bool TestBrowserView::load(ViewHost &host, const QString &path)
{
    const qsizetype before = host.completions.size();
    host.view->Navigate(address(path));
    [&] { QTRY_VERIFY_WITH_TIMEOUT(host.completions.size() > before, 60000); }();
    return host.completions.size() > before;
}

std::optional<QString> TestBrowserView::text(BrowserView *view, const QString &id)
{
    auto reply = std::make_shared<Reply<QString>>();
    auto store = [reply](std::optional<QString> value) {
        reply->value = value;
        reply->came = true;
    };
    if (id.isNull())
        view->bodyText(store);
    else
        view->elementText(id, store);
    [&] { QTRY_VERIFY_WITH_TIMEOUT(reply->came, 60000); }();
    return reply->value;
}

bool TestBrowserView::done(BrowserView *view, const std::function<void(BrowserView::DoneReply)> &operation)
{
    Q_UNUSED(view);
    auto reply = std::make_shared<Reply<bool>>();
    operation([reply](bool ok) {
        reply->value = ok;
        reply->came = true;
    });
    [&] { QTRY_VERIFY_WITH_TIMEOUT(reply->came, 60000); }();
    return reply->came && *reply->value;
}

void TestBrowserView::viewSitsAtItsDesignPlace()
{
    ViewHost host(m_browsers);
    QCOMPARE(host.view->widget()->parentWidget(), host.panel.get());
    QCOMPARE(host.view->widget()->geometry(), QRect(10, 20, 17, 25));
    QVERIFY(host.view->widget()->isVisible());
}

void TestBrowserView::documentCompleteOncePerNavigation()
{
    m_standin.setRoute(
        Host, "/framed.html",
        StandinServer::html("<p>outer</p><iframe src='/inner.html'></iframe><iframe src='/inner.html?2'></iframe>"));
    m_standin.setRoute(Host, "/inner.html*", StandinServer::html("<p>inner</p>"));
    m_standin.setRoute(Host, "/plain.html", StandinServer::html("<p>plain</p>"));
    m_standin.setRoute(Host, "/stalled.html", StandinServer::stall());
    m_standin.setRoute(Host, "/last.html", StandinServer::html("<p>last</p>"));
    m_standin.setRoute(Host, "/missing.html", StandinServer::html("<p>not here</p>", 404));
    m_standin.setRoute(Host, "/closed.html", StandinServer::closeWithoutAnswer());
    ViewHost host(m_browsers);

    QVERIFY(load(host, "/framed.html"));
    QVERIFY(load(host, "/plain.html"));
    // An error status shows the server's page; a failed load shows the
    // view's error page: one completion each, like any other page.
    QVERIFY(load(host, "/missing.html"));
    QCOMPARE(text(host.view), std::optional<QString>(QStringLiteral("not here")));
    QVERIFY(load(host, "/closed.html"));
    // A navigation that never completes is cut short by the next one and
    // gives no completion of its own.
    host.view->Navigate(address("/stalled.html"));
    const auto stalledAsked = [this] {
        for (const auto &request : m_standin.requests())
            if (request.pathAndQuery == "/stalled.html")
                return true;
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(stalledAsked(), 60000);
    QVERIFY(load(host, "/last.html"));
    QCOMPARE(text(host.view), std::optional<QString>(QStringLiteral("last")));
    QCOMPARE(host.completions, QStringList({address("/framed.html"), address("/plain.html"), address("/missing.html"),
                                            address("/closed.html"), address("/last.html")}));
}

void TestBrowserView::titleChangeAndCurrentAddress()
{
    m_standin.setRoute(Host, "/titled.html", StandinServer::html(QStringLiteral("<title>邮编查询</title><p>x</p>")));
    ViewHost host(m_browsers);
    QSignalSpy titles(host.view, &BrowserView::titleChanged);
    QVERIFY(load(host, "/titled.html"));
    QTRY_VERIFY_WITH_TIMEOUT(!titles.isEmpty() && titles.last().at(0).toString() == QStringLiteral("邮编查询"), 60000);
    QCOMPARE(host.view->currentUrl(), address("/titled.html"));
}

void TestBrowserView::hiddenPanelStillLoads()
{
    // Panels stay hidden until their side-bar item is chosen, and some views
    // are parked out of sight; their pages load and run all the same.
    m_standin.setRoute(
        Host, "/hidden.html",
        StandinServer::html("<p id=p>x</p><script>document.getElementById('p').textContent = 'ran';</script>"));
    ViewHost host(m_browsers, false);
    QVERIFY(!host.view->widget()->isVisible());
    QVERIFY(load(host, "/hidden.html"));
    QCOMPARE(text(host.view), std::optional<QString>(QStringLiteral("ran")));
}

void TestBrowserView::sameAddressAsksTheServiceAgain()
{
    // The page may answer differently the second time (a new query for the
    // same number, the barcode form at every activation): nothing is cached.
    // Served as a page that may be kept for an hour.
    auto cacheable = [](const char *markup) {
        auto response = StandinServer::html(QString::fromUtf8(markup));
        response.extraHeaders = "Cache-Control: max-age=3600\r\n";
        return response;
    };
    m_standin.setRoute(Host, "/again.html", cacheable("<p>first</p>"));
    ViewHost host(m_browsers);
    QVERIFY(load(host, "/again.html"));
    QCOMPARE(text(host.view), std::optional<QString>(QStringLiteral("first")));
    m_standin.setRoute(Host, "/again.html", cacheable("<p>second</p>"));
    QVERIFY(load(host, "/again.html"));
    QCOMPARE(text(host.view), std::optional<QString>(QStringLiteral("second")));
    int asked = 0;
    for (const auto &request : m_standin.requests())
        asked += request.pathAndQuery == "/again.html";
    QCOMPARE(asked, 2);
}

void TestBrowserView::bodyTextEqualsThePageFetch_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cells and rows")
        << QStringLiteral("<html><head><title>t</title></head><body>\n<table>\n<tr><td>邮编</td><td>地址</td></tr>\n"
                          "<tr><td>100000</td><td>北京市&nbsp;东城区</td></tr>\n</table>\n</body></html>")
        << QStringLiteral("邮编 地址 \r\n100000 北京市 东城区 ");
    QTest::newRow("blocks, br, blanks and references")
        << QStringLiteral("<div>第一行</div><p>第二  行<br>第三行 &lt;b&gt;</p><ul><li>甲</li><li>乙</li></ul>"
                          "<script>var x = 1;</script><!-- c --><pre>a  b\nc</pre>末尾<br>")
        << QStringLiteral("第一行\r\n第二 行\r\n第三行 <b>\r\n甲\r\n乙\r\na  b\r\nc\r\n末尾");
    QTest::newRow("pre starting with a blank line")
        << QStringLiteral("x<pre>\n\n  a</pre>y<textarea>t</textarea><select><option>s1<option>s2</select>")
        << QStringLiteral("x\r\n\r\n  a\r\nys1s2");
    QTest::newRow("post-code list page") << QString() << QString();
}

void TestBrowserView::bodyTextEqualsThePageFetch()
{
    QFETCH(QString, markup);
    QFETCH(QString, expected);
    m_standin.setRoute(Host, "/page.html",
                       markup.isNull() ? StandinServer::page("postcode/list.html") : StandinServer::html(markup));
    RecordingFatalEnd fatal;
    PageFetcher fetcher(fatal);
    const QString fetched = fetcher.fetchPageText(address("/page.html"));
    if (!expected.isNull())
        QCOMPARE(fetched, expected);

    ViewHost host(m_browsers);
    QVERIFY(load(host, "/page.html"));
    QCOMPARE(text(host.view), std::optional<QString>(fetched));
}

void TestBrowserView::valuesAreDataNotScript_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "q" << QStringLiteral("100000");
    QTest::newRow("quotes in the value") << "q"
                                         << R"(a"b'c"); document.title = 'pwned'; (")";
    QTest::newRow("script end in the value") << "q"
                                             << "</script><script>document.title = 'pwned'</script>";
    QTest::newRow("backslashes and a line separator") << "q" << QStringLiteral("a\\\" \u2028 b");
    QTest::newRow("quotes in the name") << R"(x"]'); document.title = 'pwned'; ('")"
                                        << "v";
    QTest::newRow("script end in the name") << "</script><b>"
                                            << "v";
}

void TestBrowserView::valuesAreDataNotScript()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    m_standin.setRoute(
        Host, "/form.html",
        StandinServer::html(QStringLiteral("<title>form</title><input name=\"%1\">"
                                           "<button id=copy onclick=\"document.getElementById('out')"
                                           ".textContent = document.getElementsByName(this.dataset.n)[0].value\" "
                                           "data-n=\"%1\">copy</button><div id=out></div>")
                                .arg(htmlAttribute(name))));
    ViewHost host(m_browsers);
    QSignalSpy titles(host.view, &BrowserView::titleChanged);
    QVERIFY(load(host, "/form.html"));
    QVERIFY(done(host.view, [&](BrowserView::DoneReply r) { host.view->setValueByName(name, value, r); }));
    QVERIFY(done(host.view, [&](BrowserView::DoneReply r) { host.view->clickElement("copy", r); }));
    QCOMPARE(text(host.view, "out"), std::optional<QString>(value));
    for (const auto &title : titles)
        QVERIFY2(title.at(0).toString() != QStringLiteral("pwned"), "a value ran as script");
}

enum class Operation { Click, Has, ClickNthByName, ClickNthByTag, Count, ElementText };
Q_DECLARE_METATYPE(Operation)

void TestBrowserView::elementOperations_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("result"); // the out element's text afterwards, or the answer

    QTest::newRow("click by id") << Operation::Click << "byId" << 0 << true << "id";
    QTest::newRow("click by name") << Operation::Click << "byName" << 0 << true << "name";
    QTest::newRow("click takes the first in document order") << Operation::Click << "twice" << 0 << true << "first";
    QTest::newRow("click missing") << Operation::Click << "nothing" << 0 << false << "";
    QTest::newRow("has by id") << Operation::Has << "byId" << 0 << true << "";
    QTest::newRow("has by name") << Operation::Has << "byName" << 0 << true << "";
    QTest::newRow("has missing") << Operation::Has << "nothing" << 0 << false << "";
    QTest::newRow("click nth of a name") << Operation::ClickNthByName << "box" << 1 << true << "box1";
    QTest::newRow("click nth past the end") << Operation::ClickNthByName << "box" << 3 << false << "";
    QTest::newRow("click nth of a tag, upper case") << Operation::ClickNthByTag << "IMG" << 1 << true << "img1";
    QTest::newRow("click negative index") << Operation::ClickNthByTag << "IMG" << -1 << false << "";
    QTest::newRow("count a tag") << Operation::Count << "IMG" << 0 << true << "2";
    QTest::newRow("count a missing tag") << Operation::Count << "video" << 0 << true << "0";
    QTest::newRow("element text") << Operation::ElementText << "rating" << 0 << true
                                  << QStringLiteral("信用 AAA\r\n良好");
    QTest::newRow("element text missing") << Operation::ElementText << "none" << 0 << false << "";
}

void TestBrowserView::elementOperations()
{
    QFETCH(Operation, operation);
    QFETCH(QString, key);
    QFETCH(int, index);
    QFETCH(bool, succeeds);
    QFETCH(QString, result);
    const QString mark = QStringLiteral(" onclick=\"document.getElementById('out').textContent='%1'\"");
    m_standin.setRoute(
        Host, "/elements.html",
        StandinServer::html(
            QStringLiteral(
                "<a id=byId%1>a</a><a name=byName%2>b</a><span id=twice%3>c</span><a name=twice%4>d</a>"
                "<input type=checkbox name=box%5><input type=checkbox name=box%6><input type=checkbox name=box%7>"
                "<img src='/i.gif'%8><img src='/i.gif'%9>"
                "<span id=rating>信用 <b>AAA</b><br>良好</span><div id=out></div>")
                .arg(mark.arg("id"), mark.arg("name"), mark.arg("first"), mark.arg("second"), mark.arg("box0"),
                     mark.arg("box1"), mark.arg("box2"), mark.arg("img0"), mark.arg("img1"))));
    m_standin.setRoute(Host, "/i.gif", StandinServer::notFound());
    ViewHost host(m_browsers);
    QVERIFY(load(host, "/elements.html"));
    BrowserView *view = host.view;
    switch (operation) {
    case Operation::Click:
        QCOMPARE(done(view, [&](BrowserView::DoneReply r) { view->clickElement(key, r); }), succeeds);
        QCOMPARE(text(view, "out"), std::optional<QString>(result));
        break;
    case Operation::Has:
        QCOMPARE(done(view, [&](BrowserView::DoneReply r) { view->hasElement(key, r); }), succeeds);
        // Looking clicks nothing.
        QCOMPARE(text(view, "out"), std::optional<QString>(QString()));
        break;
    case Operation::ClickNthByName:
    case Operation::ClickNthByTag: {
        const auto collection = operation == Operation::ClickNthByName ? BrowserView::Collection::ByName
                                                                       : BrowserView::Collection::ByTagName;
        QCOMPARE(done(view, [&](BrowserView::DoneReply r) { view->clickNth(collection, key, index, r); }), succeeds);
        QCOMPARE(text(view, "out"), std::optional<QString>(result));
        break;
    }
    case Operation::Count: {
        auto reply = std::make_shared<Reply<int>>();
        view->countByTagName(key, [reply](std::optional<int> count) {
            reply->value = count;
            reply->came = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(reply->came, 60000);
        QCOMPARE(reply->value, std::optional<int>(result.toInt()));
        break;
    }
    case Operation::ElementText:
        QCOMPARE(text(view, key), succeeds ? std::optional<QString>(result) : std::nullopt);
        break;
    }
}

void TestBrowserView::pageDialogsShowNothing_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("title");
    QTest::newRow("alert") << "alert('hello')"
                           << "after:undefined";
    QTest::newRow("confirm is cancelled") << "confirm('sure?')"
                                          << "after:false";
    QTest::newRow("prompt is cancelled") << "prompt('name?', 'x')"
                                         << "after:null";
    QTest::newRow("new window is refused") << "(window.open('/popup.html'), 'asked')"
                                           << "after:asked";
}

void TestBrowserView::pageDialogsShowNothing()
{
    QFETCH(QString, call);
    QFETCH(QString, title);
    m_standin.setRoute(
        Host, "/dialog.html",
        StandinServer::html(QStringLiteral("<p>x</p><script>document.title = 'after:' + (%1);</script>").arg(call)));
    m_standin.setRoute(Host, "/popup.html", StandinServer::html("<p>popup</p>"));
    m_standin.setRoute(Host, "/next.html", StandinServer::html("<p>next</p>"));
    ViewHost host(m_browsers);
    QSignalSpy titles(host.view, &BrowserView::titleChanged);
    QVERIFY(load(host, "/dialog.html"));
    QTRY_VERIFY2_WITH_TIMEOUT(!titles.isEmpty() && titles.last().at(0).toString() == title,
                              qPrintable(titles.isEmpty() ? QString() : titles.last().at(0).toString()), 60000);
    for (QWidget *top : QApplication::topLevelWidgets())
        QVERIFY2(top == host.panel.get() || !top->isVisible(), qPrintable(top->metaObject()->className()));
    // A refused window loads nothing, even by the time a further page is in.
    QVERIFY(load(host, "/next.html"));
    for (const auto &request : m_standin.requests())
        QVERIFY(!request.pathAndQuery.startsWith("/popup"));
}

void TestBrowserView::readingTheTextLoadsNothing()
{
    // A captcha picture fetched again would change under the user's eyes.
    m_standin.setRoute(
        Host, "/pictures.html",
        StandinServer::html("<p>a</p><img src='/captcha.gif'><pre>\n\nb</pre>"
                            "<script>document.title = 'ran ' + (window.runs = (window.runs || 0) + 1);</script>"));
    m_standin.setRoute(Host, "/captcha.gif", StandinServer::raw("GIF89a", 200));
    m_standin.setRoute(Host, "/next.html", StandinServer::html("<p>next</p>"));
    const auto pictureRequests = [this] {
        int count = 0;
        for (const auto &request : m_standin.requests())
            count += request.pathAndQuery == "/captcha.gif" ? 1 : 0;
        return count;
    };
    ViewHost host(m_browsers);
    QSignalSpy titles(host.view, &BrowserView::titleChanged);
    QVERIFY(load(host, "/pictures.html"));
    QTRY_COMPARE_WITH_TIMEOUT(pictureRequests(), 1, 60000);
    QCOMPARE(text(host.view), std::optional<QString>(QStringLiteral("a\r\n\r\nb")));
    QCOMPARE(text(host.view), std::optional<QString>(QStringLiteral("a\r\n\r\nb")));
    QVERIFY(load(host, "/next.html"));
    QCOMPARE(pictureRequests(), 1);
    for (const auto &title : titles)
        QVERIFY(title.at(0).toString() != QStringLiteral("ran 2"));
}

void TestBrowserView::replyAfterTheViewIsGoneIsDropped()
{
    m_standin.setRoute(Host, "/a.html", StandinServer::html("<p>a</p>"));
    auto gone = std::make_unique<ViewHost>(m_browsers);
    QVERIFY(load(*gone, "/a.html"));
    QPointer<QWidget> viewWidget = gone->view->widget();
    bool called = false;
    gone->view->bodyText([&called](std::optional<QString>) { called = true; });
    gone.reset();
    QVERIFY(viewWidget.isNull());

    // Another view's whole navigation and read give the dropped reply every
    // chance to arrive.
    ViewHost other(m_browsers);
    QVERIFY(load(other, "/a.html"));
    QCOMPARE(text(other.view), std::optional<QString>(QStringLiteral("a")));
    QVERIFY(!called);
}

void TestBrowserView::readsAreBounded_data()
{
    QTest::addColumn<QString>("script"); // builds the body
    QTest::addColumn<int>("limitMs"); // the read's time limit
    QTest::addColumn<QString>("expected"); // null: the read fails
    // The script takes itself out, so the body's markup is the text alone.
    // The long rows keep the shipped time limit: they are about the size, and
    // a busy machine may take seconds to hand a megabyte over.
    const QString longText = QStringLiteral(
        "document.currentScript.remove(); document.body.appendChild(document.createTextNode('a'.repeat(%1)));");
    const int shipped = int(BrowserView::ReadTimeLimit.count());
    QTest::newRow("markup at the size limit") << longText.arg(kMaxMarkupBytes) << shipped
                                              << QString(kMaxMarkupBytes, u'a');
    QTest::newRow("markup one character longer") << longText.arg(kMaxMarkupBytes + 1) << shipped << QString();
    QTest::newRow("document 15000 elements deep")
        << QStringLiteral("var e = document.body;"
                          " for (var i = 0; i < 15000; ++i) { var d = document.createElement('div'); e.appendChild(d); e = d; }"
                          " e.appendChild(document.createTextNode('deep'));")
        << 3000 << QString();
}

void TestBrowserView::readsAreBounded()
{
    QFETCH(QString, script);
    QFETCH(int, limitMs);
    QFETCH(QString, expected);
    m_standin.setRoute(Host, "/built.html",
                       StandinServer::html(QStringLiteral("<html><body><script>") + script
                                           + QStringLiteral("</script></body></html>")));
    ViewHost host(m_browsers);
    auto *view = qobject_cast<WebEngineBrowserView *>(host.view);
    QVERIFY(view);
    view->setReadTimeLimit(std::chrono::milliseconds(limitMs));
    QVERIFY(load(host, "/built.html"));

    QElapsedTimer clock;
    clock.start();
    const std::optional<QString> read = text(view);
    if (expected.isNull()) {
        QVERIFY(!read);
    } else {
        QVERIFY(read);
        QVERIFY(*read == expected);
    }
    // Settled by the answer or by the time limit, whichever came first. The
    // bound is loose on purpose: a loaded machine runs the limit's timer late,
    // and what matters is that the read ends, not how fast.
    QVERIFY(clock.elapsed() < limitMs * 3 + 10000);
}

enum class Step { Click, Read, Count };
Q_DECLARE_METATYPE(Step)

void TestBrowserView::stepsAreBounded_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<QString>("markup");
    const QString button = QStringLiteral("<title>busy</title><button id=b onclick='for (;;) {}'>b</button>");
    // The loop starts once the page is in, ahead of the step asked at its completion.
    const QString busy = QStringLiteral(
        "<title>busy</title><p>x</p><script>onload = function () { setTimeout(function () { for (;;) {} }, 0); };</script>");
    QTest::newRow("click whose script never returns") << Step::Click << button;
    QTest::newRow("read of a page whose script runs on") << Step::Read << busy;
    QTest::newRow("count in a page whose script runs on") << Step::Count << busy;
}

// A step whose page script never returns fails within the limit, like a
// slow read, so a tool's chain of steps ends in its failure path; the page is
// ended with it, costs nothing more, and the view's next page, from the same
// site, answers. A second view on the same site keeps its own process and
// goes on answering.
void TestBrowserView::stepsAreBounded()
{
    QFETCH(Step, step);
    QFETCH(QString, markup);
    const QString site = QStringLiteral("http://hang.test");
    m_standin.setRoute("hang.test", "/busy.html", StandinServer::html(markup));
    m_standin.setRoute("hang.test", "/next.html", StandinServer::html("<p>next</p>"));
    ViewHost neighbour(m_browsers);
    neighbour.view->Navigate(site + "/next.html");
    QTRY_VERIFY_WITH_TIMEOUT(!neighbour.completions.isEmpty(), 60000);
    ViewHost host(m_browsers);
    auto *view = qobject_cast<WebEngineBrowserView *>(host.view);
    QVERIFY(view);
    const std::chrono::milliseconds limit(3000);
    view->setReadTimeLimit(limit);
    QSignalSpy titles(view, &BrowserView::titleChanged);
    host.view->Navigate(site + "/busy.html");
    QTRY_VERIFY_WITH_TIMEOUT(!host.completions.isEmpty(), 60000);
    // The page has named itself: the process it shows from is the page's own.
    QTRY_VERIFY_WITH_TIMEOUT(!titles.isEmpty() && titles.last().at(0).toString() == QStringLiteral("busy"), 60000);
    PageProcessWatch watch;
    watch.note(view);
    QVERIFY(!watch.isEmpty());
    QVERIFY(!watch.watches(PageProcessWatch::pidOf(neighbour.view)));

    QElapsedTimer clock;
    clock.start();
    bool failed = false;
    switch (step) {
    case Step::Click:
        failed = !done(view, [view](BrowserView::DoneReply reply) { view->clickElement(QStringLiteral("b"), reply); });
        break;
    case Step::Read:
        failed = !text(view);
        break;
    case Step::Count: {
        auto reply = std::make_shared<Reply<int>>();
        view->countByTagName(QStringLiteral("p"), [reply](std::optional<int> count) {
            reply->value = count;
            reply->came = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(reply->came, 60000);
        failed = !reply->value;
        break;
    }
    }
    QVERIFY(failed);
    // Failed by the limit (a coarse timer may fire a little early), not at
    // once and not never. The upper bound is loose on purpose: a loaded
    // machine runs the limit's timer late.
    QVERIFY(clock.elapsed() >= limit.count() / 2);
    QVERIFY(clock.elapsed() < limit.count() * 3 + 10000);
    // The ended page reads as gone until the next navigation.
    QVERIFY(!view->documentLoaded());
    QVERIFY(!text(view));

    QTRY_VERIFY_WITH_TIMEOUT(watch.endedOrIdle(), 30000);
    const qsizetype before = host.completions.size();
    host.view->Navigate(site + "/next.html");
    QTRY_VERIFY_WITH_TIMEOUT(host.completions.size() > before, 60000);
    QVERIFY(view->documentLoaded());
    QCOMPARE(text(view), std::optional<QString>(QStringLiteral("next")));
    QCOMPARE(host.completions.last(), site + "/next.html");
    QCOMPARE(text(neighbour.view), std::optional<QString>(QStringLiteral("next")));
}

void TestBrowserView::loadsAreBounded_data()
{
    QTest::addColumn<QString>("markup"); // empty: the document itself never answers
    QTest::addColumn<bool>("runsOn");    // a script of the page runs on: its process is there to watch
    QTest::newRow("document never answers") << QString() << false;
    QTest::newRow("picture never comes") << QStringLiteral("<p>x</p><img src='/never.png'>") << false;
    QTest::newRow("frame never comes") << QStringLiteral("<p>x</p><iframe src='/never.png'></iframe>") << false;
    QTest::newRow("script's own stop") << QStringLiteral("<p>x</p><img src='/never.png'><script>window.stop();</script>")
                                       << false;
    QTest::newRow("script never ends") << QStringLiteral("<p>x</p><script>for (;;) {}</script>") << true;
    // A frame from another site runs in a process of its own.
    QTest::newRow("frame's script never ends")
        << QStringLiteral("<p>x</p><iframe src='http://frame.test/loop.html'></iframe>") << true;
}

// A load that does not complete within its limit completes as a failed load,
// its document unreadable; the page is ended, so its process costs nothing
// more (a script that never ends ran on after a stop), and the view is free
// for the next page from the same site.
void TestBrowserView::loadsAreBounded()
{
    QFETCH(QString, markup);
    QFETCH(bool, runsOn);
    m_standin.setRoute(Host, "/never.png", StandinServer::stall());
    m_standin.setRoute("frame.test", "/loop.html", StandinServer::html("<p>y</p><script>for (;;) {}</script>"));
    m_standin.setRoute(Host, "/slow.html", markup.isEmpty() ? StandinServer::stall() : StandinServer::html(markup));
    m_standin.setRoute(Host, "/next.html", StandinServer::html("<p>next</p>"));
    ViewHost host(m_browsers);
    auto *view = qobject_cast<WebEngineBrowserView *>(host.view);
    QVERIFY(view);
    const std::chrono::milliseconds limit(2000);
    view->setLoadTimeLimit(limit);

    QElapsedTimer clock;
    clock.start();
    // The page's process as it stands last before the completion (the one
    // the document committed in, where it did), and every page process
    // there is then (a frame's from another site among them).
    PageProcessWatch watch;
    host.view->Navigate(address("/slow.html"));
    QTRY_VERIFY_WITH_TIMEOUT(!host.completions.isEmpty() || (watch.note(view), watch.noteRenderers(), false), 60000);
    QVERIFY(clock.elapsed() >= limit.count() / 2);
    QCOMPARE(host.completions.size(), 1);
    QVERIFY(!view->documentLoaded());
    QVERIFY(!text(view));
    QVERIFY(!done(view, [view](BrowserView::DoneReply reply) { view->hasElement(QStringLiteral("x"), reply); }));
    if (runsOn)
        QVERIFY(!watch.isEmpty());
    if (!watch.isEmpty())
        QTRY_VERIFY_WITH_TIMEOUT(watch.endedOrIdle(), 30000);

    QVERIFY(load(host, "/next.html"));
    QVERIFY(view->documentLoaded());
    QCOMPARE(text(view), std::optional<QString>(QStringLiteral("next")));
    QCOMPARE(host.completions.size(), 2);
}

// A page whose process ends while it loads (past its memory bound, or
// killed, as here) completes at once as a failed load, not at the load's
// bound, and the view's next page from the same site answers.
void TestBrowserView::endedProcessFailsTheLoad()
{
    m_standin.setRoute(Host, "/never.png", StandinServer::stall());
    m_standin.setRoute(Host, "/waiting.html", StandinServer::html("<title>waiting</title><img src='/never.png'>"));
    m_standin.setRoute(Host, "/next.html", StandinServer::html("<p>next</p>"));
    ViewHost host(m_browsers);
    auto *view = qobject_cast<WebEngineBrowserView *>(host.view);
    QVERIFY(view);
    // Far beyond the test's waits: only the process's end completes the load.
    view->setLoadTimeLimit(std::chrono::milliseconds(600000));
    QSignalSpy titles(view, &BrowserView::titleChanged);
    host.view->Navigate(address("/waiting.html"));
    QTRY_VERIFY_WITH_TIMEOUT(!titles.isEmpty() && titles.last().at(0).toString() == QStringLiteral("waiting"), 60000);
    const qint64 pid = PageProcessWatch::pidOf(view);
    QVERIFY(pid > 0);
    QVERIFY(host.completions.isEmpty());

    QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
    QTRY_COMPARE_WITH_TIMEOUT(host.completions.size(), 1, 60000);
    QVERIFY(!view->documentLoaded());
    QVERIFY(!text(view));
    QVERIFY(load(host, "/next.html"));
    QVERIFY(view->documentLoaded());
    QCOMPARE(text(view), std::optional<QString>(QStringLiteral("next")));
    QCOMPARE(host.completions.size(), 2);
}

void TestBrowserView::heldPageAsksForNothing_data()
{
    // %1: the page's own address, which it asks for again and again.
    QTest::addColumn<QString>("markup");
    QTest::newRow("meta refresh") << QStringLiteral("<meta http-equiv='refresh' content='0.1; url=%1'><p>x</p>");
    QTest::newRow("location.replace")
        << QStringLiteral("<p>x</p><script>setTimeout(function () { location.replace('%1'); }, 100);</script>");
    QTest::newRow("script's own fetches")
        << QStringLiteral("<p>x</p><script>setInterval(function () { fetch('%1'); }, 100);</script>");
    QTest::newRow("picture asked again")
        << QStringLiteral("<p>x</p><img id=i><script>var n = 0; setInterval(function () {"
                          " document.getElementById('i').src = '%1?' + (++n); }, 100);</script>");
}

// A page that asks for itself every tenth of a second stops asking once it is
// held. The control: the same page in a second view, not held, goes on asking
// meanwhile.
void TestBrowserView::heldPageAsksForNothing()
{
    QFETCH(QString, markup);
    m_standin.setRoute(Host, "/held.html*", StandinServer::html(markup.arg(QStringLiteral("/held.html"))));
    m_standin.setRoute(Host, "/free.html*", StandinServer::html(markup.arg(QStringLiteral("/free.html"))));
    const auto heldCount = [this] {
        int count = 0;
        for (const auto &request : m_standin.requests())
            count += request.host == Host && request.pathAndQuery.startsWith("/held.html");
        return count;
    };
    const auto freeCount = [this] {
        int count = 0;
        for (const auto &request : m_standin.requests())
            count += request.host == Host && request.pathAndQuery.startsWith("/free.html");
        return count;
    };
    ViewHost held(m_browsers);
    ViewHost free(m_browsers);
    held.view->Navigate(address("/held.html"));
    // It asks by itself: the page is what it says.
    QTRY_VERIFY_WITH_TIMEOUT(heldCount() >= 3, 60000);
    held.view->holdPage();
    // A request already on its way when the hold came may still arrive (on a
    // busy machine the server may read it after several newer ones): the
    // count is taken once the control has asked six times.
    free.view->Navigate(address("/free.html"));
    QTRY_VERIFY_WITH_TIMEOUT(freeCount() >= 6, 60000);
    const int afterHold = heldCount();
    const int freeBefore = freeCount();
    QTRY_VERIFY_WITH_TIMEOUT(freeCount() >= freeBefore + 10, 60000);
    QCOMPARE(heldCount(), afterHold);
    // A read of it still answers (held between two of its refreshes, its
    // document may be the next one, cut short, and then gives nothing), and a
    // navigation of the program's sets it going again.
    text(held.view);
    held.view->Navigate(address("/held.html"));
    QTRY_VERIFY_WITH_TIMEOUT(heldCount() >= afterHold + 3, 60000);
}

// A held form (the barcode registry's, waiting for the next query) keeps its
// fields, and the program's own click sends it.
void TestBrowserView::heldFormStaysReadableAndSendable()
{
    m_standin.setRoute(Host, "/form.html",
                       StandinServer::html("<meta http-equiv='refresh' content='0.3'>"
                                           "<form action='/sent.html'><input name=q id=q><input type=submit id=s></form>"));
    m_standin.setRoute(Host, "/sent.html*", StandinServer::html("<p>sent</p>"));
    ViewHost host(m_browsers);
    QVERIFY(load(host, "/form.html"));
    host.view->holdPage();
    QVERIFY(done(host.view, [&](BrowserView::DoneReply reply) { host.view->hasElement(QStringLiteral("q"), reply); }));
    const qsizetype before = host.completions.size();
    QVERIFY(done(host.view,
                 [&](BrowserView::DoneReply reply) { host.view->setValueByName(QStringLiteral("q"), "6901234", reply); }));
    QVERIFY(done(host.view, [&](BrowserView::DoneReply reply) { host.view->clickElement(QStringLiteral("s"), reply); }));
    QTRY_VERIFY_WITH_TIMEOUT(host.completions.size() > before, 60000);
    QCOMPARE(host.completions.last(), address("/sent.html?q=6901234"));
    QCOMPARE(text(host.view), std::optional<QString>(QStringLiteral("sent")));
}

void TestBrowserView::silentViewSettings_data()
{
    // A script's finding, written into the body.
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no WebGL") << QStringLiteral("!!document.createElement('canvas').getContext('webgl')")
                              << QStringLiteral("false");
    QTest::newRow("no PDF viewer") << QStringLiteral("navigator.pdfViewerEnabled") << QStringLiteral("false");
    QTest::newRow("no window from script") << QStringLiteral("window.open('/other.html') === null")
                                           << QStringLiteral("true");
    QTest::newRow("no plugins") << QStringLiteral("navigator.plugins.length") << QStringLiteral("0");
    // What the tools need stays.
    QTest::newRow("cookies kept") << QStringLiteral("(document.cookie = 'a=1', document.cookie)")
                                  << QStringLiteral("a=1");
    QTest::newRow("forms and scripts") << QStringLiteral("typeof document.forms") << QStringLiteral("object");
}

void TestBrowserView::silentViewSettings()
{
    QFETCH(QString, probe);
    QFETCH(QString, expected);
    m_standin.setRoute(Host, "/probe.html",
                       StandinServer::html(QStringLiteral("<body><script>document.currentScript.remove();"
                                                          " document.body.textContent = String(")
                                           + probe + QStringLiteral(");</script></body>")));
    m_standin.setRoute(Host, "/other.html", StandinServer::html("<p>other</p>"));
    ViewHost host(m_browsers);
    QVERIFY(load(host, "/probe.html"));
    QCOMPARE(text(host.view), std::optional<QString>(expected));
}

KORDELVANE_BROWSER_TEST_MAIN(TestBrowserView)
#include "tst_browserview.moc"
