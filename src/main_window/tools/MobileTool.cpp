#include "MobileTool.h"

#include "Endpoints.h"
#include "LookupState.h"
#include "MobileNumber.h"
#include "PageFetcher.h"
#include "PageText.h"
#include "PanelControls.h"
#include "ProgramVersion.h"
#include "ResultBox.h"
#include "ToolContext.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exception>

using namespace PanelControls;

MobileTool::MobileTool(QWidget *panel, ToolContext &context) : QObject(panel), m_context(context)
{
    m_lblShouJiJieShao = introduction(
        panel, "lblShouJiJieShao", Twips::rect(1200, 960, 5655, 735),
        QStringLiteral("    本功能可以查询对方电话号码的所在地，网上购物时，如果对方的手机号与网页上显示地址不"
                       "一致，那么对方可能是骗子。本功能来自Orvalent云数据中心及中国移动通信集团公司。"));

    m_lblShouJiHao = caption(panel, "lblShouJiHao", Twips::rect(1200, 1860, 840, 285), QStringLiteral("手机号："),
                             Fonts::ui(10.5, true));
    m_txtShouJi = inputBox(panel, "txtShouJi", Twips::rect(2040, 1800, 3855, 375));
    m_txtShouJi->setMaxLength(11);
    m_cmdShouJiChaXun = button(panel, "cmdShouJiChaXun", Twips::rect(5880, 1800, 855, 375), QStringLiteral("查询"));

    m_Label24 = caption(panel, "Label24", Twips::rect(1320, 2400, 1050, 285), QStringLiteral("查询结果："),
                        Fonts::ui(10.5, true));
    m_txtSJJG = resultBox(panel, "txtSJJG", Twips::rect(1320, 2760, 5415, 1935), true,
                          QStringLiteral("    输入手机号码即可查询。"));

    connect(m_cmdShouJiChaXun, &QPushButton::clicked, this, &MobileTool::cmdShouJiChaXun_Click);
}

void MobileTool::cmdShouJiChaXun_Click()
{
    const QString number = m_txtShouJi->text();
    if (!MobileNumber::isWellFormed(number)) {
        m_txtSJJG->setText(QStringLiteral("    输入的手机号长度不合法或输入的不是数字，请核对后输入！"));
        m_txtShouJi->setText(QString());
        m_txtShouJi->setFocus();
        return;
    }
    try {
        query(number);
    } catch (const std::exception &) {
        // One trap for the whole query: whatever failed, the controls come
        // back and the user is told where to report a number that is right.
        m_txtShouJi->setEnabled(true);
        m_cmdShouJiChaXun->setEnabled(true);
        m_txtSJJG->setEnabled(true);
        m_context.statusLine->setText(QStringLiteral("查询出错！"));
        m_txtSJJG->setText(QStringLiteral("    发生未知错误，如果输入的手机号码确实没有问题请发送邮件到 ") +
                           Endpoints::SupportEmail + QStringLiteral(" 反馈。"));
    }
}

void MobileTool::query(const QString &number)
{
    m_context.statusLine->setText(QStringLiteral("正在查询手机号归属地中..."));
    m_txtShouJi->setEnabled(false);
    m_cmdShouJiChaXun->setEnabled(false);
    m_txtSJJG->setText(QStringLiteral("正在查询归属地中......"));
    m_txtSJJG->setEnabled(false);

    LookupState &state = m_context.state;
    state.PageText = m_context.fetcher.fetchPageText(Endpoints::mobileLocation(number));

    if (FindTextPos(MobileNumber::RejectionMarker, state.PageText) > 0) {
        m_txtShouJi->setText(QString());
        m_txtShouJi->setEnabled(true);
        m_context.statusLine->setText(ProductTitle());
        m_txtSJJG->setText(QStringLiteral("    输入的手机号不合法，请核对后重新输入！"));
        m_cmdShouJiChaXun->setEnabled(true);
        m_txtSJJG->setEnabled(true);
        return;
    }

    m_txtSJJG->setText(MobileNumber::answerLines(state.PageText, state));

    m_txtShouJi->setEnabled(true);
    m_cmdShouJiChaXun->setEnabled(true);
    m_txtSJJG->setEnabled(true);
    m_context.statusLine->setText(ProductTitle());
}
