#include "PageRankTool.h"

#include "Endpoints.h"
#include "LookupState.h"
#include "MessageBoxes.h"
#include "NumberText.h"
#include "PageFetcher.h"
#include "PageRankChecksum.h"
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
const QString ScoreCaption = QStringLiteral("网站流行度：");

} // namespace

PageRankTool::PageRankTool(QWidget *panel, ToolContext &context) : QObject(panel), m_context(context)
{
    using namespace PanelControls;
    m_lblLiuXingJS =
        introduction(panel, "lblLiuXingJS", Twips::rect(1680, 960, 5655, 1095),
                     QStringLiteral("本功能可以查询全球最有名的两大搜索引擎对您需要查询网站的综合等级评价，骗子"
                                    "网站无论如何伪装，其等级评价都是极低的。"
                                    "查询结果来自Google Page Rank及Orvalent云数据中心。"));
    m_lblLiuXingURL = caption(panel, "lblLiuXingURL", Twips::rect(1560, 1860, 630, 285), QStringLiteral("网址："),
                              Fonts::ui(10.5, true));
    m_txtLiuXing = inputBox(panel, "txtLiuXing", Twips::rect(2160, 1800, 4335, 375));
    m_cmdLiuXingChaXun = button(panel, "cmdLiuXingChaXun", Twips::rect(6480, 1800, 975, 375), QStringLiteral("查询"));

    new InfoIcon(panel, "Picture2(2)", Twips::rect(1800, 2460, 240, 240),
                 QStringLiteral(
                     "流行度指的是一个网站网页质量，得分根据网站质量、页面等级、流行程度等多方面进行评测得出的结果。"));
    m_lblLiuXing =
        caption(panel, "lblLiuXing", Twips::rect(2040, 2400, 1260, 285), ScoreCaption, Fonts::ui(10.5, true));

    connect(m_cmdLiuXingChaXun, &QPushButton::clicked, this, &PageRankTool::cmdLiuXingChaXun_Click);
}

QString PageRankTool::stripScheme(const QString &typed)
{
    // One pass, as typed: an "http://" that the removal itself brings
    // together stays.
    return QString(typed).replace(QStringLiteral("http://"), QString(), Qt::CaseSensitive);
}

QString PageRankTool::scoreLine(const QString &character)
{
    if (NumberText::isNumeric(character))
        return ScoreCaption + character + QStringLiteral(" 分(满分10分)");
    return ScoreCaption + QStringLiteral("查无资料");
}

void PageRankTool::enableInput()
{
    m_cmdLiuXingChaXun->setEnabled(true);
    m_txtLiuXing->setEnabled(true);
}

void PageRankTool::cmdLiuXingChaXun_Click()
{
    LookupState &state = m_context.state;
    try {
        m_txtLiuXing->setText(stripScheme(m_txtLiuXing->text()));
        const QString address = m_txtLiuXing->text();
        if (address.size() < 6) {
            m_context.boxes.show(MessageBoxes::Icon::Critical, ErrorTitle, QStringLiteral("网址错误！"),
                                 m_context.window);
            m_txtLiuXing->setText(QString());
            return;
        }

        m_cmdLiuXingChaXun->setEnabled(false);
        PanelControls::setAutoSized(m_lblLiuXing, ScoreCaption);
        m_txtLiuXing->setEnabled(false);
        PanelControls::setAutoSized(m_context.statusLine, QStringLiteral("正在查询流行度中..."));
        // The fetch blocks the window; paint the progress text first.
        m_context.statusLine->repaint();

        const QString checksum = PageRankChecksum(address);
        state.PageText = m_context.fetcher.fetchPageText(Endpoints::pageRank(checksum, address));

        // The first character after the marker; without the marker, the 9th
        // character of the page.
        state.CutStart = Pos16(static_cast<long long>(FindTextPos(QString::fromUtf16(RankMarker), state.PageText)) + 9);
        // Only this one character counts: "10" shows as 1.
        PanelControls::setAutoSized(m_lblLiuXing, scoreLine(Mid(state.PageText, state.CutStart, 1)));

        enableInput();
        PanelControls::setAutoSized(m_context.statusLine, QStringLiteral("查询完毕"));
    } catch (const std::exception &) {
        enableInput();
        PanelControls::setAutoSized(m_lblLiuXing, ScoreCaption + QStringLiteral("查无资料"));
        PanelControls::setAutoSized(m_context.statusLine, QStringLiteral("出现错误"));
        m_context.boxes.show(
            MessageBoxes::Icon::Critical, ErrorTitle,
            QStringLiteral("出现未知错误！可能是网址输入错误或当前本程序带宽资源不够或者是服务器维护中！"),
            m_context.window);
    }
}
