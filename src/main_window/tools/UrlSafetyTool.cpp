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
    Label13 = textColour(caption(panel, "Label13", Twips::rect(1080, 720, 0, 0),
                                 QStringLiteral("本功能可以查询您需要了解的网站是否安全，输入网站主页即可，不要查询旗下的网站。")),
                         QColor(84, 84, 84));
    Label14 = caption(panel, "Label14", Twips::rect(240, 1080, 0, 0), QStringLiteral("网址："), Fonts::ui(12, true));
    txtUS = inputBox(panel, "txtUS", Twips::rect(960, 1080, 5535, 375));
    setAddressColour(UrlSafetyVerdict::NoVerdict);
    imgNoKnow = badge(panel, "imgNoKnow", Twips::rect(5760, 1155, 645, 240),
                      badgePicture("badge_unknown"));
    imgNoSafe = badge(panel, "imgNoSafe", Twips::rect(5760, 1140, 645, 240),
                      badgePicture("badge_danger"));
    imgSafe = badge(panel, "imgSafe", Twips::rect(5760, 1140, 645, 240),
                    badgePicture("badge_safe"));
    cmdUS = button(panel, "cmdUS", Twips::rect(6480, 1080, 855, 375), QStringLiteral("鉴定"));
    Label33 = caption(panel, "Label33", Twips::rect(960, 1680, 0, 0), QStringLiteral("结果："), Fonts::ui(9, true));
    txtUSJG = resultBox(panel, "txtUSJG", Twips::rect(960, 1920, 6255, 2775), true,
                        QStringLiteral("查询结果详细说明."));
    txtUSJG->setReadOnly(true);
    Command12 = button(panel, "Command12", Twips::rect(5160, 4800, 2055, 375), QStringLiteral("举报该网站"));

    WebAI = makeBrowserView(m_context.browsers, panel, Twips::rect(4560, 2280, 135, 135), QStringLiteral("WebAI"));
    if (WebAI)
        connect(WebAI, &BrowserView::documentComplete, this, &UrlSafetyTool::WebAI_DocumentComplete);

    connect(cmdUS, &QPushButton::clicked, this, &UrlSafetyTool::cmdUS_Click);
    connect(txtUS, &QLineEdit::textChanged, this, &UrlSafetyTool::txtUS_Change);
    connect(Command12, &QPushButton::clicked, this, &UrlSafetyTool::Command12_Click);
}

QColor UrlSafetyTool::addressColour() const
{
    return txtUS->palette().color(QPalette::Active, QPalette::Base);
}

void UrlSafetyTool::setAddressColour(const QColor &colour)
{
    // The colour holds while the box is disabled for a check too.
    QPalette colours = txtUS->palette();
    colours.setColor(QPalette::All, QPalette::Base, colour);
    txtUS->setPalette(colours);
}

void UrlSafetyTool::setControlsEnabled(bool enabled)
{
    cmdUS->setEnabled(enabled);
    txtUS->setEnabled(enabled);
}

void UrlSafetyTool::txtUS_Change()
{
    setAddressColour(UrlSafetyVerdict::NoVerdict);
    imgNoSafe->hide();
    imgSafe->hide();
    imgNoKnow->hide();
}

void UrlSafetyTool::cmdUS_Click()
{
    if (txtUS->text().size() < 5) {
        m_context.boxes.show(MessageBoxes::Icon::Exclamation, QStringLiteral("错误"),
                             QStringLiteral("请输入完整正确的网址！错误号#03"), m_context.window);
        txtUS->setFocus();
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
    imgNoSafe->hide();
    imgNoKnow->hide();
    imgSafe->hide();
    setControlsEnabled(false);
    m_context.statusLine->setText(StatusAnalysing);

    // Only one leading "http://" and one trailing slash go; each write-back
    // is an edit of the box and clears the verdict.
    if (txtUS->text().startsWith(QStringLiteral("http://")))
        txtUS->setText(txtUS->text().mid(7));
    if (txtUS->text().endsWith(u'/'))
        txtUS->setText(txtUS->text().chopped(1));

    m_context.statusLine->setText(UrlSafetyVerdict::ProgressText);
    txtUSJG->setText(UrlSafetyVerdict::ProgressText);

    LookupState &state = m_context.state;
    state.PageText = m_context.fetcher.fetchPageText(Endpoints::urlSafetySearch(txtUS->text()));

    if (FindTextPos(UrlSafetyVerdict::NoPlantedCodeMarker, state.PageText) > 0) {
        startStageTwo();
        return;
    }
    const int danger = FindTextPos(UrlSafetyVerdict::DangerMarker, state.PageText);
    if (danger > 0) {
        state.CutStart = Pos16(danger) + 7;
        state.CutEnd = FindTextPos(UrlSafetyVerdict::DangerEndMarker, state.PageText);
        imgNoSafe->show();
        imgSafe->hide();
        imgNoKnow->hide();
        setAddressColour(UrlSafetyVerdict::Dangerous);
        txtUSJG->setText(Cut(state.PageText, state.CutStart, state.CutEnd));
        txtUSJG->setText(UrlSafetyVerdict::dangerText(txtUSJG->text()));
    } else {
        // Neither marker: the page's length picks the text (undecidedText),
        // both show the unknown badge.
        imgNoSafe->hide();
        imgSafe->hide();
        imgNoKnow->show();
        txtUSJG->setText(UrlSafetyVerdict::undecidedText(state.PageText));
    }
    m_context.statusLine->setText(ProductTitle());
    setControlsEnabled(true);
}

void UrlSafetyTool::startStageTwo()
{
    if (!WebAI) {
        // No browser to ask: judged on the first page, as an unreadable
        // second page would be, so the panel does not stay locked.
        finishStageTwo();
        return;
    }
    m_context.state.SafetyPending = true;
    WebAI->Navigate(Endpoints::urlSafetyDomainInfo(txtUS->text()));
}

void UrlSafetyTool::WebAI_DocumentComplete()
{
    LookupState &state = m_context.state;
    if (!state.SafetyPending)
        return;
    state.SafetyPending = false;
    QPointer<UrlSafetyTool> self(this);
    WebAI->bodyText([self](std::optional<QString> text) {
        if (!self)
            return;
        // An unreadable document leaves the last page text in place and the
        // markers are looked for there.
        if (text)
            self->m_context.state.PageText = *text;
        self->finishStageTwo();
    });
}

void UrlSafetyTool::finishStageTwo()
{
    m_context.statusLine->setText(StatusReadingVerdict);
    const UrlSafetyVerdict::SecondStage verdict = UrlSafetyVerdict::secondStage(m_context.state.PageText);
    txtUSJG->setText(verdict.text);
    if (verdict.badge != UrlSafetyVerdict::Badge::None) {
        m_context.statusLine->setText(ProductTitle());
        imgSafe->setVisible(verdict.badge == UrlSafetyVerdict::Badge::Safe);
        imgNoSafe->setVisible(verdict.badge == UrlSafetyVerdict::Badge::Dangerous);
        imgNoKnow->setVisible(verdict.badge == UrlSafetyVerdict::Badge::Unknown);
    }
    setAddressColour(verdict.colour);
    m_context.statusLine->setText(ProductTitle());
    setControlsEnabled(true);
}

void UrlSafetyTool::Command12_Click()
{
    if (m_openReport)
        m_openReport(QStringLiteral("http://") + txtUS->text());
}
