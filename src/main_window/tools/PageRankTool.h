#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
struct ToolContext;

// The site popularity tool on the panel TabLiuXing: asks the page-rank
// service, with the address's checksum, for the page rank and shows the one
// character after "Rank_1:1:" as the score when it is a digit.
//
//     PageRankTool tool(panelTabLiuXing, context);   // builds the panel's controls
//
// The tool is a child of the panel; the context must outlive it.
class PageRankTool : public QObject
{
public:
    PageRankTool(QWidget *panel, ToolContext &context);

    void cmdLiuXingChaXun_Click();

    // The typed address with every "http://" taken out (lower case only).
    static QString stripScheme(const QString &typed);
    // The result line for the one character read after the marker.
    static QString scoreLine(const QString &character);

    static constexpr const char16_t *RankMarker = u"Rank_1:1:";

private:
    void enableInput();

    ToolContext &m_context;
    QLabel *m_lblLiuXingJS;          // lblLiuXingJS: what the tool does
    QLabel *m_lblLiuXingURL;         // lblLiuXingURL: the "网址：" caption
    QLineEdit *m_txtLiuXing;         // txtLiuXing: the address typed
    QPushButton *m_cmdLiuXingChaXun; // cmdLiuXingChaXun: starts the query
    QLabel *m_lblLiuXing;            // lblLiuXing: the score line
};
