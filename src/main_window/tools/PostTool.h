#pragma once

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
struct LookupState;

// The post-code tool on the panel TabPost: the button loads the service's page
// for the typed code in the panel's tiny browser WebPost, and the first
// document completion after that cuts the list of places into txtPostJG.
//
//     PostTool tool(panelTabPost, context);   // builds the panel's controls
//
// The tool is a child of the panel; the context must outlive it. Without a
// browser factory in the context there is no WebPost, and a query only shows
// its progress text.
class PostTool : public QObject
{
public:
    PostTool(QWidget *panel, ToolContext &context);

    void cmdPost_Click();
    void WebPost_DocumentComplete();

    static inline const QString SearchingText = QStringLiteral("查询中......");
    static inline const QString NotFoundPageMarker = QStringLiteral("您要访问的页面不存在");
    static inline const QString NotFoundText = QStringLiteral("查无资料");
    static inline const QString EndMarker = QStringLiteral("百度邮编搜索由国家");
    static inline const QString ErrorText =
        QStringLiteral("出现错误！请检查输入是否正确，若输入正确有可能是网络问题导致。");

private:
    void showPage(const std::optional<QString> &pageText);

    ToolContext &m_context;
    QLabel *m_Label26;      // Label26: what the tool does
    QLabel *m_Label28;      // Label28: the "邮政编码：" caption
    QLineEdit *m_txtPost;   // txtPost: the code (or other text) typed
    QPushButton *m_cmdPost; // cmdPost: starts the query
    ResultBox *m_txtPostJG; // txtPostJG: the places or what went wrong
    BrowserView *m_WebPost; // WebPost: loads the service's page; nullptr without a browser factory
};

// The list cut out of the post-code page's text, or the result box's text for
// a page it cannot be cut from: "查无资料" for the not-found page, the error
// text when the cut fails. Writes PageText, CutStart and CutEnd as it goes.
QString PostCodeAnswer(const QString &pageText, const QString &typed, LookupState &state);
