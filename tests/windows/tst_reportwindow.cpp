#include "Command.h"
#include "Endpoints.h"
#include "FakeBrowser.h"
#include "Form3.h"
#include "PictureBox.h"
#include "Recorders.h"
#include "ReportPage.h"
#include "SecondaryWindows.h"
#include "Text.h"
#include "Twips.h"

#include "FaceProbe.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString FaceHolders[] = {QStringLiteral("M0"), QStringLiteral("M1"), QStringLiteral("M2")};
QString face(const QWidget *button)
{
    return shownFace(button, QStringList(std::begin(FaceHolders), std::end(FaceHolders)));
}

QPixmap filled(const QColor &colour)
{
    QPixmap picture(46, 19);
    picture.fill(colour);
    return picture;
}

QImage captcha(int width, int height, const QColor &colour = QColor(30, 40, 120))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

const QString SubmitAddress = Endpoints::http(Endpoints::ReportHost, QStringLiteral("/report/submit"));

// The report page as the fake view holds it: the five inputs, twelve
// category boxes, the captcha and the send button (the last image), and the
// pages that a send leads to.
struct ReportSite {
    int loads = 0;
    FakePage form;
    FakePage afterSend;

    ReportSite()
    {
        form.title = QStringLiteral("恶意网址举报");
        form.body = QStringLiteral("恶意网址举报");
        form.inputs = {QStringLiteral("title"), QStringLiteral("url"), QStringLiteral("describe"),
                       QStringLiteral("email"), QStringLiteral("validateCode")};
        form.categoryBoxes = 12;
        form.images = 2;
        form.firstImage = captcha(42, 16);
        afterSend.body = QStringLiteral("以下信息已经提交至网址安全云安全中心：\r\n举报网站：http://www.bad-shop.cn\r\n"
                                        "网址安全云安全中心将尽快处理。");
        afterSend.images = 1;
        afterSend.firstImage = captcha(42, 16, Qt::red);
    }
    FakePage operator()(const QString &url)
    {
        if (url == Endpoints::reportPage()) {
            ++loads;
            return form;
        }
        if (url.startsWith(SubmitAddress))
            return afterSend;
        return {};
    }
};

// The report window as the secondary windows make it, over a stand-in main
// window, with fake browser views and recorded boxes.
struct Rig {
    QTemporaryDir folder;
    RecordingMessageBoxes boxes;
    FakeBrowserFactory browsers;
    std::shared_ptr<ReportSite> site = std::make_shared<ReportSite>();
    QWidget mainWindow;
    std::unique_ptr<SecondaryWindows> windows;

    Rig()
    {
        QDir(folder.path()).mkpath(QStringLiteral("IMG"));
        QPixmap background(699, 508);
        background.fill(QColor(240, 248, 255));
        background.save(folder.path() + QStringLiteral("/IMG/JB.jpg"));
        browsers.site = [site = site](const QString &url) { return (*site)(url); };
        SecondaryWindows::Dependencies deps;
        deps.boxes = &boxes;
        deps.browsers = &browsers;
        deps.folder = ProgramFolder(folder.path());
        deps.mainWindow = &mainWindow;
        deps.closePictures = {filled(Qt::blue), filled(Qt::cyan), filled(Qt::darkBlue)};
        windows = std::make_unique<SecondaryWindows>(deps);
        mainWindow.resize(300, 200);
        mainWindow.show();
        activate(&mainWindow);
    }
    static void activate(QWidget *window)
    {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qFatal("window did not become active");
    }
    // Opens the window and waits for the report page and its captcha.
    Form3 *open(const QString &address = {})
    {
        windows->showReport(address);
        Form3 *form = windows->report();
        activate(form);
        if (!QTest::qWaitFor([form] { return form->Label6()->text() == ReportPage::Connected; }, 20000))
            qFatal("the report page did not come");
        return form;
    }
    FakeBrowserView *page() const { return browsers.view(QStringLiteral("WebBrowser1")); }
    FakeBrowserView *titles() const { return browsers.view(QStringLiteral("WebT")); }
};

void fill(Form3 *form, const QString &name, const QString &address, const QList<int> &ticked, const QString &reason,
          const QString &email, const QString &code)
{
    form->Text1()->setText(name);
    form->Text2()->setText(address);
    for (int i : ticked)
        form->Check1(i)->setChecked(true);
    form->Text3()->setPlainText(reason);
    form->Text4()->setText(email);
    form->Text5()->setText(code);
}

void fillValid(Form3 *form)
{
    fill(form, QStringLiteral("假冒购物网站"), QStringLiteral("http://www.bad-shop.cn"), {9},
         QStringLiteral("冒充淘宝骗取货款，已有多人受骗。"), QStringLiteral("me@mail.cn"), QStringLiteral("7394"));
}

// A point on the button's face; the middle of cmdT holds the title browser.
QPoint onFace(const QWidget *button)
{
    return QPoint(10, button->height() / 2);
}

void click(Command *button)
{
    Pointer::click(button, Qt::LeftButton, onFace(button));
}

} // namespace

class TestReportWindow : public QObject
{
    Q_OBJECT
private slots:
    void opensWithThePageAndItsCaptcha();
    void inputChecks_data();
    void inputChecks();
    void reportGoesIntoThePage();
    void confirmation_data();
    void confirmation();
    void clicksStopWhenAnotherPageCompletes();
    void secondClickWhileReportPending();
    void failingStepStopsTheReport_data();
    void failingStepStopsTheReport();
    void captchaReadiness_data();
    void captchaReadiness();
    void pageWithoutImageKeepsTheCaptcha_data();
    void pageWithoutImageKeepsTheCaptcha();
    void titleFetch_data();
    void titleFetch();
    void shortAddressStartsNoTitleFetch();
    void laterFetchCompletesAWaitingOne();
    void comingBackReloadsThePage();
    void urlSafetyHandOverHidesTheMainWindow();
    void closing_data();
    void closing();
    void pointerOnTheBackgroundResetsTheButtons();
    void closePictureLooks();
    void dragByTheBackground();
    void enterInTheReasonMovesOn();
    void confirmationDetails_data();
    void confirmationDetails();
};

void TestReportWindow::opensWithThePageAndItsCaptcha()
{
    Rig rig;
    Form3 *form = rig.open();
    QVERIFY(rig.mainWindow.isVisible()); // opened from the menu
    QCOMPARE(rig.page()->navigations, QStringList{Endpoints::reportPage()});
    QCOMPARE(form->Picture1()->size(), QSize(46, 20));
    QCOMPARE(form->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().size(), QSize(152, 73)); // the logo
    QCOMPARE(form->windowTitle(), QStringLiteral("恶意网站举报"));
    QCOMPARE(form->size(), QSize(699, 508));
    QCOMPARE(form->Command1()->Caption(), QStringLiteral("举报"));
    QCOMPARE(form->Command2()->Caption(), QStringLiteral("清空"));
    QCOMPARE(form->Command3()->Caption(), QStringLiteral("关闭举报页面"));
    QCOMPARE(form->cmdT()->Caption(), QStringLiteral("获取网页标题"));
    QCOMPARE(form->focusWidget(), form->Check1(0));
    // Tab order: the boxes, the reason, the three buttons, name, e-mail, code, cmdT, address.
    QWidget *expected[] = {form->Check1(11), form->Text3(), form->Command1(), form->Command2(), form->Command3()};
    QWidget *at = form->Check1(10);
    for (QWidget *next : expected) {
        at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus || !at->isVisibleTo(form) || at->focusProxy())
            at = at->nextInFocusChain();
        QCOMPARE(at, next);
    }
}

void TestReportWindow::inputChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message"); // empty: the report goes out
    QTest::addColumn<QString>("addressAfter");

    const QString reason = QStringLiteral("冒充淘宝骗取货款，已有多人受骗。");
    const QString site = QStringLiteral("http://www.bad-shop.cn");
    const QList<int> one{0};
    QTest::newRow("all good") << "店" << site << one << reason << "me@a.cn" << "7394" << "" << site;
    QTest::newRow("no name") << "" << site << one << reason << "me@a.cn" << "7394"
                             << "请正确认真填写网站/网店的名称！" << site;
    QTest::newRow("scheme alone") << "店" << "http://" << one << reason << "me@a.cn" << "7394"
                                  << "请正确填写网站/网店的网址！" << "http://";
    QTest::newRow("8 characters get the scheme") << "店" << "www.a.cn" << one << reason << "me@a.cn" << "7394" << ""
                                                 << "http://www.a.cn";
    QTest::newRow("secure scheme gets it too") << "店" << "https://a.cn" << one << reason << "me@a.cn" << "7394" << ""
                                               << "http://https://a.cn";
    QTest::newRow("capital scheme gets it too") << "店" << "HTTP://A.CN" << one << reason << "me@a.cn" << "7394" << ""
                                                << "http://HTTP://A.CN";
    QTest::newRow("no category: the scheme stays") << "店" << "www.a.cn" << QList<int>{} << reason << "me@a.cn"
                                                   << "7394" << "请选择举报类别！" << "http://www.a.cn";
    QTest::newRow("only the last category") << "店" << site << QList<int>{11} << reason << "me@a.cn" << "7394" << ""
                                            << site;
    QTest::newRow("9-character reason") << "店" << site << one << "123456789" << "me@a.cn" << "7394"
                                        << "请认真填写举报理由以便快速处理！" << site;
    // A line break in the reason counts as CR LF, two characters.
    QTest::newRow("line break counts two") << "店" << site << one << "1234\n1234" << "me@a.cn" << "7394" << ""
                                           << site;
    QTest::newRow("short with a line break") << "店" << site << one << "1234\n123" << "me@a.cn" << "7394"
                                             << "请认真填写举报理由以便快速处理！" << site;
    QTest::newRow("5-character e-mail") << "店" << site << one << reason << "a@b.c" << "7394"
                                        << "请正确填写邮箱，以便发送反馈结果！" << site;
    QTest::newRow("6 characters without an at sign") << "店" << site << one << reason << "abcdef" << "7394" << ""
                                                     << site;
    QTest::newRow("3-character code") << "店" << site << one << reason << "me@a.cn" << "739"
                                      << "请正确填写验证码！" << site;
    QTest::newRow("5-character code") << "店" << site << one << reason << "me@a.cn" << "73945"
                                      << "请正确填写验证码！" << site;
    QTest::newRow("any 4 characters") << "店" << site << one << reason << "me@a.cn" << "验证 码" << "" << site;
    QTest::newRow("name checked first") << "" << "http://" << QList<int>{} << "" << "" << ""
                                        << "请正确认真填写网站/网店的名称！" << "http://";
}

void TestReportWindow::inputChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QList<int>, ticked);
    QFETCH(QString, reason);
    QFETCH(QString, email);
    QFETCH(QString, code);
    QFETCH(QString, message);
    QFETCH(QString, addressAfter);
    Rig rig;
    Form3 *form = rig.open();
    fill(form, name, address, ticked, reason, email, code);
    rig.page()->operations.clear();
    click(form->Command1());

    QCOMPARE(form->Text2()->text(), addressAfter);
    if (message.isEmpty()) {
        QVERIFY(rig.boxes.boxes.isEmpty());
        QVERIFY(form->ReportPending());
        QCOMPARE(form->Label6()->text(), ReportPage::Submitting);
        QTRY_COMPARE(rig.page()->values.value(QStringLiteral("url")), addressAfter);
        return;
    }
    QCOMPARE(rig.boxes.boxes.size(), 1);
    const RecordedBox box = rig.boxes.boxes.at(0);
    QCOMPARE(box.text, message);
    const bool reasonBox = message == QStringLiteral("请认真填写举报理由以便快速处理！");
    QCOMPARE(box.icon, reasonBox ? MessageBoxes::Icon::Exclamation : MessageBoxes::Icon::Critical);
    QCOMPARE(box.title, reasonBox ? QStringLiteral("理由填写不正确") : QStringLiteral("数据录入错误"));
    QVERIFY(!form->ReportPending());
    QCOMPARE(form->Label6()->text(), ReportPage::Connected);
    settleFakePages();
    QVERIFY(rig.page()->operations.isEmpty());
}

void TestReportWindow::reportGoesIntoThePage()
{
    Rig rig;
    Form3 *form = rig.open();
    // A tristate box held half-ticked does not count and is not clicked.
    form->Check1(4)->setTristate(true);
    form->Check1(4)->setCheckState(Qt::PartiallyChecked);
    fill(form, QStringLiteral("假冒购物网站"), QStringLiteral("www.bad-shop.cn"), {1, 9, 11},
         QStringLiteral("冒充淘宝\n骗取货款，已有多人受骗。"), QStringLiteral("me@mail.cn"), QStringLiteral("7394"));
    FakeBrowserView *page = rig.page();
    page->autoComplete = false; // the send button's page does not come
    page->onImageClick = [page](int index) {
        if (index == 1)
            page->Navigate(SubmitAddress);
    };
    page->operations.clear();
    click(form->Command1());

    const QStringList expected{
        QStringLiteral("set title=假冒购物网站"),
        QStringLiteral("set url=http://www.bad-shop.cn"),
        QStringLiteral("set describe=冒充淘宝\r\n骗取货款，已有多人受骗。"),
        QStringLiteral("set email=me@mail.cn"),
        QStringLiteral("set validateCode=7394"),
        QStringLiteral("click siteType[][1]"),
        QStringLiteral("click siteType[][9]"),
        QStringLiteral("click siteType[][11]"),
        QStringLiteral("count IMG"),
        QStringLiteral("click IMG[0]"),
        QStringLiteral("click IMG[1]"),
    };
    // The send button's click is asked at once and done later, as a page
    // does it: the navigation it leads to is the event to wait for.
    QTRY_COMPARE(page->navigations.last(), SubmitAddress);
    settleFakePages();
    QCOMPARE(page->operations, expected);
    // The window did not wait: it took input all along and disabled nothing.
    QVERIFY(form->Command1()->Enabled());
    QVERIFY(form->ReportPending());
}

void TestReportWindow::confirmation_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("details");
    QTest::newRow("both markers in order")
        << QStringLiteral("以下信息已经提交至网址安全云安全中心：\r\n举报网站：http://www.bad-shop.cn\r\n网址安全云安全中心将尽快处理。")
        << true << QStringLiteral("\r\n举报网站：http://www.bad-shop.cn\r\n");
    QTest::newRow("first marker missing")
        << QStringLiteral("以下信息已经提交。举报网站：www.bad-shop.cn。网址安全云安全中心将尽快处理。") << true << QString();
    QTest::newRow("close marker first")
        << QStringLiteral("以下信息已经提交。网址安全云安全中心将尽快处理。交给云安全中心：www.bad-shop.cn") << true
        << QString();
    QTest::newRow("close marker missing") << QStringLiteral("以下信息已经提交至云安全中心：www.bad-shop.cn") << true
                                          << QString();
    QTest::newRow("no confirmation") << QStringLiteral("验证码错误，请返回重新填写。") << false << QString();
}

void TestReportWindow::confirmation()
{
    QFETCH(QString, body);
    QFETCH(bool, confirmed);
    QFETCH(QString, details);
    Rig rig;
    rig.site->afterSend.body = body;
    Form3 *form = rig.open();
    fillValid(form);
    FakeBrowserView *page = rig.page();
    page->onImageClick = [page](int index) {
        if (index == 1)
            page->Navigate(SubmitAddress + QStringLiteral("?title=x"));
    };
    QString statusDuringBox;
    QString nameDuringBox;
    rig.boxes.onShow = [&](const RecordedBox &) {
        statusDuringBox = form->Label6()->text();
        nameDuringBox = form->Text1()->text();
    };
    rig.site->afterSend.firstImage = std::nullopt; // so the status shows what the report did
    rig.site->afterSend.images = 0;
    click(form->Command1());

    if (!confirmed) {
        QTRY_VERIFY(!form->ReportPending());
        settleFakePages();
        QVERIFY(rig.boxes.boxes.isEmpty());
        QCOMPARE(form->Text1()->text(), QStringLiteral("假冒购物网站"));
        QCOMPARE(form->Label6()->text(), ReportPage::Submitting);
        QCOMPARE(page->navigations.size(), 2);
        return;
    }
    QTRY_COMPARE(rig.boxes.boxes.size(), 1);
    const RecordedBox box = rig.boxes.boxes.at(0);
    QCOMPARE(box.icon, MessageBoxes::Icon::Information);
    QCOMPARE(box.title, QStringLiteral("举报已成功"));
    QCOMPARE(box.text,
             QStringLiteral("您所举报的信息已提交成功，处理后会反馈到您邮箱中，一旦发现不良网站将会阻断传播，情节严重的将屏蔽处理！\r\n"
                            "您所举报的举报信息：\r\n")
                 + details);
    QCOMPARE(statusDuringBox, ReportPage::Reported);
    QCOMPARE(nameDuringBox, QStringLiteral("假冒购物网站")); // cleared only after the box
    // Cleared, then the page again.
    for (const Text *field : {form->Text1(), form->Text2(), form->Text4(), form->Text5()})
        QCOMPARE(field->text(), QString());
    QCOMPARE(form->Text3()->toPlainText(), QString());
    QVERIFY(!form->Check1(9)->isChecked());
    QTRY_COMPARE(page->navigations.size(), 3);
    QCOMPARE(page->navigations.last(), Endpoints::reportPage());
    QTRY_COMPARE(form->Label6()->text(), ReportPage::Connected);
    QVERIFY(!form->ReportPending());
}

void TestReportWindow::clicksStopWhenAnotherPageCompletes()
{
    Rig rig;
    rig.site->form.images = 4;
    Form3 *form = rig.open();
    fillValid(form);
    FakeBrowserView *page = rig.page();
    // The send button comes first here: its page completes while images are
    // still to be clicked, and those belong to a page that is gone.
    page->onImageClick = [page](int index) {
        if (index == 0) {
            page->Navigate(SubmitAddress);
            page->autoComplete = false;
        }
    };
    page->operations.clear();
    click(form->Command1());
    QTRY_COMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes.at(0).title, QStringLiteral("举报已成功"));
    settleFakePages();
    // The click asked before the page came may go out; none after it.
    const QStringList clicks = page->operations.filter(QStringLiteral("click IMG"));
    QCOMPARE(clicks.value(0), QStringLiteral("click IMG[0]"));
    QVERIFY2(!clicks.contains(QStringLiteral("click IMG[2]")), qPrintable(clicks.join(u',')));
    QVERIFY(!clicks.contains(QStringLiteral("click IMG[3]")));
}

// A second 举报 while the report is on its way starts nothing: the page's
// boxes are clicked once (a second click would untick them again) and the
// form goes out once.
void TestReportWindow::secondClickWhileReportPending()
{
    Rig rig;
    Form3 *form = rig.open();
    fill(form, QStringLiteral("假冒购物网站"), QStringLiteral("http://www.bad-shop.cn"), {1, 9},
         QStringLiteral("冒充淘宝骗取货款，已有多人受骗。"), QStringLiteral("me@mail.cn"), QStringLiteral("7394"));
    FakeBrowserView *page = rig.page();
    page->autoComplete = false; // the send button's page does not come
    page->onImageClick = nullptr;
    page->operations.clear();

    click(form->Command1());
    click(form->Command1());
    settleFakePages();
    for (const QString &step : {QStringLiteral("set title=假冒购物网站"), QStringLiteral("click siteType[][1]"),
                                QStringLiteral("click siteType[][9]"), QStringLiteral("click IMG[0]"),
                                QStringLiteral("click IMG[1]")})
        QVERIFY2(page->operations.count(step) == 1, qPrintable(page->operations.join(u',')));
    QVERIFY(page->ticked.at(1));
    QVERIFY(page->ticked.at(9));
    QVERIFY(rig.boxes.boxes.isEmpty());
    QVERIFY(form->ReportPending());

    // Also once all its steps have gone out, until the answer completes.
    click(form->Command1());
    settleFakePages();
    QCOMPARE(page->operations.count(QStringLiteral("click IMG[1]")), 1);
}

void TestReportWindow::failingStepStopsTheReport_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("categoryBoxes");
    QTest::addColumn<QString>("lastStep");
    const QStringList all{"title", "url", "describe", "email", "validateCode"};
    QTest::newRow("page not loaded") << QStringList{} << 0 << "set title=假冒购物网站";
    QTest::newRow("no e-mail input") << QStringList{"title", "url", "describe", "validateCode"} << 12
                                     << "set email=me@mail.cn";
    QTest::newRow("too few category boxes") << all << 9 << "click siteType[][9]";
}

void TestReportWindow::failingStepStopsTheReport()
{
    QFETCH(QStringList, inputs);
    QFETCH(int, categoryBoxes);
    QFETCH(QString, lastStep);
    Rig rig;
    Form3 *form = rig.open();
    FakeBrowserView *page = rig.page();
    rig.site->form.inputs = inputs;
    rig.site->form.categoryBoxes = categoryBoxes;
    page->autoComplete = false;
    page->Navigate(Endpoints::reportPage()); // the changed page is shown, its load not yet complete
    page->operations.clear();
    fillValid(form);
    bool pendingDuringBox = false;
    rig.boxes.onShow = [&](const RecordedBox &) { pendingDuringBox = form->ReportPending(); };
    click(form->Command1());

    QTRY_COMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes.at(0).icon, MessageBoxes::Icon::Critical);
    QCOMPARE(rig.boxes.boxes.at(0).title, QStringLiteral("接口连接中"));
    QCOMPARE(rig.boxes.boxes.at(0).text, QStringLiteral("正在连接网站举报中心接口中，请稍后再操作！"));
    QVERIFY(pendingDuringBox);
    QCOMPARE(page->operations.last(), lastStep);
    settleFakePages();
    QCOMPARE(page->operations.last(), lastStep); // nothing after the failing step
    QCOMPARE(page->navigations.last(), Endpoints::reportPage());
    QCOMPARE(form->Text1()->text(), QStringLiteral("假冒购物网站"));
    QVERIFY(form->Check1(9)->isChecked());
    // The reload's page clears the flag, without a confirmation.
    page->finishLoad();
    QTRY_VERIFY(!form->ReportPending());
    settleFakePages(); // the page's body read is answered: still no confirmation
    QCOMPARE(rig.boxes.boxes.size(), 1);
}

void TestReportWindow::captchaReadiness_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QString>("status");
    QTest::newRow("690 x 300 twips with its border") << captcha(42, 16) << QSize(46, 20) << ReportPage::Connected;
    QTest::newRow("one pixel wider") << captcha(43, 16) << QSize(47, 20) << ReportPage::Connecting;
    QTest::newRow("one pixel lower") << captcha(42, 15) << QSize(46, 19) << ReportPage::Connecting;
    QTest::newRow("the box's design size") << captcha(40, 16) << QSize(44, 20) << ReportPage::Connecting;
}

void TestReportWindow::captchaReadiness()
{
    QFETCH(QImage, picture);
    QFETCH(QSize, box);
    QFETCH(QString, status);
    Rig rig;
    Form3 *form = rig.open();
    rig.site->form.firstImage = picture;
    rig.page()->Navigate(Endpoints::reportPage());
    QTRY_COMPARE(rig.page()->operations.count(QStringLiteral("first image")), 2);
    QTRY_COMPARE(form->Label6()->text(), status);
    QCOMPARE(form->Picture1()->size(), box);
    QCOMPARE(form->Picture1()->pixmap().toImage(), picture.convertToFormat(QImage::Format_RGB32));
}

void TestReportWindow::pageWithoutImageKeepsTheCaptcha_data()
{
    QTest::addColumn<std::optional<QImage>>("firstImage");
    QTest::addColumn<int>("images");
    QTest::newRow("no image") << std::optional<QImage>() << 0;
    // Not loaded yet, or broken: the copy fails.
    QTest::newRow("unreadable picture") << std::optional<QImage>(QImage()) << 1;
}

void TestReportWindow::pageWithoutImageKeepsTheCaptcha()
{
    QFETCH(std::optional<QImage>, firstImage);
    QFETCH(int, images);
    Rig rig;
    Form3 *form = rig.open();
    const qint64 shown = form->Picture1()->pixmap().cacheKey();
    const QSize size = form->Picture1()->size();
    rig.site->form.firstImage = firstImage;
    rig.site->form.images = images;
    rig.page()->Navigate(Endpoints::reportPage());
    QTRY_COMPARE(rig.page()->operations.count(QStringLiteral("first image")), 2);
    settleFakePages();
    QCOMPARE(form->Picture1()->pixmap().cacheKey(), shown);
    QCOMPARE(form->Picture1()->size(), size);
    QCOMPARE(form->Label6()->text(), ReportPage::Connected);

    // A page off the report site is not asked for its image at all.
    rig.page()->Navigate(QStringLiteral("http://www.elsewhere.cn/"));
    settleFakePages();
    QCOMPARE(rig.page()->operations.count(QStringLiteral("first image")), 2);
}

void TestReportWindow::titleFetch_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("finalUrl");
    QTest::addColumn<bool>("taken");
    QTest::newRow("a page title") << "假冒购物网站" << "" << true;
    QTest::newRow("redirected") << "假冒购物网站" << "http://www.bad-shop.cn/index.html" << true;
    QTest::newRow("blank page") << "about:blank" << "" << false;
    QTest::newRow("cancelled navigation") << "导航已取消" << "" << false;
    QTest::newRow("old blank page") << "空白页" << "" << false;
    QTest::newRow("no title") << "" << "" << false;
    QTest::newRow("begins with http") << "https页面" << "" << false;
    QTest::newRow("capital HTTP is a title") << "HTTP商城" << "" << true;
}

void TestReportWindow::titleFetch()
{
    QFETCH(QString, title);
    QFETCH(QString, finalUrl);
    QFETCH(bool, taken);
    Rig rig;
    Form3 *form = rig.open();
    FakeBrowserView *titles = rig.titles();
    titles->site = [title, finalUrl](const QString &) {
        FakePage page;
        page.title = title;
        page.finalUrl = finalUrl;
        return page;
    };
    titles->autoComplete = false;
    form->Text2()->setText(QStringLiteral("www.bad-shop.cn"));
    click(form->cmdT());
    QVERIFY(form->TitlePending());
    QCOMPARE(form->Text1()->text(), QStringLiteral("正在获取网页标题......"));
    QCOMPARE(titles->navigations, QStringList{QStringLiteral("www.bad-shop.cn")}); // no scheme put in front
    titles->finishLoad();

    if (!taken) {
        QVERIFY(form->TitlePending());
        QCOMPARE(form->Text1()->text(), QStringLiteral("正在获取网页标题......"));
        QCOMPARE(form->Text2()->text(), QStringLiteral("www.bad-shop.cn"));
        QVERIFY(rig.boxes.boxes.isEmpty());
        return;
    }
    QVERIFY(!form->TitlePending());
    QCOMPARE(form->Text1()->text(), title);
    // The browser's address, not the typed one.
    QCOMPARE(form->Text2()->text(), finalUrl.isEmpty() ? QStringLiteral("http://www.bad-shop.cn") : finalUrl);
    QCOMPARE(titles->navigations.last(), QStringLiteral("about:blank"));
    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes.at(0).icon, MessageBoxes::Icon::Information);
    QCOMPARE(rig.boxes.boxes.at(0).title, QStringLiteral("获取完成"));
    QCOMPARE(rig.boxes.boxes.at(0).text, QStringLiteral("获取网页标题完成！"));
}

void TestReportWindow::shortAddressStartsNoTitleFetch()
{
    Rig rig;
    Form3 *form = rig.open();
    rig.titles()->site = [](const QString &) { return FakePage{}; }; // never an acceptable title
    form->Text2()->setText(QStringLiteral("www.bad-shop.cn"));
    click(form->cmdT());
    QTRY_COMPARE(rig.titles()->navigations.size(), 1);
    settleFakePages();
    QVERIFY(form->TitlePending());

    form->Text2()->setText(QStringLiteral("a.c"));
    click(form->cmdT());
    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes.at(0).icon, MessageBoxes::Icon::Critical);
    QCOMPARE(rig.boxes.boxes.at(0).title, QStringLiteral("数据录入错误"));
    QCOMPARE(rig.boxes.boxes.at(0).text, QStringLiteral("请输入正确的网址！"));
    QCOMPARE(rig.titles()->navigations.size(), 1);
    QVERIFY(form->TitlePending()); // kept as it was
}

void TestReportWindow::laterFetchCompletesAWaitingOne()
{
    Rig rig;
    Form3 *form = rig.open();
    rig.titles()->site = [](const QString &url) {
        FakePage page;
        if (url == QStringLiteral("http://www.good.cn/"))
            page.title = QStringLiteral("好网站");
        return page;
    };
    form->Text2()->setText(QStringLiteral("www.slow.cn"));
    click(form->cmdT());
    form->Text2()->setText(QStringLiteral("http://www.good.cn/"));
    click(form->cmdT());
    QTRY_COMPARE(form->Text1()->text(), QStringLiteral("好网站"));
    QCOMPARE(form->Text2()->text(), QStringLiteral("http://www.good.cn/"));
    QCOMPARE(rig.boxes.boxes.size(), 1);
}

void TestReportWindow::comingBackReloadsThePage()
{
    Rig rig;
    Form3 *form = rig.open();
    form->Text5()->setText(QStringLiteral("7394"));
    rig.site->form.firstImage = captcha(42, 16, Qt::darkGreen);

    Rig::activate(&rig.mainWindow);
    Rig::activate(form);
    QTRY_COMPARE(rig.page()->navigations.size(), 2);
    QCOMPARE(rig.page()->navigations.last(), Endpoints::reportPage());
    QTRY_COMPARE(form->Picture1()->pixmap().toImage().pixelColor(0, 0), QColor(Qt::darkGreen));
    QCOMPARE(form->Text5()->text(), QStringLiteral("7394"));
}

void TestReportWindow::urlSafetyHandOverHidesTheMainWindow()
{
    Rig rig;
    rig.windows->showReport(QStringLiteral("http://www.bad-shop.cn"));
    Form3 *form = rig.windows->report();
    QVERIFY(form->isVisible());
    QVERIFY(!rig.mainWindow.isVisible());
    QCOMPARE(form->Text2()->text(), QStringLiteral("http://www.bad-shop.cn"));
    // Asked again from the menu: the same window, the main window stays hidden.
    rig.windows->showReport();
    QCOMPARE(rig.windows->report(), form);
    QVERIFY(!rig.mainWindow.isVisible());
}

void TestReportWindow::closing_data()
{
    QTest::addColumn<bool>("byPicture");
    QTest::newRow("Command3") << false;
    QTest::newRow("M3") << true;
}

void TestReportWindow::closing()
{
    QFETCH(bool, byPicture);
    Rig rig;
    Form3 *form = rig.open(QStringLiteral("http://www.bad-shop.cn"));
    QVERIFY(!rig.mainWindow.isVisible());
    fillValid(form);
    click(form->Command1());
    QVERIFY(form->ReportPending());
    QPointer<Form3> closed = form;
    if (byPicture)
        Pointer::click(form->M3(), Qt::LeftButton, QPoint(5, 5));
    else
        click(form->Command3());
    QVERIFY(rig.mainWindow.isVisible());
    QTRY_VERIFY(!closed);

    // Opened again: a new window with nothing kept.
    rig.windows->showReport();
    Form3 *again = rig.windows->report();
    QVERIFY(again);
    for (const Text *field : {again->Text1(), again->Text2(), again->Text4(), again->Text5()})
        QCOMPARE(field->text(), QString());
    QCOMPARE(again->Text3()->toPlainText(), QString());
    for (int i = 0; i < Form3::CategoryCount; ++i)
        QVERIFY(!again->Check1(i)->isChecked());
    QCOMPARE(again->Label6()->text(), ReportPage::Connecting);
    QVERIFY(again->Picture1()->pixmap().isNull());
    QVERIFY(!again->ReportPending());
    QVERIFY(!again->TitlePending());
}

void TestReportWindow::pointerOnTheBackgroundResetsTheButtons()
{
    Rig rig;
    Form3 *form = rig.open();
    const QPoint background(Twips::toPixels(3600), Twips::toPixels(6960) + 10); // between Command2 and Command3
    QVERIFY(!form->childAt(background));

    Pointer::move(form->Command1(), onFace(form->Command1()));
    QCOMPARE(face(form->Command1()), QStringLiteral("M1"));
    Pointer::move(form, background);
    QCOMPARE(face(form->Command1()), QStringLiteral("M0"));

    // From a button straight onto another control: the hover face stays.
    Pointer::move(form->cmdT(), onFace(form->cmdT()));
    QCOMPARE(face(form->cmdT()), QStringLiteral("M1"));
    Pointer::move(form->Text2(), form->Text2()->rect().center());
    QCOMPARE(face(form->cmdT()), QStringLiteral("M1"));
    // Over a label is not over the background either.
    QWidget *label = form->findChild<QLabel *>(QStringLiteral("Label3(1)"));
    Pointer::move(label, label->rect().center());
    QCOMPARE(face(form->cmdT()), QStringLiteral("M1"));
    Pointer::move(form, background);
    QCOMPARE(face(form->cmdT()), QStringLiteral("M0"));
}

void TestReportWindow::closePictureLooks()
{
    Rig rig;
    Form3 *form = rig.open();
    PictureBox *m3 = form->M3();
    const auto shows = [m3](const QColor &colour) { return m3->picture().toImage().pixelColor(0, 0) == colour; };
    QVERIFY(shows(Qt::blue));
    QCOMPARE(m3->size(), QSize(46, 19));
    Pointer::press(m3, Qt::RightButton, QPoint(5, 5));
    QVERIFY(shows(Qt::darkBlue));
    // A move while the button is held shows the hover picture.
    QTest::mouseMove(form->windowHandle(), m3->mapTo(form, QPoint(8, 6)));
    QVERIFY(shows(Qt::cyan));
    Pointer::release(m3, Qt::RightButton, QPoint(8, 6));
    Pointer::move(form, QPoint(Twips::toPixels(3600), Twips::toPixels(7000)));
    QVERIFY(shows(Qt::blue));
    QVERIFY(form->isVisible()); // a right click does not close
}

void TestReportWindow::dragByTheBackground()
{
    Rig rig;
    Form3 *form = rig.open();
    const QPoint start(Twips::toPixels(1500), Twips::toPixels(900));
    form->move(start);
    QTRY_COMPARE(form->pos(), start);
    const QPoint press(Twips::toPixels(300), Twips::toPixels(450)); // (20, 30): background above Label1
    QVERIFY(!form->childAt(press));

    // The right button starts no drag; the move only resets the looks.
    Pointer::press(form, Qt::RightButton, press);
    QTest::mouseMove(form->windowHandle(), press + QPoint(8, 2));
    Pointer::release(form, Qt::RightButton, press + QPoint(8, 2));
    QCOMPARE(form->pos(), start);

    // A label keeps its own press: no drag from it.
    auto *label1 = form->findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY(label1);
    const QPoint onLabel = label1->rect().center();
    QCOMPARE(form->childAt(Pointer::inWindow(label1, onLabel)), label1);
    Pointer::press(label1, Qt::LeftButton, onLabel);
    QTest::mouseMove(form->windowHandle(), Pointer::inWindow(label1, onLabel) + QPoint(40, 30));
    Pointer::release(label1, Qt::LeftButton, onLabel + QPoint(40, 30));
    QCOMPARE(form->pos(), start);

    // Window at (1500, 900) twips, pressed at (300, 450), pointer to (420, 480):
    // the window goes to (1620, 930), also with the pointer over a label.
    Pointer::press(form, Qt::LeftButton, press);
    QTest::mouseMove(form->windowHandle(), QPoint(Twips::toPixels(420), Twips::toPixels(480)));
    QTRY_COMPARE(form->pos(), QPoint(Twips::toPixels(1620), Twips::toPixels(930)));
    Pointer::release(form, Qt::LeftButton, QPoint(Twips::toPixels(420), Twips::toPixels(480)) - QPoint(8, 2));
    const QPoint placed = form->pos();
    QTest::mouseMove(form->windowHandle(), press + QPoint(20, 0));
    QCOMPARE(form->pos(), placed); // released: no more drag
}

void TestReportWindow::enterInTheReasonMovesOn()
{
    Rig rig;
    Form3 *form = rig.open();
    form->Text3()->setFocus();
    QTest::keyClicks(form->Text3(), QStringLiteral("abc"));
    QTest::keyClick(form->Text3(), Qt::Key_Return);
    QCOMPARE(form->Text3()->toPlainText(), QStringLiteral("abc\n"));
    QCOMPARE(QApplication::focusWidget(), form->Text4()->focusProxy());
    // Enter elsewhere does nothing.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), form->Text4()->focusProxy());
}

void TestReportWindow::confirmationDetails_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("details");
    QTest::newRow("between the markers") << "云安全中心：abc网址安全云安全中心将" << "abc";
    QTest::newRow("close marker right after") << "云安全中心：网址安全云安全中心将" << "";
    QTest::newRow("first occurrences count") << "云安全中心：a网址安全云安全中心将b云安全中心：c网址安全云安全中心将" << "a";
    QTest::newRow("close marker inside the first one's end") << "网址安全云安全中心将云安全中心：abc" << "";
    QTest::newRow("no first marker") << "abc网址安全云安全中心将" << "";
    QTest::newRow("no close marker") << "云安全中心：abc" << "";
}

void TestReportWindow::confirmationDetails()
{
    QFETCH(QString, page);
    QFETCH(QString, details);
    QCOMPARE(ReportPage::confirmationDetails(page), details);
}

QTEST_MAIN(TestReportWindow)
#include "tst_reportwindow.moc"
