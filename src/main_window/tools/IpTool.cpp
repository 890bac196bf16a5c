#include "IpTool.h"

#include "IpAddressCheck.h"
#include "IpLocation.h"
#include "LookupState.h"
#include "PanelControls.h"
#include "ProgramVersion.h"
#include "ToolContext.h"

using namespace PanelControls;

IpTool::IpTool(QWidget *panel, ToolContext &context) : QObject(panel), m_context(context)
{
    whitePanel(panel);
    caption(panel, "lblIPDZ(0)", Twips::rect(1440, 1800, 960, 330), QStringLiteral("IP地址："), Fonts::ui(12, true));
    m_txtIP = inputBox(panel, "txtIP", Twips::rect(2400, 1800, 3615, 375));
    m_cmdIPChaXun = button(panel, "cmdIPChaXun", Twips::rect(6000, 1800, 975, 375), QStringLiteral("查询"));
    caption(panel, "lblIPDZ(1)", Twips::rect(1680, 2280, 1050, 285), QStringLiteral("查询结果："),
            Fonts::ui(10.5, true));
    m_txtIPJG = resultBox(panel, "txtIPJG", Twips::rect(1680, 2640, 5175, 1455), false, InitialText);
    introduction(panel, "lblIPJieShao", Twips::rect(1320, 720, 5655, 1095),
                 QStringLiteral("    本功能可以查询对方IP地址的所在地区，结果将会精确到网吧/省市/区县。"
                                "IP地址的最后一个区位数字在隐藏情况下可以用1个“*”代替。"
                                "本功能来自Orvalent云数据中心及IP查询网站。"));
    connect(m_cmdIPChaXun, &QPushButton::clicked, this, &IpTool::cmdIPChaXun_Click);
}

void IpTool::cmdIPChaXun_Click()
{
    const QString typed = m_txtIP->text();
    try {
        if (CheckIpAddress(typed) == IpAddressForm::Refused) {
            m_txtIPJG->setText(RefusalText);
            return;
        }
        m_txtIP->setEnabled(false);
        m_cmdIPChaXun->setEnabled(false);
        m_context.statusLine->setText(StatusQuerying);
        m_txtIPJG->setText(ProgressText);
        // The "*" goes out as typed; only the check counted it as 0.
        m_context.state.PageText = IpLocation::request(m_context.fetcher, typed);
        m_txtIPJG->setText(
            IpLocation::cut(m_context.state.PageText, m_context.state.CutEnd, m_context.state.CutEnd2));
        m_txtIPJG->setText(IpLocation::rewrite(m_txtIPJG->text()));
        m_cmdIPChaXun->setEnabled(true);
        m_txtIP->setEnabled(true);
        m_context.statusLine->setText(ProductTitle());
    } catch (const std::exception &) {
        m_txtIPJG->setText(ErrorText);
        m_cmdIPChaXun->setEnabled(true);
        m_txtIP->setEnabled(true);
        // The status line stays in sight: hiding it here would lose it for
        // the rest of the run, as nothing shows it again.
        m_context.statusLine->setText(ProductTitle());
    }
}
