#include "IdCardTool.h"

#include "Endpoints.h"
#include "IdCardNumber.h"
#include "LookupState.h"
#include "MessageBoxes.h"
#include "PageFetcher.h"
#include "PageText.h"
#include "PanelControls.h"
#include "ProgramVersion.h"
#include "ToolContext.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exception>

using namespace PanelControls;

IdCardTool::IdCardTool(QWidget *panel, ToolContext &context) : QObject(panel), m_context(context)
{
    const QFont captionFont = Fonts::ui(10.5, true);

    m_lblSFZJieShao = introduction(
        panel, "lblSFZJieShao", Twips::rect(1680, 480, 5340, 735),
        QStringLiteral("    本功能可以检验身份证的真实性，以及发证地点，身份证人的性别出生日期。本功能来自Orvalent"
                       "身份证验证模块及全国公民身份证号码查询服务中心。"));

    m_lblShuRuSFZ =
        caption(panel, "lblShuRuSFZ", Twips::rect(2040, 1320, 1260, 285), QStringLiteral("输入身份证："), captionFont);
    m_txtSFZ = inputBox(panel, "txtSFZ", Twips::rect(3240, 1320, 2655, 375));
    m_cmdShenFenZhengChaXun =
        button(panel, "cmdShenFenZhengChaXun", Twips::rect(5880, 1320, 975, 375), QStringLiteral("查询"));

    m_lblXingBie =
        caption(panel, "lblXingBie", Twips::rect(2760, 1800, 630, 285), QStringLiteral("性别："), captionFont);
    m_Picture2_4 = new InfoIcon(panel, "Picture2(4)", Twips::rect(2520, 1830, 240, 240),
                                QStringLiteral("性别根据号码第15-17位得出。"));
    m_Picture2_4->setScaledContents(true);
    m_lblChuSheng =
        caption(panel, "lblChuSheng", Twips::rect(2760, 2160, 1050, 285), QStringLiteral("出生日期："), captionFont);
    m_lblSFZSuoZai =
        caption(panel, "lblSFZSuoZai", Twips::rect(2760, 2520, 840, 285), QStringLiteral("发证地："), captionFont);

    // The verdict is always shown in red, passed or not.
    m_lblZW = textColour(
        caption(panel, "lblZW", Twips::rect(2760, 2880, 1470, 285), QStringLiteral("校验结果：未知"), captionFont),
        QColor(255, 0, 0));
    m_Picture2_5 = new InfoIcon(panel, "Picture2(5)", Twips::rect(2520, 2900, 240, 240),
                                QStringLiteral("校验结果为根据号码本地及联网鉴定得出结果。"));
    m_Picture2_5->setScaledContents(true);

    connect(m_cmdShenFenZhengChaXun, &QPushButton::clicked, this, &IdCardTool::cmdShenFenZhengChaXun_Click);
}

void IdCardTool::cmdShenFenZhengChaXun_Click()
{
    try {
        check();
    } catch (const std::exception &) {
        // One trap for the whole click; the labels already written stay.
        m_context.boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"),
                             QStringLiteral("身份证查询失败！出现未知错误！"), m_context.window);
        m_cmdShenFenZhengChaXun->setEnabled(true);
        m_context.statusLine->setText(QStringLiteral("出现错误！"));
        m_txtSFZ->setEnabled(true);
    }
}

void IdCardTool::check()
{
    using namespace IdCardNumber;

    if (checkForm(m_txtSFZ->text()) == Form::Refused) {
        m_context.boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"), QStringLiteral("身份证号输入错误！"),
                             m_context.window);
        m_txtSFZ->setText(QString());
        return;
    }

    setAutoSized(m_lblXingBie, QStringLiteral("性别："));
    setAutoSized(m_lblChuSheng, QStringLiteral("出生日期："));
    setAutoSized(m_lblSFZSuoZai, QStringLiteral("发证地："));
    setAutoSized(m_lblZW, QStringLiteral("校验结果："));

    // Everything after this reads the box again and so sees the upper case.
    m_txtSFZ->setText(m_txtSFZ->text().toUpper());

    if (verdict(m_txtSFZ->text()) == Verdict::Failed) {
        setAutoSized(m_lblZW, QStringLiteral("校验结果：未通过校验"));
        return;
    }

    m_txtSFZ->setEnabled(false);
    m_cmdShenFenZhengChaXun->setEnabled(false);

    setAutoSized(m_lblXingBie, sexText(m_txtSFZ->text()));
    setAutoSized(m_lblChuSheng, birthDateText(m_txtSFZ->text()));

    LookupState &state = m_context.state;
    state.PageText = m_context.fetcher.fetchPageText(Endpoints::idCardLookup(m_txtSFZ->text()));

    if (FindTextPos(RejectionMarker, state.PageText) > 0) {
        m_cmdShenFenZhengChaXun->setEnabled(true);
        m_context.statusLine->setText(QString());
        m_txtSFZ->setEnabled(true);
        setAutoSized(m_lblZW, QStringLiteral("校验结果：未通过校验"));
        return;
    }

    setAutoSized(m_lblSFZSuoZai, QStringLiteral("发证地：") + issuingPlace(state.PageText, state));

    setAutoSized(m_lblZW, QStringLiteral("校验结果：通过校验"));
    m_cmdShenFenZhengChaXun->setEnabled(true);
    m_context.statusLine->setText(ProductTitle());
    m_txtSFZ->setEnabled(true);
}
