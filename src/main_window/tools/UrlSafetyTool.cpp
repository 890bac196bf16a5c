#include "UrlSafetyTool.h"

#include "BrowserView.h"
#include "BrowserViewMaker.h"
#include "Endpoints.h"
#include "LookupState.h"
#include "MessageBoxes.h"
#include "PageFetcher.h"
#include "PageText.h"
#include "PanelControls.h"
#include "ProgramVersion.h"
#include "ToolContext.h"
#include "UrlSafetyVerdict.h"

#include <QPixmap>
#include <QPointer>

#include <exception>

using namespace PanelControls;

namespace {

// A 43 x 16 badge picture, drawn by scripts/make-faces.
QPixmap badgePicture(const char *name)
{
    return QPixmap(QStringLiteral(":/mainwindow/faces/") + QLatin1String(name) + QStringLiteral(".png"));
}

QLabel *badge(QWidget *panel, const char *name, const QRect &place, const QPixmap &picture)
{
    auto *label = new QLabel(panel);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(picture);
    label->move(place.topLeft());
    label->resize(picture.size()); // sized to its picture
    label->hide();
    return label;
}

} // namespace

static void loadBadgePictures()
{
    // The badges live in this static library's resources with the main
    // window's pictures; the panel may be built without the main window.
    Q_INIT_RESOURCE(mainwindow);
}

UrlSafetyTool::UrlSafetyTool(QWidget *panel, ToolContext &context, OpenReport openReport)
    : QObject(panel), m_context(context), m_openReport(std::move(openReport))
{
    loadBadgePictures();
    whitePanel(panel);
    m_Label13 = textColour(
        caption(panel, "Label13", Twips::rect(1080, 720, 0, 0),
                QStringLiteral("本功能可以查询您需要了解的网站是否安全，输入网站主页即可，不要查询旗下的网站。")),
        QColor(84, 84, 84));
    m_Label14 = caption(panel, "Label14", Twips::rect(240, 1080, 0, 0), QStringLiteral("网址："), Fonts::ui(12, true));
    m_txtUS = inputBox(panel, "txtUS", Twips::rect(960, 1080, 5535, 375));
    setAddressColour(UrlSafetyVerdict::NoVerdict);
    m_imgNoKnow = badge(panel, "imgNoKnow", Twips::rect(5760, 1155, 645, 240), badgePicture("badge_unknown"));
    m_imgNoSafe = badge(panel, "imgNoSafe", Twips::rect(5760, 1140, 645, 240), badgePicture("badge_danger"));
    m_imgSafe = badge(panel, "imgSafe", Twips::rect(5760, 1140, 645, 240), badgePicture("badge_safe"));
    m_cmdUS = button(panel, "cmdUS", Twips::rect(6480, 1080, 855, 375), QStringLiteral("鉴定"));
    m_Label33 = caption(panel, "Label33", Twips::rect(960, 1680, 0, 0), QStringLiteral("结果："), Fonts::ui(9, true));
    m_txtUSJG =
        resultBox(panel, "txtUSJG", Twips::rect(960, 1920, 6255, 2775), true, QStringLiteral("查询结果详细说明."));
    m_txtUSJG->setReadOnly(true);
    m_Command12 = button(panel, "Command12", Twips::rect(5160, 4800, 2055, 375), QStringLiteral("举报该网站"));

    m_WebAI = makeBrowserView(m_context.browsers, panel, Twips::rect(4560, 2280, 135, 135), QStringLiteral("WebAI"));
    if (m_WebAI)
        connect(m_WebAI, &BrowserView::documentComplete, this, &UrlSafetyTool::WebAI_DocumentComplete);

    connect(m_cmdUS, &QPushButton::clicked, this, &UrlSafetyTool::cmdUS_Click);
    connect(m_txtUS, &QLineEdit::textChanged, this, &UrlSafetyTool::txtUS_Change);
    connect(m_Command12, &QPushButton::clicked, this, &UrlSafetyTool::Command12_Click);
}

QColor UrlSafetyTool::addressColour() const
{
    return m_txtUS->palette().color(QPalette::Active, QPalette::Base);
}

void UrlSafetyTool::setAddressColour(const QColor &colour)
{
    // The colour holds while the box is disabled for a check too.
    QPalette colours = m_txtUS->palette();
    colours.setColor(QPalette::All, QPalette::Base, colour);
    m_txtUS->setPalette(colours);
}

void UrlSafetyTool::setControlsEnabled(bool enabled)
{
    m_cmdUS->setEnabled(enabled);
    m_txtUS->setEnabled(enabled);
}

void UrlSafetyTool::txtUS_Change()
{
    setAddressColour(UrlSafetyVerdict::NoVerdict);
    m_imgNoSafe->hide();
    m_imgSafe->hide();
    m_imgNoKnow->hide();
}

void UrlSafetyTool::cmdUS_Click()
{
    if (m_txtUS->text().size() < 5) {
        m_context.boxes.show(MessageBoxes::Icon::Exclamation, QStringLiteral("错误"),
                             QStringLiteral("请输入完整正确的网址！错误号#03"), m_context.window);
        m_txtUS->setFocus();
        return;
    }
    try {
        stageOne();
    } catch (const std::exception &) {
        // A position beyond 16 bits or a cut that ends before it starts.
        // Colours, badge and result text stay as far as the check had got.
        m_context.statusLine->setText(ProductTitle());
        setControlsEnabled(true);
        m_context.boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("未知错误"),
                             QStringLiteral("查询过程中出现未知错误！可能是网络原因或输入错误！"), m_context.window);
    }
}

void UrlSafetyTool::stageOne()
{
    m_imgNoSafe->hide();
    m_imgNoKnow->hide();
    m_imgSafe->hide();
    setControlsEnabled(false);
    m_context.statusLine->setText(StatusAnalysing);

    // Only one leading "http://" and one trailing slash go; each write-back
    // is an edit of the box and clears the verdict.
    if (m_txtUS->text().startsWith(QStringLiteral("http://")))
        m_txtUS->setText(m_txtUS->text().mid(7));
    if (m_txtUS->text().endsWith(u'/'))
        m_txtUS->setText(m_txtUS->text().chopped(1));

    m_context.statusLine->setText(UrlSafetyVerdict::ProgressText);
    m_txtUSJG->setText(UrlSafetyVerdict::ProgressText);

    LookupState &state = m_context.state;
    state.PageText = m_context.fetcher.fetchPageText(Endpoints::urlSafetySearch(m_txtUS->text()));
    m_stageOnePage = state.PageText;

    if (FindTextPos(UrlSafetyVerdict::NoPlantedCodeMarker, state.PageText) > 0) {
        startStageTwo();
        return;
    }
    const int danger = FindTextPos(UrlSafetyVerdict::DangerMarker, state.PageText);
    if (danger > 0) {
        state.CutStart = Pos16(danger) + 7;
        state.CutEnd = FindTextPos(UrlSafetyVerdict::DangerEndMarker, state.PageText);
        m_imgNoSafe->show();
        m_imgSafe->hide();
        m_imgNoKnow->hide();
        setAddressColour(UrlSafetyVerdict::Dangerous);
        m_txtUSJG->setText(Cut(state.PageText, state.CutStart, state.CutEnd));
        m_txtUSJG->setText(UrlSafetyVerdict::dangerText(m_txtUSJG->text()));
    } else {
        // Neither marker: the page's length picks the text (undecidedText),
        // both show the unknown badge.
        m_imgNoSafe->hide();
        m_imgSafe->hide();
        m_imgNoKnow->show();
        m_txtUSJG->setText(UrlSafetyVerdict::undecidedText(state.PageText));
    }
    m_context.statusLine->setText(ProductTitle());
    setControlsEnabled(true);
}

void UrlSafetyTool::startStageTwo()
{
    if (!m_WebAI) {
        // No browser to ask: judged on the first page, as an unreadable
        // second page would be, so the panel does not stay locked.
        finishStageTwo();
        return;
    }
    m_context.state.SafetyPending = true;
    m_WebAI->Navigate(Endpoints::urlSafetyDomainInfo(m_txtUS->text()));
}

void UrlSafetyTool::WebAI_DocumentComplete()
{
    LookupState &state = m_context.state;
    if (!state.SafetyPending)
        return;
    state.SafetyPending = false;
    QPointer<UrlSafetyTool> self(this);
    QPointer<BrowserView> view(m_WebAI);
    m_WebAI->bodyText([self, view](std::optional<QString> text) {
        // The page has given what the check needs: it stops until the next one.
        if (view)
            view->holdPage();
        if (!self)
            return;
        // An unreadable document (a failed load, one past its bound) is judged
        // on this check's stage-1 page, never on what another tool has put
        // into PageText since.
        self->m_context.state.PageText = text ? *text : self->m_stageOnePage;
        self->finishStageTwo();
    });
}

void UrlSafetyTool::finishStageTwo()
{
    m_context.statusLine->setText(StatusReadingVerdict);
    const UrlSafetyVerdict::SecondStage verdict = UrlSafetyVerdict::secondStage(m_context.state.PageText);
    m_txtUSJG->setText(verdict.text);
    if (verdict.badge != UrlSafetyVerdict::Badge::None) {
        m_context.statusLine->setText(ProductTitle());
        m_imgSafe->setVisible(verdict.badge == UrlSafetyVerdict::Badge::Safe);
        m_imgNoSafe->setVisible(verdict.badge == UrlSafetyVerdict::Badge::Dangerous);
        m_imgNoKnow->setVisible(verdict.badge == UrlSafetyVerdict::Badge::Unknown);
    }
    setAddressColour(verdict.colour);
    m_context.statusLine->setText(ProductTitle());
    setControlsEnabled(true);
}

void UrlSafetyTool::Command12_Click()
{
    if (m_openReport)
        m_openReport(QStringLiteral("http://") + m_txtUS->text());
}
