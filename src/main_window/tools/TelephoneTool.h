#pragma once

#include <QColor>
#include <QObject>
#include <QString>

#include <optional>

class BrowserView;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultBox;
struct ToolContext;

// The telephone and e-mail tools on the panel TabTel:
// - the fixed-line lookup loads the telephone-area page of the typed number
//   in the panel's tiny browser WebTel and cuts the location into txtTelWZ
//   when the page is complete;
// - the number-range search opens a web search for the numbers sharing the
//   leading digits in the user's browser;
// - the e-mail help box tells where mail programs show the sender's address.
//
//     TelephoneTool tool(panelTabTel, context);   // builds the panel's controls
//
// The tool is a child of the panel; the context must outlive it. Without a
// browser factory in the context there is no WebTel, and a fixed-line lookup
// ends in its error path at once.
class TelephoneTool : public QObject
{
public:
    TelephoneTool(QWidget *panel, ToolContext &context);

    void cmdTelChaXun_Click();
    void WebTel_DocumentComplete();
    void Command4_Click();
    void Command5_Click();

    // Colours of the result box's text.
    static inline const QColor Blue = QColor(0, 0, 255);
    static inline const QColor Red = QColor(255, 0, 0);
    QColor txtTelWZColour() const;

    static inline const QString ShortNumberText = QStringLiteral("电话号码格式为 010-12345678 ！");
    static inline const QString CheckingText = QStringLiteral("正在检查电话号码地址中...");
    static inline const QString ConnectingText = QStringLiteral("正在连接服务器中...");
    static inline const QString RateLimitedText = QStringLiteral("没有查找到该号码的地理位置。");
    static inline const QString LookupErrorText = QStringLiteral("发生错误。");
    static inline const QString ErrorTitle = QStringLiteral("错误");
    static inline const QString UnknownErrorText = QStringLiteral("出现未知错误！");
    static inline const QString NotWholeText = QStringLiteral("区号和电话号码必须是数字！");
    static inline const QString EmailHelpTitle = QStringLiteral("Email所在地查询方法");
    static const QString EmailHelpText;

private:
    void readPage(const std::optional<QString> &pageText);
    void setTelephoneControlsEnabled(bool enabled);
    void setResult(const QColor &colour, const QString &text);
    void failLookup();

    ToolContext &m_context;
    QLabel *m_lblTelJS;          // lblTelJS: what the tool does
    QLabel *m_Label15;           // Label15: the fixed-line lookup's heading
    QLabel *m_lblTel_0;          // lblTel(0): the lookup's "电话：" caption
    QLineEdit *m_txtTel;         // txtTel: the number typed, at most 13 characters
    QPushButton *m_cmdTelChaXun; // cmdTelChaXun: starts the lookup
    ResultBox *m_txtTelWZ;       // txtTelWZ: the location, the progress or what went wrong
    QLabel *m_Label16;           // Label16: the number-range search's heading
    QLabel *m_Label17;           // Label17: what the number-range search does
    QLabel *m_lblTel_1;          // lblTel(1): the search's "电话：" caption
    QLabel *m_Label19;           // Label19: the "区号" caption
    QLabel *m_Label20;           // Label20: the "电话号码" caption
    QLineEdit *m_Text2;          // Text2: the area code, at most 4 characters
    QLabel *m_Label18;           // Label18: the dash between the two boxes
    QLineEdit *m_Text3;          // Text3: the number without the area code, at most 8 characters
    QPushButton *m_Command5;     // Command5: opens the number-range search
    QPushButton *m_Command4;     // Command4: shows the e-mail help box
    BrowserView *m_WebTel;       // WebTel: loads the telephone-area page; nullptr without a browser factory
};
