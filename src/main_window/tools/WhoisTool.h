#pragma once

#include <QObject>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultBox;
struct ToolContext;

// The domain registration record tool on the panel TabYM: fetches the whois
// service's page for the typed domain and shows its whole text, labels turned
// into Chinese by WhoisLabelTable. The input is not checked, and the status
// line is left alone: the result box carries the progress text.
//
//     WhoisTool tool(panelTabYM, context);   // builds the panel's controls
//
// The tool is a child of the panel; the context must outlive it.
class WhoisTool : public QObject
{
public:
    WhoisTool(QWidget *panel, ToolContext &context);

    void cmdYuMingChaXun_Click();

    static constexpr const char16_t *ProgressText = u"正在查询域名信息中...";
    static constexpr const char16_t *ReservedMarker = u"the domain you want to register is reserved";
    static constexpr const char16_t *ReservedText = u"查无资料";
    static constexpr const char16_t *FailureTitle = u"查询失败";
    static constexpr const char16_t *FailureText = u"查询失败！可能是您的网络问题问题或输入网址错误！";

private:
    void enableControls();

    ToolContext &m_context;
    QLabel *m_Label5;               // Label5: what the tool does
    QLineEdit *m_txtYuMing;         // txtYuMing: the domain typed
    QPushButton *m_cmdYuMingChaXun; // cmdYuMingChaXun: starts the query
    ResultBox *m_txtYuMingJG;       // txtYuMingJG: the whole record, labels in Chinese
};
