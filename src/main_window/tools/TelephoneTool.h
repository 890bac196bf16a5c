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
    Q_OBJECT
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

    QLabel *lblTelJS = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *lblTel0 = nullptr; // lblTel(0), named "lblTel_0"
    QLineEdit *txtTel = nullptr;
    QPushButton *cmdTelChaXun = nullptr;
    ResultBox *txtTelWZ = nullptr;
    QLabel *Label16 = nullptr;
    QLabel *Label17 = nullptr;
    QLabel *lblTel1 = nullptr; // lblTel(1), named "lblTel_1"
    QLabel *Label19 = nullptr;
    QLabel *Label20 = nullptr;
    QLineEdit *Text2 = nullptr; // area code
    QLabel *Label18 = nullptr;
    QLineEdit *Text3 = nullptr; // number without the area code
    QPushButton *Command5 = nullptr;
    QPushButton *Command4 = nullptr;
    BrowserView *WebTel = nullptr;

private:
    void readPage(const std::optional<QString> &pageText);
    void setTelephoneControlsEnabled(bool enabled);
    void setResult(const QColor &colour, const QString &text);
    void failLookup();

    ToolContext &m_context;
};
