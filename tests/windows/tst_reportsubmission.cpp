#include "Endpoints.h"
#include "FakeBrowser.h"
#include "Recorders.h"
#include "ReportPage.h"
#include "ReportSubmission.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// A report on its way into the report page and what the page says back,
// without a window: what the submission asks of the page, and what it has the
// window do (status line, boxes, clearing, captcha) and where it sends the
// page, in one journal.
namespace {

const QString SubmitAddress = Endpoints::http(Endpoints::ReportHost, QStringLiteral("/report/submit"));
const QStringList AllInputs{"title", "url", "describe", "email", "validateCode"};

QImage captcha(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(30, 40, 120));
    return image;
}

// A fake view that also writes where it is sent into the journal.
class JournalView : public FakeBrowserView
{
public:
    JournalView(QWidget *parent, QStringList &journal) : FakeBrowserView(parent, QRect(0, 0, 9, 9)), m_journal(journal)
    {
    }
    void Navigate(const QString &url) override
    {
        m_journal.append(QStringLiteral("navigate ") + url);
        FakeBrowserView::Navigate(url);
    }

private:
    QStringList &m_journal;
};

// The report page with its five inputs, twelve category boxes and two
// images, the captcha and the send button; the send button leads to the
// page that answers the report.
struct Rig {
    QWidget window;
    QStringList journal;
    RecordingMessageBoxes boxes;
    JournalView *page = new JournalView(&window, journal);
    ReportSubmission submission{*page, boxes,
                                {&window, [this](const QString &status) { journal.append("status " + status); },
                                 [this] { journal.append(QStringLiteral("clear")); },
                                 [this](const QImage &picture) {
                                     journal.append(QStringLiteral("captcha %1x%2").arg(picture.width()).arg(picture.height()));
                                 }}};
    FakePage form;
    FakePage answer;

    Rig()
    {
        form.inputs = AllInputs;
        form.categoryBoxes = 12;
        form.images = 2;
        form.firstImage = captcha(42, 16);
        page->site = [this](const QString &url) {
            if (url == Endpoints::reportPage())
                return form;
            if (url == SubmitAddress)
                return answer;
            FakePage elsewhere;
            elsewhere.images = 1;
            elsewhere.firstImage = captcha(42, 16);
            return elsewhere;
        };
        page->onImageClick = [this](int index) {
            if (index == form.images - 1)
                page->Navigate(SubmitAddress);
        };
        QObject::connect(page, &BrowserView::documentComplete, &submission, &ReportSubmission::pageComplete);
        boxes.onShow = [this](const RecordedBox &box) { journal.append("box " + box.title + ": " + box.text); };
    }

    // The report page is shown and its captcha in the window; the journal
    // starts afresh.
    void pageShown()
    {
        submission.loadPage();
        QTRY_COMPARE(journal, QStringList({"navigate " + Endpoints::reportPage(), "captcha 42x16"}));
        journal.clear();
        page->operations.clear();
    }

    // Every answer the page owes has come.
    static void settle()
    {
        bool flushed = false;
        QTimer::singleShot(0, [&flushed] { flushed = true; });
        QTRY_VERIFY(flushed);
    }
};

ReportSubmission::Report report(const QList<int> &categories)
{
    return {QStringLiteral("假冒购物网站"), QStringLiteral("http://www.bad-shop.cn"),
            QStringLiteral("冒充淘宝\r\n骗取货款，已有多人受骗。"), QStringLiteral("me@mail.cn"), QStringLiteral("7394"),
            categories};
}

const QStringList Filled{
    "set title=假冒购物网站",
    "set url=http://www.bad-shop.cn",
    "set describe=冒充淘宝\r\n骗取货款，已有多人受骗。",
    "set email=me@mail.cn",
    "set validateCode=7394",
};

const QString Submitting = QStringLiteral("status ") + ReportPage::Submitting;
const QString Failed = QStringLiteral("box 接口连接中: 正在连接网站举报中心接口中，请稍后再操作！");
const QString Reload = QStringLiteral("navigate ") + Endpoints::reportPage();
const QString Confirmed = QStringLiteral(
    "box 举报已成功: 您所举报的信息已提交成功，处理后会反馈到您邮箱中，一旦发现不良网站将会阻断传播，情节严重的将屏蔽处理！\r\n"
    "您所举报的举报信息：\r\n");

} // namespace

class TestReportSubmission : public QObject
{
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
    void secondReportWhilePending_data();
    void secondReportWhilePending();
    void firstPageAfterTheReport_data();
    void firstPageAfterTheReport();
    void captchaOfEachPage_data();
    void captchaOfEachPage();
};

// Which fields go into the page, which boxes are clicked, and where a
// failing step ends the report. The send button's page does not come here.
void TestReportSubmission::steps_data()
{
    QTest::addColumn<QList<int>>("categories");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("categoryBoxes");
    QTest::addColumn<int>("images");
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QStringList>("journal");

    QTest::newRow("fields by name, ticked boxes by position, every image")
        << QList<int>{1, 9, 11} << AllInputs << 12 << 2
        << Filled + QStringList{"click siteType[][1]", "click siteType[][9]", "click siteType[][11]", "count IMG",
                                "click IMG[0]", "click IMG[1]"}
        << QStringList{Submitting};
    QTest::newRow("a page without images: nothing to click")
        << QList<int>{0} << AllInputs << 12 << 0 << Filled + QStringList{"click siteType[][0]", "count IMG"}
        << QStringList{Submitting};
    QTest::newRow("no e-mail input: the report stops there")
        << QList<int>{0} << QStringList{"title", "url", "describe", "validateCode"} << 12 << 2 << Filled.mid(0, 4)
        << QStringList{Submitting, Failed, Reload};
    QTest::newRow("too few category boxes")
        << QList<int>{1, 9} << AllInputs << 9 << 2 << Filled + QStringList{"click siteType[][1]", "click siteType[][9]"}
        << QStringList{Submitting, Failed, Reload};
    QTest::newRow("no page: the first field fails") << QList<int>{0} << QStringList{} << 0 << 0 << Filled.mid(0, 1)
                                                    << QStringList{Submitting, Failed, Reload};
}

void TestReportSubmission::steps()
{
    QFETCH(QList<int>, categories);
    QFETCH(QStringList, inputs);
    QFETCH(int, categoryBoxes);
    QFETCH(int, images);
    QFETCH(QStringList, operations);
    QFETCH(QStringList, journal);
    Rig rig;
    rig.form.inputs = inputs;
    rig.form.categoryBoxes = categoryBoxes;
    rig.form.images = images;
    rig.pageShown();
    rig.page->autoComplete = false;
    rig.page->onImageClick = nullptr;

    rig.submission.send(report(categories));
    QVERIFY(rig.submission.pending());
    QTRY_COMPARE(rig.page->operations, operations);
    QTRY_COMPARE(rig.journal, journal);
    Rig::settle();
    QCOMPARE(rig.page->operations, operations); // nothing after the last step
    QCOMPARE(rig.journal, journal);
    // Still waiting for the page that answers; a failed report's reload is it.
    QVERIFY(rig.submission.pending());
}

// A report while another is pending starts nothing. Two reports on one page
// would run their steps side by side: each ticked box clicked twice (so
// unticked again) and every image clicked twice (the form sent twice). Once
// the page that answers has completed, a report goes out again.
void TestReportSubmission::secondReportWhilePending_data()
{
    QTest::addColumn<bool>("stepsDone");
    QTest::newRow("while its steps run") << false;
    QTest::newRow("after its last step, before the answer") << true;
}

void TestReportSubmission::secondReportWhilePending()
{
    QFETCH(bool, stepsDone);
    Rig rig;
    rig.pageShown();
    rig.page->autoComplete = false;
    rig.page->onImageClick = nullptr;
    const QStringList once = Filled + QStringList{"click siteType[][1]", "click siteType[][9]", "count IMG",
                                                  "click IMG[0]", "click IMG[1]"};

    rig.submission.send(report({1, 9}));
    if (stepsDone)
        settleFakePages();
    rig.submission.send(report({1, 9}));
    settleFakePages();
    QCOMPARE(rig.page->operations, once);
    QCOMPARE(rig.journal, QStringList{Submitting});
    QList<bool> ticked(12, false);
    ticked[1] = ticked[9] = true;
    QCOMPARE(rig.page->ticked, ticked);
    QVERIFY(rig.submission.pending());

    // The answer (no confirmation on it) ends the report; the next one goes out.
    rig.page->finishLoad();
    QTRY_VERIFY(!rig.submission.pending());
    settleFakePages();
    rig.page->operations.clear();
    rig.submission.send(report({1, 9}));
    settleFakePages();
    QCOMPARE(rig.page->operations, once);
}

// Only the first page after a report is read: with the confirmation the
// window reports, clears its form once the box is closed and loads the report
// page again; without it nothing happens and the form stays.
void TestReportSubmission::firstPageAfterTheReport_data()
{
    QTest::addColumn<std::optional<QString>>("body");
    QTest::addColumn<QStringList>("journal");
    const QString sent = QStringLiteral("navigate ") + SubmitAddress;
    const QStringList reported{QStringLiteral("status ") + ReportPage::Reported};
    const QStringList cleared{QStringLiteral("clear"), QStringLiteral("status ") + ReportPage::Connecting, Reload};

    QTest::newRow("confirmed, details between the markers")
        << std::optional<QString>(
               "以下信息已经提交至网址安全云安全中心：\r\n举报网站：http://www.bad-shop.cn\r\n网址安全云安全中心将尽快处理。")
        << QStringList{Submitting, sent} + reported
               + QStringList{Confirmed + "\r\n举报网站：http://www.bad-shop.cn\r\n"} + cleared;
    QTest::newRow("confirmed without the details marker")
        << std::optional<QString>("以下信息已经提交。网址安全云安全中心将尽快处理。")
        << QStringList{Submitting, sent} + reported + QStringList{Confirmed} + cleared;
    QTest::newRow("no confirmation") << std::optional<QString>("验证码错误，请返回重新填写。")
                                     << QStringList{Submitting, sent};
    QTest::newRow("no body") << std::optional<QString>() << QStringList{Submitting, sent};
}

void TestReportSubmission::firstPageAfterTheReport()
{
    QFETCH(std::optional<QString>, body);
    QFETCH(QStringList, journal);
    Rig rig;
    rig.answer.body = body;
    rig.pageShown();
    rig.form.firstImage.reset(); // the captchas are the next test's

    rig.submission.send(report({9}));
    QTRY_VERIFY(!rig.submission.pending());
    QTRY_COMPARE(rig.journal, journal);
    Rig::settle();
    QCOMPARE(rig.journal, journal);
    QCOMPARE(rig.page->operations.count(QStringLiteral("body")), 1);

    // The next page is not read for a confirmation, whatever it holds.
    const qsizetype boxes = rig.boxes.boxes.size();
    rig.answer.body = QStringLiteral("以下信息已经提交");
    QSignalSpy completed(rig.page, &BrowserView::documentComplete);
    rig.page->Navigate(SubmitAddress);
    QTRY_COMPARE(completed.count(), 1);
    Rig::settle();
    QCOMPARE(rig.page->operations.count(QStringLiteral("body")), 1);
    QCOMPARE(rig.boxes.boxes.size(), boxes);
}

// Every page of the report site that completes hands its first image to the
// window, when it has one that can be read.
void TestReportSubmission::captchaOfEachPage_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<std::optional<QImage>>("firstImage");
    QTest::addColumn<QStringList>("journal");
    QTest::addColumn<int>("imageReads");
    const QString form = Endpoints::reportPage();
    const QString navigated = QStringLiteral("navigate ") + form;
    QTest::newRow("the report page's captcha")
        << form << std::optional<QImage>(captcha(42, 16)) << QStringList{navigated, "captcha 42x16"} << 1;
    QTest::newRow("a captcha of another size is handed on too")
        << form << std::optional<QImage>(captcha(60, 20)) << QStringList{navigated, "captcha 60x20"} << 1;
    QTest::newRow("no image") << form << std::optional<QImage>() << QStringList{navigated} << 1;
    QTest::newRow("an image that cannot be read") << form << std::optional<QImage>(QImage()) << QStringList{navigated}
                                                  << 1;
    QTest::newRow("a page off the report site is not asked")
        << QStringLiteral("http://www.elsewhere.cn/") << std::optional<QImage>(captcha(42, 16))
        << QStringList{"navigate http://www.elsewhere.cn/"} << 0;
}

void TestReportSubmission::captchaOfEachPage()
{
    QFETCH(QString, address);
    QFETCH(std::optional<QImage>, firstImage);
    QFETCH(QStringList, journal);
    QFETCH(int, imageReads);
    Rig rig;
    rig.form.firstImage = firstImage;
    const auto site = rig.page->site;
    rig.page->site = [site, firstImage](const QString &url) {
        FakePage page = site(url);
        page.firstImage = firstImage;
        return page;
    };

    QSignalSpy completed(rig.page, &BrowserView::documentComplete);
    rig.page->Navigate(address);
    QTRY_COMPARE(completed.count(), 1);
    Rig::settle();
    QCOMPARE(rig.journal, journal);
    QCOMPARE(rig.page->operations.count(QStringLiteral("first image")), imageReads);
    QVERIFY(rig.boxes.boxes.isEmpty());
}

QTEST_MAIN(TestReportSubmission)
#include "tst_reportsubmission.moc"
