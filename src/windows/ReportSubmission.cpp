#include "ReportSubmission.h"

#include "BrowserView.h"
#include "Endpoints.h"
#include "MessageBoxes.h"
#include "PageText.h"
#include "ReportPage.h"

#include <QPointer>

#include <optional>

// One report on its way into the page: the fields, then the ticked boxes,
// then every image, each step asked once the one before has answered.
struct ReportSubmission::Steps {
    enum class Phase { Fill, Tick, Count, Click, Done };
    QList<QPair<QString, QString>> fields; // page input name, value
    QList<int> ticked;
    unsigned pageSerial = 0;
    Phase phase = Phase::Fill;
    int next = 0;
    int images = 0;
};

ReportSubmission::ReportSubmission(BrowserView &page, MessageBoxes &boxes, Window window, QObject *parent)
    : QObject(parent), m_page(page), m_boxes(boxes), m_window(std::move(window))
{
}

void ReportSubmission::loadPage()
{
    m_page.Navigate(Endpoints::reportPage());
}

void ReportSubmission::send(const Report &report)
{
    // One report at a time: a second one on the same page would run its steps
    // between the first one's, clicking each ticked box twice (unticking it
    // again) and every image twice (sending the form twice).
    if (m_pending)
        return;
    m_pending = true;
    m_window.showStatus(ReportPage::Submitting);

    auto steps = std::make_shared<Steps>();
    steps->fields = {{QStringLiteral("title"), report.title},
                     {QStringLiteral("url"), report.url},
                     {QStringLiteral("describe"), report.describe},
                     {QStringLiteral("email"), report.email},
                     {QStringLiteral("validateCode"), report.validateCode}};
    steps->ticked = report.categories;
    steps->pageSerial = m_pageSerial;
    runSteps(steps);
}

// A page that completed since the report began (the report went through, or
// the page was reloaded) ends it quietly: nothing is filled into or clicked on
// a page other than the one the report began on.
bool ReportSubmission::stale(const Steps &steps) const
{
    return steps.pageSerial != m_pageSerial;
}

// A step that fails ends the report with the connecting message.
void ReportSubmission::runSteps(const std::shared_ptr<Steps> &steps)
{
    using Phase = Steps::Phase;
    QPointer<ReportSubmission> self(this);
    const auto then = [self, steps](bool ok) {
        if (!self || self->stale(*steps))
            return;
        if (!ok)
            return self->failed();
        ++steps->next;
        self->runSteps(steps);
    };

    if (steps->phase == Phase::Fill) {
        if (steps->next < steps->fields.size()) {
            const auto &[name, value] = steps->fields.at(steps->next);
            return m_page.setValueByName(name, value, then);
        }
        steps->phase = Phase::Tick;
        steps->next = 0;
    }
    if (steps->phase == Phase::Tick) {
        // A click toggles the page's box; the boxes of unticked categories
        // are left alone.
        if (steps->next < steps->ticked.size())
            return m_page.clickNth(BrowserView::Collection::ByName, QStringLiteral("siteType[]"),
                                   steps->ticked.at(steps->next), then);
        steps->phase = Phase::Count;
        steps->next = 0;
    }
    if (steps->phase == Phase::Count) {
        // Counted once; the clicks below find each image in the collection
        // as it is at the time.
        return m_page.countByTagName(QStringLiteral("IMG"), [self, steps](std::optional<int> count) {
            if (!self || self->stale(*steps))
                return;
            if (!count)
                return self->failed();
            steps->images = *count;
            steps->phase = Phase::Click;
            steps->next = 0;
            self->runSteps(steps);
        });
    }
    if (steps->phase == Phase::Click) {
        if (steps->next < steps->images)
            return m_page.clickNth(BrowserView::Collection::ByTagName, QStringLiteral("IMG"), steps->next, then);
        steps->phase = Phase::Done;
    }
}

// The fields stay; the report stays pending, and the reload's page ends it.
void ReportSubmission::failed()
{
    m_boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("接口连接中"),
                 QStringLiteral("正在连接网站举报中心接口中，请稍后再操作！"), m_window.owner);
    loadPage();
}

void ReportSubmission::pageComplete()
{
    ++m_pageSerial;
    if (!m_pending) {
        copyCaptcha();
        return;
    }
    // Only the first page after a report is examined, whatever it holds.
    m_pending = false;
    QPointer<ReportSubmission> self(this);
    m_page.bodyText([self](std::optional<QString> text) {
        if (!self)
            return;
        // No body: nothing to confirm; the captcha step still runs.
        if (text)
            self->confirmationRead(*text);
        self->copyCaptcha();
    });
}

void ReportSubmission::confirmationRead(const QString &pageText)
{
    if (FindTextPos(ReportPage::ConfirmationMarker, pageText) == 0)
        return;
    // The confirmation has given what the window needs: it stops where it
    // stands (no refresh, no script of its own) while the box is up, and the
    // reload below sets the view going again. A page that is no confirmation
    // is left running: it is the page the next report goes into.
    m_page.holdPage();
    const QString details = ReportPage::confirmationDetails(pageText);
    m_window.showStatus(ReportPage::Reported);
    m_boxes.show(MessageBoxes::Icon::Information, QStringLiteral("举报已成功"),
                 QStringLiteral("您所举报的信息已提交成功，处理后会反馈到您邮箱中，一旦发现不良网站将会阻断传播，情节严重的将屏蔽处理！")
                     + QStringLiteral("\r\n") + QStringLiteral("您所举报的举报信息：") + QStringLiteral("\r\n") + details,
                 m_window.owner);
    // The box is modal: the form is cleared and the page reloaded once the
    // user has closed it.
    m_window.clearForm();
    m_window.showStatus(ReportPage::Connecting);
    loadPage();
}

// The captcha is the report page's first image, read straight from the page
// (the user's clipboard is left alone). A load that failed shows the view's
// own error page under the report address: that page is not the report
// site's, and its pictures are no captcha.
void ReportSubmission::copyCaptcha()
{
    if (!m_page.documentLoaded() || !m_page.currentUrl().contains(Endpoints::ReportHost))
        return;
    QPointer<ReportSubmission> self(this);
    m_page.firstImagePicture([self](std::optional<QImage> picture) {
        // No image on the page, or one that cannot be read (not loaded yet):
        // the copy failed and the window keeps its captcha.
        if (!self || !picture || picture->isNull())
            return;
        self->m_window.showCaptcha(*picture);
    });
}
