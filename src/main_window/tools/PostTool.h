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
class PostTool : public QObject
{
    Q_OBJECT
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

    BrowserView *webPost() const { return m_webPost; }

private:
    void showPage(const std::optional<QString> &pageText);

    ToolContext &m_context;
    QLabel *m_label26 = nullptr;
    QLabel *m_label28 = nullptr;
    QLineEdit *m_txtPost = nullptr;
    QPushButton *m_cmdPost = nullptr;
    ResultBox *m_txtPostJG = nullptr;
    BrowserView *m_webPost = nullptr;
};

// The list cut out of the post-code page's text, or the result box's text for
// a page it cannot be cut from: "查无资料" for the not-found page, the error
// text when the cut fails. Writes PageText, CutStart and CutEnd as it goes.
QString PostCodeAnswer(const QString &pageText, const QString &typed, LookupState &state);
