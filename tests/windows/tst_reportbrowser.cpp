#include "BrowserTestMain.h"
#include "BrowserView.h"
#include "Command.h"
#include "Endpoints.h"
#include "FaceProbe.h"
#include "Form3.h"
#include "GbkCodec.h"
#include "Recorders.h"
#include "ReportPage.h"
#include "SecondaryWindows.h"
#include "Text.h"
#include "Twips.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QSignalSpy>

Q_DECLARE_METATYPE(StandinServer::Response)

// The report window with real browser views: the report page, its captcha,
// the send button and the confirmation come from the stand-in server.
namespace {

QByteArray submitPrefix()
{
    return "/report/submit?";
}

// The query of a form sent by GET, decoded as the page's GBK.
QMultiMap<QString, QString> sentForm(const QByteArray &pathAndQuery)
{
    QMultiMap<QString, QString> fields;
    const QByteArray query = pathAndQuery.mid(pathAndQuery.indexOf('?') + 1);
    for (const QByteArray &pair : query.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        QByteArray name = pair.left(equals);
        QByteArray value = pair.mid(equals + 1);
        name.replace('+', ' ');
        value.replace('+', ' ');
        fields.insert(Gbk::decode(QByteArray::fromPercentEncoding(name)), Gbk::decode(QByteArray::fromPercentEncoding(value)));
    }
    return fields;
}

void click(Command *button)
{
    Pointer::click(button, Qt::LeftButton, QPoint(10, button->height() / 2));
}

} // namespace

class TestReportBrowser : public QObject
{
    Q_OBJECT
public:
    TestReportBrowser(StandinServer &standin, BrowserFactory &browsers) : m_standin(standin), m_browsers(browsers) {}

private slots:
    void init();
    void theCaptchaComesFromThePage();
    void reportIsSentAndConfirmed();
    void pageWithoutImageKeepsTheCaptcha();
    void failedCopyKeepsTheCaptcha_data();
    void failedCopyKeepsTheCaptcha();
    void captchaFromAnotherHostOfTheSite();
    void largeCaptchaStaysInsideItsBox();
    void titleOfAPage_data();
    void titleOfAPage();
    void readPageStopsWhileTheBoxIsUp();

private:
    Form3 *open();
    int asked(const QString &host, const QByteArray &pathStart) const;

    StandinServer &m_standin;
    BrowserFactory &m_browsers;
    QTemporaryDir m_folder;
    RecordingMessageBoxes m_boxes;
    QWidget m_mainWindow;
    std::unique_ptr<SecondaryWindows> m_windows;
};

void TestReportBrowser::init()
{
    m_standin.clearRoutes();
    m_standin.loadRoutes(StandinServer::sourceDir());
    m_standin.clearRequests();
    m_boxes.boxes.clear();
    m_boxes.onShow = nullptr;
    SecondaryWindows::Dependencies deps;
    deps.boxes = &m_boxes;
    deps.browsers = &m_browsers;
    deps.folder = ProgramFolder(m_folder.path());
    deps.mainWindow = &m_mainWindow;
    m_windows = std::make_unique<SecondaryWindows>(deps);
}

Form3 *TestReportBrowser::open()
{
    m_windows->showReport();
    Form3 *form = m_windows->report();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form))
        qFatal("the report window did not become active");
    return form;
}

int TestReportBrowser::asked(const QString &host, const QByteArray &pathStart) const
{
    int count = 0;
    for (const auto &request : m_standin.requests())
        count += request.host == host && request.pathAndQuery.startsWith(pathStart);
    return count;
}

void TestReportBrowser::theCaptchaComesFromThePage()
{
    // The captcha is read from the page, not through the clipboard: what the
    // user has there stays.
    QApplication::clipboard()->setText(QStringLiteral("用户复制的文字"));
    Form3 *form = open();
    QTRY_COMPARE_WITH_TIMEOUT(form->Label6()->text(), ReportPage::Connected, 60000);
    QCOMPARE(form->Picture1()->size(), QSize(46, 20));
    const QImage served(StandinServer::pagePath(QStringLiteral("report/captcha.png")));
    const QImage shown = form->Picture1()->pixmap().toImage();
    QCOMPARE(shown.size(), served.size());
    for (int y = 0; y < served.height(); ++y) {
        for (int x = 0; x < served.width(); ++x)
            QCOMPARE(shown.pixel(x, y), served.pixel(x, y));
    }
    QVERIFY(form->WebBrowser1()->currentUrl().contains(Endpoints::ReportHost));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("用户复制的文字"));
}

void TestReportBrowser::reportIsSentAndConfirmed()
{
    // The confirmation shows the address and the categories sent, as the
    // service's own does.
    Form3 *form = open();
    QTRY_COMPARE_WITH_TIMEOUT(form->Label6()->text(), ReportPage::Connected, 60000);
    form->Text1()->setText(QStringLiteral("假冒购物网站"));
    form->Text2()->setText(QStringLiteral("www.zavoz-soft.cn/"));
    form->Check1(0)->setChecked(true);
    form->Check1(9)->setChecked(true);
    form->Text3()->setPlainText(QStringLiteral("冒充淘宝骗取货款，\n已有多人受骗。"));
    form->Text4()->setText(QStringLiteral("me@mail.cn"));
    form->Text5()->setText(QStringLiteral("7394"));
    QString nameDuringBox;
    m_boxes.onShow = [&](const RecordedBox &) { nameDuringBox = form->Text1()->text(); };
    click(form->Command1());

    QTRY_COMPARE_WITH_TIMEOUT(m_boxes.boxes.size(), 1, 60000);
    QCOMPARE(m_boxes.boxes.at(0).title, QStringLiteral("举报已成功"));
    QCOMPARE(m_boxes.boxes.at(0).text,
             QStringLiteral("您所举报的信息已提交成功，处理后会反馈到您邮箱中，一旦发现不良网站将会阻断传播，情节严重的将屏蔽处理！\r\n"
                            "您所举报的举报信息：\r\n\r\n举报网站：http://www.zavoz-soft.cn/\r\n举报类别：挂马网站、虚假购物\r\n"));
    QCOMPARE(nameDuringBox, QStringLiteral("假冒购物网站"));

    // What the page sent: the fields by name and the two ticked boxes.
    QByteArray sent;
    for (const auto &request : m_standin.requests()) {
        if (request.pathAndQuery.startsWith(submitPrefix()))
            sent = request.pathAndQuery;
    }
    QVERIFY(!sent.isEmpty());
    const auto fields = sentForm(sent);
    QCOMPARE(fields.value(QStringLiteral("title")), QStringLiteral("假冒购物网站"));
    QCOMPARE(fields.value(QStringLiteral("url")), QStringLiteral("http://www.zavoz-soft.cn/"));
    QCOMPARE(fields.value(QStringLiteral("describe")), QStringLiteral("冒充淘宝骗取货款，\r\n已有多人受骗。"));
    QCOMPARE(fields.value(QStringLiteral("email")), QStringLiteral("me@mail.cn"));
    QCOMPARE(fields.value(QStringLiteral("validateCode")), QStringLiteral("7394"));
    QStringList types = fields.values(QStringLiteral("siteType[]"));
    types.sort();
    QCOMPARE(types, (QStringList{QStringLiteral("挂马网站"), QStringLiteral("虚假购物")}));

    // Cleared and back on the report page with a fresh captcha.
    QCOMPARE(form->Text1()->text(), QString());
    QVERIFY(!form->Check1(9)->isChecked());
    QTRY_COMPARE_WITH_TIMEOUT(form->WebBrowser1()->currentUrl(), Endpoints::reportPage(), 60000);
    QTRY_COMPARE_WITH_TIMEOUT(form->Label6()->text(), ReportPage::Connected, 60000);
    QVERIFY(!form->ReportPending());
}

void TestReportBrowser::pageWithoutImageKeepsTheCaptcha()
{
    Form3 *form = open();
    QTRY_COMPARE_WITH_TIMEOUT(form->Label6()->text(), ReportPage::Connected, 60000);
    const qint64 shown = form->Picture1()->pixmap().cacheKey();
    m_standin.setRoute(Endpoints::ReportHost, "/report/", StandinServer::page(QStringLiteral("report/noimage.html")));
    QSignalSpy completed(form->WebBrowser1(), &BrowserView::documentComplete);
    form->WebBrowser1()->Navigate(Endpoints::reportPage());
    QVERIFY(completed.wait(20000));
    // The page has been asked for its image by now. Page operations answer
    // in the order asked: once this read is back, the window's one is too.
    bool asked = false;
    form->WebBrowser1()->bodyText([&](std::optional<QString>) { asked = true; });
    QTRY_VERIFY_WITH_TIMEOUT(asked, 60000);
    QCOMPARE(form->Picture1()->pixmap().cacheKey(), shown);
    QCOMPARE(form->Label6()->text(), ReportPage::Connected);
}

void TestReportBrowser::failedCopyKeepsTheCaptcha_data()
{
    QTest::addColumn<StandinServer::Response>("reportPage");
    // The view shows an error page of its own, with pictures, under the
    // report address.
    QTest::newRow("site closes without an answer") << StandinServer::closeWithoutAnswer();
    QTest::newRow("not found, with a picture")
        << StandinServer::html(QStringLiteral("<html><body><h1>404</h1><img src=\"/report/captcha.png\"></body></html>"),
                               404);
    // The page is complete before its picture is: the picture is put in
    // once the page has loaded, and never comes.
    QTest::newRow("picture not loaded yet")
        << StandinServer::html(QStringLiteral(
               "<html><body onload=\"var i = document.createElement('img'); i.src = '/report/stalled.png';"
               " document.body.insertBefore(i, document.body.firstChild);\"><p>举报</p></body></html>"));
}

void TestReportBrowser::failedCopyKeepsTheCaptcha()
{
    QFETCH(StandinServer::Response, reportPage);
    QApplication::clipboard()->setText(QStringLiteral("用户复制的文字"));
    Form3 *form = open();
    QTRY_COMPARE_WITH_TIMEOUT(form->Label6()->text(), ReportPage::Connected, 60000);
    const qint64 shown = form->Picture1()->pixmap().cacheKey();
    const QSize size = form->Picture1()->size();

    m_standin.setRoute(Endpoints::ReportHost, "/report/", reportPage);
    m_standin.setRoute(Endpoints::ReportHost, "/report/stalled.png", StandinServer::stall());
    QSignalSpy completed(form->WebBrowser1(), &BrowserView::documentComplete);
    form->WebBrowser1()->Navigate(Endpoints::reportPage());
    QVERIFY(completed.wait(20000));
    // Page operations answer in the order asked: once this picture read is
    // back, the window's own one is too.
    bool asked = false;
    form->WebBrowser1()->firstImagePicture([&](std::optional<QImage>) { asked = true; });
    QTRY_VERIFY_WITH_TIMEOUT(asked, 60000);
    QCOMPARE(form->Picture1()->pixmap().cacheKey(), shown);
    QCOMPARE(form->Picture1()->size(), size);
    QCOMPARE(form->Label6()->text(), ReportPage::Connected);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("用户复制的文字"));
}

void TestReportBrowser::captchaFromAnotherHostOfTheSite()
{
    // The page takes its captcha from a picture host of the same site; the
    // page may not hand out such a picture itself.
    const QString pictureHost = QStringLiteral("img.") + Endpoints::ReportHost;
    QString form = QString::fromUtf8([] {
        QFile file(StandinServer::pagePath(QStringLiteral("report/form.html")));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }());
    form.replace(QStringLiteral("src=\"/report/captcha.png\""),
                 QStringLiteral("src=\"http://") + pictureHost + QStringLiteral("/report/captcha.png\""));
    QVERIFY(form.contains(pictureHost));
    m_standin.setRoute(Endpoints::ReportHost, "/report/", StandinServer::html(form));
    m_standin.setRoute(pictureHost, "/report/captcha.png", StandinServer::page(QStringLiteral("report/captcha.png")));
    m_standin.setRoute(Endpoints::ReportHost, "/report/captcha.png", StandinServer::notFound());
    QApplication::clipboard()->setText(QStringLiteral("用户复制的文字"));

    Form3 *window = open();
    QTRY_COMPARE_WITH_TIMEOUT(window->Label6()->text(), ReportPage::Connected, 60000);
    const QImage served(StandinServer::pagePath(QStringLiteral("report/captcha.png")));
    const QImage shown = window->Picture1()->pixmap().toImage().convertToFormat(served.format());
    QCOMPARE(shown, served);
    QCOMPARE(window->Picture1()->size(), QSize(46, 20));
    // The picture was asked for once, by the page itself.
    int asked = 0;
    for (const auto &request : m_standin.requests())
        asked += request.host == pictureHost ? 1 : 0;
    QCOMPARE(asked, 1);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("用户复制的文字"));
}

// The page's first image at 3000 x 2000 is shown scaled into the captcha's
// room: it covers neither the logo beside it nor the status line below, and
// its size does not pass for the ready captcha's.
void TestReportBrowser::largeCaptchaStaysInsideItsBox()
{
    QImage large(3000, 2000, QImage::Format_RGB32);
    large.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(large.save(&buffer, "PNG"));
    StandinServer::Response picture = StandinServer::raw(png);
    picture.contentType = "image/png";
    m_standin.setRoute(Endpoints::ReportHost, "/report/captcha.png", picture);

    Form3 *form = open();
    QLabel *box = form->Picture1();
    QTRY_VERIFY_WITH_TIMEOUT(!box->pixmap().isNull(), 60000);
    QCOMPARE(form->Label6()->text(), ReportPage::Connecting);
    const QRect room(box->pos(), QSize(Twips::toPixels(Form3::CaptchaRoomWidth), Twips::toPixels(Form3::CaptchaRoomHeight)));
    QVERIFY(room.contains(box->geometry()));
    QVERIFY(form->rect().contains(box->geometry()));
    for (const char *neighbour : {"Image1", "Label6", "Command1", "Command2", "Command3"}) {
        auto *other = form->findChild<QWidget *>(QString::fromLatin1(neighbour));
        QVERIFY2(other, neighbour);
        QVERIFY2(!box->geometry().intersects(other->geometry()), neighbour);
    }
    // The whole picture, scaled with its proportions kept: 3 : 2.
    const QSize shown = box->pixmap().size();
    QVERIFY(box->contentsRect().size().width() >= shown.width());
    QVERIFY(box->contentsRect().size().height() >= shown.height());
    QVERIFY(qAbs(shown.width() * 2 - shown.height() * 3) <= 3);
    QCOMPARE(box->pixmap().toImage().pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::darkGreen));
}

void TestReportBrowser::titleOfAPage_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("address");
    QTest::newRow("with its scheme") << "http://www.bad-shop.cn" << "http://www.bad-shop.cn/";
    QTest::newRow("typed without it") << "www.bad-shop.cn" << "http://www.bad-shop.cn/";
}

void TestReportBrowser::titleOfAPage()
{
    QFETCH(QString, typed);
    QFETCH(QString, address);
    m_standin.setRoute(QStringLiteral("www.bad-shop.cn"), "/",
                       StandinServer::html(QStringLiteral("<html><head><title>假冒购物网站</title></head>"
                                                          "<body><p>特价商品</p></body></html>")));
    Form3 *form = open();
    form->Text2()->setText(typed);
    click(form->cmdT());
    QCOMPARE(form->Text1()->text(), QStringLiteral("正在获取网页标题......"));
    QTRY_COMPARE_WITH_TIMEOUT(form->Text1()->text(), QStringLiteral("假冒购物网站"), 60000);
    QCOMPARE(form->Text2()->text(), address);
    QCOMPARE(m_boxes.boxes.size(), 1);
    QCOMPARE(m_boxes.boxes.at(0).title, QStringLiteral("获取完成"));
    QVERIFY(!form->TitlePending());
}

// The page whose title the window fetched refreshes itself twice a second,
// and asks for nothing more once it is read, while the window's box is up. The control:
// the same page in a view of its own goes on asking meanwhile.
void TestReportBrowser::readPageStopsWhileTheBoxIsUp()
{
    const QString host = QStringLiteral("www.bad-shop.cn");
    const QByteArray path("/shop");
    QFile sample(StandinServer::pagePath(QStringLiteral("report/confirmed.html")));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    // Without its picture, and twice a second, so that each load completes
    // and is read before its refresh.
    const QString refreshing = Gbk::decode(sample.readAll())
                                   .replace(QStringLiteral("<head>"),
                                            QStringLiteral("<head><meta http-equiv='refresh' content='0.5'>"))
                                   .remove(QStringLiteral("<img src=\"/report/captcha.png\" width=\"42\" height=\"16\">"));
    QVERIFY(!refreshing.contains(QStringLiteral("<img")));
    m_standin.setRoute(host, path + "*", StandinServer::html(refreshing));
    m_standin.setRoute(host, "/control.html", StandinServer::html(refreshing));

    Form3 *form = open();
    QTRY_COMPARE_WITH_TIMEOUT(form->Label6()->text(), ReportPage::Connected, 60000);
    QWidget other;
    BrowserView *control = m_browsers.create(&other, QRect(0, 0, 10, 10));
    other.show();
    int readPageAsked = -1;
    int readPageAskedLater = -1;
    m_boxes.onShow = [&](const RecordedBox &) {
        if (readPageAsked >= 0)
            return;
        control->Navigate(QStringLiteral("http://") + host + QStringLiteral("/control.html"));
        // A refresh already on its way when the page was read may still
        // arrive: the count is taken once the control has asked four times.
        QTRY_VERIFY_WITH_TIMEOUT(asked(host, "/control.html") >= 4, 60000);
        readPageAsked = asked(host, path);
        QTRY_VERIFY_WITH_TIMEOUT(asked(host, "/control.html") >= 8, 60000);
        readPageAskedLater = asked(host, path);
    };
    form->Text2()->setText(QStringLiteral("http://") + host + QString::fromLatin1(path));
    click(form->cmdT());
    QTRY_VERIFY_WITH_TIMEOUT(readPageAskedLater >= 0, 120000);
    QCOMPARE(m_boxes.boxes.at(0).title, QStringLiteral("获取完成"));
    QVERIFY(readPageAsked >= 1);
    QCOMPARE(readPageAskedLater, readPageAsked);
}

KORDELVANE_BROWSER_TEST_MAIN(TestReportBrowser)
#include "tst_reportbrowser.moc"
