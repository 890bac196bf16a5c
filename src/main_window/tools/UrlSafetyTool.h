#pragma once

#include <QColor>
#include <QObject>
#include <QString>

#include <functional>

class BrowserView;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultBox;
struct ToolContext;

// The URL-safety tool on the panel TabUS. The first service's page is fetched
// and searched for its markers; when it only says that no planted code was
// found, the second service's page is loaded in the panel's tiny browser
// WebAI and judged when its document completes. The verdict shows as a text
// in txtUSJG, a background colour of txtUS and one of three badges.
//
//     UrlSafetyTool tool(panelTabUS, context, [&](const QString &address) {
//         windows.showReport(address);   // shows Form3, hides the main window
//     });
//
// openReport gets "http://" + the address box's text; the one who hands it in
// shows the report window, hides the main window and writes the address into
// the report window, in that order. The tool is a child of the panel; the
// context must outlive it.
class UrlSafetyTool : public QObject
{
public:
    using OpenReport = std::function<void(const QString &address)>;

    UrlSafetyTool(QWidget *panel, ToolContext &context, OpenReport openReport);

    void cmdUS_Click();
    void WebAI_DocumentComplete();
    void txtUS_Change();
    void Command12_Click();

    // The address box's background.
    QColor addressColour() const;

    // The status line while stage 1 starts and while stage 2 reads its page.
    static inline const QString StatusAnalysing = QStringLiteral("正在分析网址...");
    static inline const QString StatusReadingVerdict = QStringLiteral("正在查询云安全中心返回的结果......");

private:
    void stageOne();
    void startStageTwo();
    void finishStageTwo();
    void setAddressColour(const QColor &colour);
    void setControlsEnabled(bool enabled);

    ToolContext &m_context;
    OpenReport m_openReport;
    QLabel *m_Label13;        // Label13: what the tool does
    QLabel *m_Label14;        // Label14: the "网址：" caption
    QLineEdit *m_txtUS;       // txtUS: the address typed; its background shows the verdict
    QLabel *m_imgNoKnow;      // imgNoKnow: the unknown badge
    QLabel *m_imgNoSafe;      // imgNoSafe: the danger badge
    QLabel *m_imgSafe;        // imgSafe: the safe badge
    QPushButton *m_cmdUS;     // cmdUS: starts the check
    QLabel *m_Label33;        // Label33: the "结果：" caption
    ResultBox *m_txtUSJG;     // txtUSJG: the verdict's text or the progress
    BrowserView *m_WebAI;     // WebAI: loads the second service's page; nullptr without a browser factory
    QPushButton *m_Command12; // Command12: hands the address to the report window
    QString m_stageOnePage;   // the first service's page of the check under way
};
