#include "BarcodeTool.h"

#include "BarcodeAnswer.h"
#include "BarcodeCheck.h"
#include "BrowserView.h"
#include "BrowserViewMaker.h"
#include "Endpoints.h"
#include "LookupState.h"
#include "MessageBoxes.h"
#include "NumberText.h"
#include "PanelControls.h"
#include "ResultBox.h"
#include "ToolContext.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

const QString CodeInput = QStringLiteral("txtcode");
const QString SubmitButton = QStringLiteral("Btnok");

// The panel's browser WebTXM, made before the panel's controls so that it lies
// under them; nullptr without a factory.
BrowserView *makeWebTXM(QWidget *panel, BrowserFactory *browsers)
{
    return makeBrowserView(browsers, panel, Twips::rect(5400, 1800, 150, 135), QStringLiteral("WebTXM"));
}

} // namespace

BarcodeTool::BarcodeTool(QWidget *panel, ToolContext &context)
    : BarcodeTool(panel, context, makeWebTXM(panel, context.browsers))
{
}

BarcodeTool::BarcodeTool(QWidget *panel, ToolContext &context, BrowserView *webTXM)
    : QObject(panel), m_context(context), m_WebTXM(webTXM)
{
    PanelControls::whitePanel(panel);
    panel->setFont(Fonts::ui(9));

    m_Label29 = PanelControls::introduction(
        panel, "Label29", Twips::rect(1440, 360, 5460, 735),
        QStringLiteral(
            "    查询条形码请输入完整13位条形码，提供两种功能，厂商识别可以调出厂家及厂家信用（不能查询图书等出"
            "版物），真伪鉴定用于鉴定条形码真伪（可以查询一切商品）。"));
    m_Label27 = PanelControls::caption(panel, "Label27", Twips::rect(1320, 1240, 0, 0), QStringLiteral("条形码："),
                                       Fonts::ui(10.5, true));
    m_txtTXM = PanelControls::inputBox(panel, "txtTXM", Twips::rect(2160, 1200, 2295, 375));
    m_txtTXM->setMaxLength(13);
    m_cmdTXM = PanelControls::button(panel, "cmdTXM", Twips::rect(4440, 1200, 1215, 375), QStringLiteral("厂商识别"));
    m_Command1 =
        PanelControls::button(panel, "Command1", Twips::rect(5640, 1200, 1215, 375), QStringLiteral("真伪鉴定"));
    m_Text4 =
        PanelControls::resultBox(panel, "Text4", Twips::rect(1800, 1680, 5055, 2655), true, QStringLiteral("查询结果"));

    connect(m_cmdTXM, &QPushButton::clicked, this, &BarcodeTool::cmdTXM_Click);
    connect(m_Command1, &QPushButton::clicked, this, &BarcodeTool::Command1_Click);
    if (m_WebTXM) {
        connect(m_WebTXM, &BrowserView::documentComplete, this, &BarcodeTool::checkForm);
        connect(m_WebTXM, &BrowserView::documentComplete, this, &BarcodeTool::WebTXM_DocumentComplete);
    }
}

void BarcodeTool::loadRegistryForm()
{
    if (m_WebTXM)
        m_WebTXM->Navigate(Endpoints::barcodeForm());
}

void BarcodeTool::cmdTXM_Click()
{
    const QString code = m_txtTXM->text();
    if (code.size() != 13) {
        m_context.boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"), QStringLiteral("请输入正确条形码！"),
                             m_context.window);
        return;
    }
    // Any text that converts to a number passes, an exponent included.
    if (!NumberText::isNumericWithExponent(code)) {
        m_context.boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"), QStringLiteral("请输入数字！"),
                             m_context.window);
        return;
    }
    m_Text4->setText(ProgressText);
    m_context.state.BarcodePending = true;
    // A new query is an 8-digit query, also when the 7-digit retry of the one
    // before is still out: its answer is cut behind 8 digits and may retry.
    m_context.state.BarcodeShortRetry = false;
    // Nothing is disabled: the answer comes as a completion of the page, and
    // the flag stays set when the form is not there to be filled, so the
    // page's next completion (the reload at the next activation) is taken.
    // A view whose last page holds no form is known before anything is
    // asked of it: the box comes within the click.
    if (!m_WebTXM || m_form == FormState::Missing) {
        showWaitBox();
        return;
    }
    QPointer<BarcodeTool> self(this);
    submitChecked(code.left(8), [self](bool sent) {
        if (self && !sent)
            self->showWaitBox();
    });
}

std::optional<bool> BarcodeTool::formThere() const
{
    if (m_form == FormState::Unknown)
        return std::nullopt;
    return m_form == FormState::There;
}

void BarcodeTool::showWaitBox()
{
    m_context.boxes.show(MessageBoxes::Icon::Exclamation, QStringLiteral("请稍等"),
                         QStringLiteral("接口正在连接，请稍后再查询！"), m_context.window);
}

void BarcodeTool::checkForm()
{
    // Until the answer comes a click fills the form step by step and tells
    // a failure when it meets it.
    m_form = FormState::Unknown;
    const unsigned check = ++m_formCheck;
    QPointer<BarcodeTool> self(this);
    QPointer<BrowserView> view(m_WebTXM);
    m_WebTXM->hasElement(CodeInput, [self, view, check](bool input) {
        if (!self || !view || check != self->m_formCheck)
            return;
        if (!input) {
            self->m_form = FormState::Missing;
            if (!self->m_context.state.BarcodePending)
                view->holdPage();
            return;
        }
        view->hasElement(SubmitButton, [self, view, check](bool button) {
            if (!self || !view || check != self->m_formCheck)
                return;
            self->m_form = button ? FormState::There : FormState::Missing;
            // The form waits for the next query without moving: the page may
            // not refresh or leave by itself. A query already on its way
            // (sent before this check was back) goes on.
            if (!self->m_context.state.BarcodePending)
                view->holdPage();
        });
    });
}

void BarcodeTool::submitChecked(const QString &prefix, std::function<void(bool)> done)
{
    if (!m_WebTXM) {
        done(false);
        return;
    }
    QPointer<BrowserView> view(m_WebTXM);
    m_WebTXM->clickElement(CodeInput, [view, prefix, done](bool clicked) {
        if (!clicked || !view)
            return done(false);
        view->setValueByName(CodeInput, prefix, [view, done](bool set) {
            if (!set || !view)
                return done(false);
            view->clickElement(SubmitButton, [done](bool submitted) { done(submitted); });
        });
    });
}

void BarcodeTool::submitEachStep(const QString &prefix)
{
    if (!m_WebTXM)
        return;
    m_WebTXM->clickElement(CodeInput, {});
    m_WebTXM->setValueByName(CodeInput, prefix, {});
    m_WebTXM->clickElement(SubmitButton, {});
}

void BarcodeTool::WebTXM_DocumentComplete()
{
    LookupState &state = m_context.state;
    if (!state.BarcodePending)
        return;
    state.BarcodePending = false;
    QPointer<BarcodeTool> self(this);
    QPointer<BrowserView> view(m_WebTXM);
    m_WebTXM->bodyText([self, view](std::optional<QString> pageText) {
        // The answer page stops where it stands; the retry's clicks, if one
        // follows, set it going again.
        if (view)
            view->holdPage();
        if (self)
            self->readAnswer(pageText);
    });
}

void BarcodeTool::readAnswer(const std::optional<QString> &pageText)
{
    LookupState &state = m_context.state;
    // Another tool may have written PageText since; a page whose text cannot
    // be read is read as empty, never as that other tool's page.
    state.PageText = pageText.value_or(QString());
    const QString code = m_txtTXM->text();

    if (state.PageText.contains(BarcodeAnswer::NotListedMarker)) {
        m_Text4->setText(BarcodeAnswer::NotListedText);
        if (state.BarcodeShortRetry) {
            state.BarcodeShortRetry = false;
            return;
        }
        state.BarcodePending = true;
        state.BarcodeShortRetry = true;
        submitEachStep(code.left(7));
        return;
    }

    // The box is written once, when the credit has been asked for as well:
    // the company cut alone still holds the credit text glued to the name.
    const QString kept = BarcodeAnswer::complaintText(state.PageText, m_Text4->text());
    const QString company =
        BarcodeAnswer::companyText(state.PageText, code, state.BarcodeShortRetry, m_Text4->text(), state);
    state.BarcodeShortRetry = false;
    QPointer<BarcodeTool> self(this);
    m_WebTXM->elementText(BarcodeAnswer::CreditElement, [self, kept, company](std::optional<QString> credit) {
        if (self)
            self->showAnswer(kept, company, credit);
    });
}

void BarcodeTool::showAnswer(const QString &kept, const QString &company, const std::optional<QString> &credit)
{
    if (credit) {
        m_Text4->setText(BarcodeAnswer::withCredit(company, *credit));
        return;
    }
    // A page without the credit element: the company without a credit line.
    // An element that is there but whose text cannot be read leaves the
    // result unmade: the box keeps what it held before the cut, rather than
    // a company name with its rating run into it.
    QPointer<BarcodeTool> self(this);
    m_WebTXM->hasElement(BarcodeAnswer::CreditElement, [self, kept, company](bool there) {
        if (self)
            self->m_Text4->setText(there ? kept : company);
    });
}

void BarcodeTool::Command1_Click()
{
    const QString code = m_txtTXM->text();
    if (code.size() != 13) {
        m_context.boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("长度不够"),
                             QStringLiteral("真伪鉴定需要输入13位完整条形码，请将条形码补充完整！"), m_context.window);
        return;
    }
    m_Text4->setText(BarcodeCheck::hasValidCheckDigit(code) ? ValidText : FakeText);
}
