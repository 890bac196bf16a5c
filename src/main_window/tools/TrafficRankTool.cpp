#include "TrafficRankTool.h"

#include "Endpoints.h"
#include "Fonts.h"
#include "InfoIcon.h"
#include "LookupState.h"
#include "MessageBoxes.h"
#include "PageFetcher.h"
#include "PageText.h"
#include "PanelText.h"
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
    m_lblRenQiJS = new QLabel(panel);
    m_lblRenQiJS->setObjectName(QStringLiteral("lblRenQiJS"));
    m_lblRenQiJS->setGeometry(Twips::rect(2040, 960, 5415, 735));
    m_lblRenQiJS->setText(QStringLiteral(
        "    本功能可以查询您需要了解的网站的全球流量排名情况，骗子网站无论如何伪装，其流量等人气指标是无法伪装出来的。"
        "查询结果来自第三方权威机构Alexa接口。"));
    PanelText::makeExplanation(m_lblRenQiJS);

    m_lblRenQiURL = new QLabel(panel);
    m_lblRenQiURL->setObjectName(QStringLiteral("lblRenQiURL"));
    m_lblRenQiURL->setGeometry(Twips::rect(2040, 1860, 540, 255));
    m_lblRenQiURL->setFont(Fonts::ui(9, true));
    PanelText::setAutoSized(m_lblRenQiURL, QStringLiteral("网址："));

    m_txtRenQi = new QLineEdit(panel);
    m_txtRenQi->setObjectName(QStringLiteral("txtRenQi"));
    m_txtRenQi->setGeometry(Twips::rect(2640, 1800, 3615, 375));

    m_cmdRenQiChaxun = new QPushButton(QStringLiteral("查询"), panel);
    m_cmdRenQiChaxun->setObjectName(QStringLiteral("cmdRenQiChaxun"));
    m_cmdRenQiChaxun->setGeometry(Twips::rect(6240, 1800, 975, 375));

    m_Picture2_0 = new InfoIcon(
        panel, "Picture2_0", Twips::rect(2040, 2400, 240, 240),
        QStringLiteral(
            "全球流量排名指的是一个网站在当前在全球范围内的流量排名，大网站的排名在100,000之前，之后的为小网站。"));

    m_lblRenQi = new QLabel(panel);
    m_lblRenQi->setObjectName(QStringLiteral("lblRenQi"));
    m_lblRenQi->setGeometry(Twips::rect(2520, 2400, 1680, 330));
    m_lblRenQi->setFont(Fonts::ui(12, true));
    PanelText::setAutoSized(m_lblRenQi, QString::fromUtf16(WorldCaption));

    m_Picture2_1 =
        new InfoIcon(panel, "Picture2_1", Twips::rect(2040, 2820, 240, 240),
                     QStringLiteral("中国流量排名指的是一个网站在中国区的流量排名，通常40,000之前为小网站。"));

    m_lblZG = new QLabel(panel);
    m_lblZG->setObjectName(QStringLiteral("lblZG"));
    m_lblZG->setGeometry(Twips::rect(2520, 2760, 1680, 330));
    m_lblZG->setFont(Fonts::ui(12, true));
    PanelText::setAutoSized(m_lblZG, QString::fromUtf16(ChinaCaption));

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

        PanelText::setAutoSized(m_context.statusLine, QStringLiteral("正在查询该网站流量排名中..."));
        PanelText::setAutoSized(m_lblZG, chinaCaption);
        PanelText::setAutoSized(m_lblRenQi, worldCaption);
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
            PanelText::setAutoSized(m_lblRenQi, worldCaption + QStringLiteral("查无资料"));
        else
            PanelText::setAutoSized(m_lblRenQi, worldCaption + QStringLiteral("第 ") + world + QStringLiteral(" 名"));

        state.CutEnd2 = Pos16(FindTextPos(QString::fromUtf16(EndMarker), state.PageText));
        // The China rank begins right after the 9-character middle marker.
        state.CutEnd += 9;
        const QString china = Cut(state.PageText, state.CutEnd, state.CutEnd2);
        if (china == QString::fromUtf16(NoRankText))
            PanelText::setAutoSized(m_lblZG, chinaCaption + QStringLiteral("查无资料"));
        else
            PanelText::setAutoSized(m_lblZG, chinaCaption + QStringLiteral("第 ") + china + QStringLiteral(" 名"));

        enableInput();
        PanelText::setAutoSized(m_context.statusLine, QStringLiteral("查询完毕"));
    } catch (const std::exception &) {
        enableInput();
        PanelText::setAutoSized(m_context.statusLine, QStringLiteral("出现错误"));
        PanelText::setAutoSized(m_lblZG, chinaCaption + QStringLiteral("出错"));
        PanelText::setAutoSized(m_lblRenQi, worldCaption + QStringLiteral("出错"));
        m_context.boxes.show(MessageBoxes::Icon::Critical, ErrorTitle, QStringLiteral("出现未知错误！"),
                             m_context.window);
    }
}
