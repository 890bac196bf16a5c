#include "TrafficRankTool.h"

#include "Endpoints.h"
#include "LookupState.h"
#include "MessageBoxes.h"
#include "PageFetcher.h"
#include "PageText.h"
#include "PanelControls.h"
#include "ToolContext.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exception>

namespace
{

const QString ErrorTitle = QStringLiteral("错误");

} // namespace

TrafficRankTool::TrafficRankTool(QWidget *panel, ToolContext &context) : QObject(panel), m_context(context)
{
    using namespace PanelControls;
    m_lblRenQiJS = introduction(
        panel, "lblRenQiJS", Twips::rect(2040, 960, 5415, 735),
        QStringLiteral(
            "    "
            "本功能可以查询您需要了解的网站的全球流量排名情况，骗子网站无论如何伪装，其流量等人气指标是无法伪装出来的。"
            "查询结果来自第三方权威机构Alexa接口。"));
    caption(panel, "lblRenQiURL", Twips::rect(2040, 1860, 540, 255), QStringLiteral("网址："), Fonts::ui(9, true));
    m_txtRenQi = inputBox(panel, "txtRenQi", Twips::rect(2640, 1800, 3615, 375));
    m_cmdRenQiChaxun = button(panel, "cmdRenQiChaxun", Twips::rect(6240, 1800, 975, 375), QStringLiteral("查询"));

    new InfoIcon(
        panel, "Picture2(0)", Twips::rect(2040, 2400, 240, 240),
        QStringLiteral(
            "全球流量排名指的是一个网站在当前在全球范围内的流量排名，大网站的排名在100,000之前，之后的为小网站。"));
    m_lblRenQi = caption(panel, "lblRenQi", Twips::rect(2520, 2400, 1680, 330), QString::fromUtf16(WorldCaption),
                         Fonts::ui(12, true));
    new InfoIcon(panel, "Picture2(1)", Twips::rect(2040, 2820, 240, 240),
                 QStringLiteral("中国流量排名指的是一个网站在中国区的流量排名，通常40,000之前为小网站。"));
    m_lblZG = caption(panel, "lblZG", Twips::rect(2520, 2760, 1680, 330), QString::fromUtf16(ChinaCaption),
                      Fonts::ui(12, true));

    connect(m_cmdRenQiChaxun, &QPushButton::clicked, this, &TrafficRankTool::cmdRenQiChaxun_Click);
}

QString TrafficRankTool::inputRefusal(const QString &address)
{
    if (address.size() < 6)
        return QStringLiteral("请输入正确的网址！错误号ORVN#03");
    if (!address.startsWith(QStringLiteral("www"), Qt::CaseSensitive))
        return QStringLiteral("错误！输入的网址必须是www开头！错误号ORVN#03");
    return QString();
}

void TrafficRankTool::enableInput()
{
    m_cmdRenQiChaxun->setEnabled(true);
    m_txtRenQi->setEnabled(true);
}

void TrafficRankTool::cmdRenQiChaxun_Click()
{
    LookupState &state = m_context.state;
    const QString worldCaption = QString::fromUtf16(WorldCaption);
    const QString chinaCaption = QString::fromUtf16(ChinaCaption);
    try {
        const QString refusal = inputRefusal(m_txtRenQi->text());
        if (!refusal.isEmpty()) {
            m_context.boxes.show(MessageBoxes::Icon::Critical, ErrorTitle, refusal, m_context.window);
            m_txtRenQi->setText(QString());
            return;
        }

        PanelControls::setAutoSized(m_context.statusLine, QStringLiteral("正在查询该网站流量排名中..."));
        PanelControls::setAutoSized(m_lblZG, chinaCaption);
        PanelControls::setAutoSized(m_lblRenQi, worldCaption);
        m_cmdRenQiChaxun->setEnabled(false);
        m_txtRenQi->setEnabled(false);
        // The fetch blocks the window; paint the progress text first.
        m_context.statusLine->repaint();

        state.PageText = m_context.fetcher.fetchPageText(Endpoints::trafficRank(m_txtRenQi->text()));

        // One character after the world marker is skipped: the page puts a
        // blank there.
        state.CutStart =
            Pos16(static_cast<long long>(FindTextPos(QString::fromUtf16(WorldMarker), state.PageText)) + 8);
        state.CutEnd = Pos16(FindTextPos(QString::fromUtf16(ChinaMarker), state.PageText));
        const QString world = Cut(state.PageText, state.CutStart, state.CutEnd);
        if (world == QString::fromUtf16(NoRankText))
            PanelControls::setAutoSized(m_lblRenQi, worldCaption + QStringLiteral("查无资料"));
        else
            PanelControls::setAutoSized(m_lblRenQi,
                                        worldCaption + QStringLiteral("第 ") + world + QStringLiteral(" 名"));

        state.CutEnd2 = Pos16(FindTextPos(QString::fromUtf16(EndMarker), state.PageText));
        // The China rank begins right after the 9-character middle marker.
        state.CutEnd += 9;
        const QString china = Cut(state.PageText, state.CutEnd, state.CutEnd2);
        if (china == QString::fromUtf16(NoRankText))
            PanelControls::setAutoSized(m_lblZG, chinaCaption + QStringLiteral("查无资料"));
        else
            PanelControls::setAutoSized(m_lblZG, chinaCaption + QStringLiteral("第 ") + china + QStringLiteral(" 名"));

        enableInput();
        PanelControls::setAutoSized(m_context.statusLine, QStringLiteral("查询完毕"));
    } catch (const std::exception &) {
        enableInput();
        PanelControls::setAutoSized(m_context.statusLine, QStringLiteral("出现错误"));
        PanelControls::setAutoSized(m_lblZG, chinaCaption + QStringLiteral("出错"));
        PanelControls::setAutoSized(m_lblRenQi, worldCaption + QStringLiteral("出错"));
        m_context.boxes.show(MessageBoxes::Icon::Critical, ErrorTitle, QStringLiteral("出现未知错误！"),
                             m_context.window);
    }
}
