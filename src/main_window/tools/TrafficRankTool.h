#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
struct ToolContext;

// The site traffic-rank tool on the panel TabRenQi: for an address that
// begins with "www" it fetches the traffic-rank service's page and cuts the
// world rank and the China rank out of it into two labels.
//
//     TrafficRankTool tool(panelTabRenQi, context);   // builds the panel's controls
//
// The tool is a child of the panel; the context must outlive it.
class TrafficRankTool : public QObject
{
public:
    TrafficRankTool(QWidget *panel, ToolContext &context);

    void cmdRenQiChaxun_Click();

    // The refusal of the input (empty text when the input is accepted):
    // shorter than 6 characters, or not starting with a lower-case "www".
    static QString inputRefusal(const QString &address);

    static constexpr const char16_t *WorldMarker = u"全球综合排名第";
    static constexpr const char16_t *ChinaMarker = u" 位，中文排名第 ";
    static constexpr const char16_t *EndMarker = u" 位。";
    static constexpr const char16_t *NoRankText = u"没有排名数据";
    static constexpr const char16_t *WorldCaption = u"全球流量排名：";
    static constexpr const char16_t *ChinaCaption = u"中国流量排名：";

private:
    void enableInput();

    ToolContext &m_context;
    QLabel *m_lblRenQiJS;          // lblRenQiJS: what the tool does
    QLineEdit *m_txtRenQi;         // txtRenQi: the address typed
    QPushButton *m_cmdRenQiChaxun; // cmdRenQiChaxun: starts the query
    QLabel *m_lblRenQi;            // lblRenQi: the world rank
    QLabel *m_lblZG;               // lblZG: the China rank
};
