#include "WhoisTool.h"

#include "Endpoints.h"
#include "Fonts.h"
#include "MessageBoxes.h"
#include "PageFetcher.h"
#include "PageText.h"
#include "PanelControls.h"
#include "ResultBox.h"
#include "ToolContext.h"
#include "Twips.h"
#include "WhoisLabelTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exception>

WhoisTool::WhoisTool(QWidget *panel, ToolContext &context) : QObject(panel), m_context(context)
{
    using namespace PanelControls;
    m_Label5 = introduction(
        panel, "Label5", Twips::rect(1200, 600, 6135, 855),
        QStringLiteral("    "
                       "本功能可以查询任何网站的联系人、服务器放置地点、联系电话、Email、传真、域名注册日期、结束日期以"
                       "及域名状态等信息。"
                       "骗子网站注册时间距离现在都非常近且信息填写不详细，通过这点可以判断是否为骗子网站。"));
    caption(panel, "lblYuMing", Twips::rect(1440, 1500, 630, 285), QStringLiteral("域名："), Fonts::ui(10.5, true));
    m_txtYuMing = inputBox(panel, "txtYuMing", Twips::rect(2040, 1440, 4455, 375));
    m_cmdYuMingChaXun = button(panel, "cmdYuMingChaXun", Twips::rect(6480, 1440, 735, 375), QStringLiteral("查询"));

    m_txtYuMingJG = resultBox(panel, "txtYuMingJG", Twips::rect(1440, 1920, 5775, 3495), true, QString());
    m_txtYuMingJG->setFont(Fonts::verdana(9));

    connect(m_cmdYuMingChaXun, &QPushButton::clicked, this, &WhoisTool::cmdYuMingChaXun_Click);
}

void WhoisTool::enableControls()
{
    m_cmdYuMingChaXun->setEnabled(true);
    m_txtYuMing->setEnabled(true);
    m_txtYuMingJG->setEnabled(true);
}

void WhoisTool::cmdYuMingChaXun_Click()
{
    try {
        m_cmdYuMingChaXun->setEnabled(false);
        m_txtYuMing->setEnabled(false);
        m_txtYuMingJG->setText(QString());
        m_txtYuMingJG->setEnabled(false);
        m_txtYuMingJG->setText(QString::fromUtf16(ProgressText));
        // The fetch blocks the window; paint the progress text first.
        m_txtYuMingJG->repaint();

        // The box holds the page text exactly as it came, so the labels are
        // replaced in the page text itself. The window paints nothing before
        // the translated text replaces it, so the box is written once, with
        // that: laying out up to a page's 1 MiB twice would only keep the
        // window waiting.
        QString working = m_context.fetcher.fetchPageText(Endpoints::whois(m_txtYuMing->text()));
        if (FindTextPos(QString::fromUtf16(ReservedMarker), working) > 0)
            m_txtYuMing->setText(QString::fromUtf16(ReservedText));
        working = ApplyWhoisLabelTable(working);

        m_txtYuMingJG->setText(working);
        enableControls();
    } catch (const std::exception &) {
        m_context.boxes.show(MessageBoxes::Icon::Critical, QString::fromUtf16(FailureTitle),
                             QString::fromUtf16(FailureText), m_context.window);
        enableControls();
    }
}
