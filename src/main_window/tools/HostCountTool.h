#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <memory>

class LookupProcess;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultBox;
struct ToolContext;

// The host count tool on the panel TabShuLiang: runs the name-server lookup
// for a domain with its output in a work file, shows that output tidied so
// each address stands on its own line.
//
// The lookup program is started directly with the domain as its one
// argument, never through a shell. The wait for it processes window events
// and ends when the program has ended, or at the bound.
//
//     HostCountTool tool(panelTabShuLiang, context);   // builds the panel's controls
//
// The tool is a child of the panel; the context must outlive it. Tests hand
// in their own lookup program, work folder and bound.
class HostCountTool : public QObject
{
public:
    static constexpr std::chrono::milliseconds DefaultBound{30000};

    // With nslookup, the per-user work folder and the 30-second bound.
    HostCountTool(QWidget *panel, ToolContext &context);
    // With the given lookup program (it must outlive the tool), work folder
    // and bound.
    HostCountTool(QWidget *panel, ToolContext &context, LookupProcess &lookup, QString workFolder,
                  std::chrono::milliseconds bound = DefaultBound);
    ~HostCountTool() override;

    void cmdGO_Click();

    // The user's cache folder + "/ORVN".
    static QString defaultWorkFolder();
    QString workFile() const;

    static inline const QString SchemeText =
        QStringLiteral("输入时禁止输入“http”和“ftp”否则无法查询！请去掉！错误号#03");
    static inline const QString OptionText =
        QStringLiteral("输入的域名不能以“-”开头，否则无法查询！请去掉！");
    static inline const QString WaitingText = QStringLiteral("正在查询服务器主机信息中...");
    static inline const QString NoAnswerText = QStringLiteral(
        "    没有得到查询结果：nslookup组件没有输出任何内容或长时间没有响应。请检查网络连接，"
        "若仍不能查询则说明系统nslookup组件存在问题。");

private:
    void build(QWidget *panel);
    bool waitForLookup();

    ToolContext &m_context;
    std::unique_ptr<LookupProcess> m_ownLookup;
    LookupProcess &m_lookup;
    QString m_workFolder;
    std::chrono::milliseconds m_bound;
    QLineEdit *m_txtSLURL; // txtSLURL: the domain typed
    QPushButton *m_cmdGO;  // cmdGO: starts the lookup
    QLineEdit *m_Text6;    // Text6: never shown, holds the TAB the tidying removes
    ResultBox *m_txtSLJG;  // txtSLJG: the tidied lookup output
};
