#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultBox;
struct ToolContext;

// The IP location tool on the panel TabIP: checks the typed address's form,
// asks the IP-location service and shows the location lines.
//
//     IpTool tool(panelTabIP, context);   // builds the panel's controls
//
// The tool is a child of the panel; the context must outlive it.
class IpTool : public QObject
{
public:
    IpTool(QWidget *panel, ToolContext &context);

    void cmdIPChaXun_Click();

    static inline const QString InitialText = QStringLiteral("    输入IP地址后按查询即可查询所在地。\r\n");
    static inline const QString RefusalText = QStringLiteral("    输入的IP地址不合法！");
    static inline const QString ProgressText = QStringLiteral("    正在查询IP所在地中......");
    static inline const QString ErrorText = QStringLiteral("发生未知错误！");
    static inline const QString StatusQuerying = QStringLiteral("正在查询中...");

private:
    ToolContext &m_context;
    QLineEdit *m_txtIP;         // txtIP: the address typed
    QPushButton *m_cmdIPChaXun; // cmdIPChaXun: starts the query
    ResultBox *m_txtIPJG;       // txtIPJG: the location lines or the refusal
};
