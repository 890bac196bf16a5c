#pragma once

#include <QObject>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultBox;
struct ToolContext;

// The mobile-number tool on the panel TabSJ: an 11-character number is
// checked here, sent to the mobile-number service, and the registration
// place, area code, card type and post code cut out of its answer.
//
//     MobileTool tool(panelTabSJ, context);   // builds the panel's controls
//
// The tool is a child of the panel; the context must outlive it.
class MobileTool : public QObject
{
public:
    MobileTool(QWidget *panel, ToolContext &context);

    void cmdShouJiChaXun_Click();

private:
    void query(const QString &number);

    ToolContext &m_context;
    QLabel *m_lblShouJiJieShao;     // lblShouJiJieShao: what the tool does
    QLabel *m_lblShouJiHao;         // lblShouJiHao: the "手机号：" caption
    QLineEdit *m_txtShouJi;         // txtShouJi: the number typed, at most 11 characters
    QPushButton *m_cmdShouJiChaXun; // cmdShouJiChaXun: starts the query
    QLabel *m_Label24;              // Label24: the "查询结果：" caption
    ResultBox *m_txtSJJG;           // txtSJJG: the answer lines or what went wrong
};
