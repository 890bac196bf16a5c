#pragma once

#include <QObject>
#include <QString>
#include <memory>

class IcmpEcho;
class NameLookup;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultBox;
struct ToolContext;

// The host lookup tool on the panel TabZhuJi: resolves a host name, echoes
// the address once, shows the address that answered and where it stands.
// Each step of a lookup after the checks skips on an error and the next one
// runs, so a location page without its markers leaves the address line alone.
//
//     HostLookupTool tool(panelTabZhuJi, context);   // builds the panel's controls
//
// The tool is a child of the panel; the context must outlive it. Tests hand
// in their own resolver and echo through the second constructor.
class HostLookupTool : public QObject
{
public:
    // With the system resolver and echo.
    HostLookupTool(QWidget *panel, ToolContext &context);
    // With the given resolver and echo, which must outlive the tool.
    HostLookupTool(QWidget *panel, ToolContext &context, NameLookup &names, IcmpEcho &echo);
    ~HostLookupTool() override;

    void cmdZhuJiChaXun_Click();

    // The resolver's name buffer holds this many characters.
    static constexpr int NameBufferLength = 64;
    static constexpr int EchoTimeoutMs = 2000;
    static constexpr int EchoTtl = 255;
    // The site the failure texts tell the user to try with Ping.
    static inline const QString ExampleSite = QStringLiteral("www.example.com");

    static inline const QString InitialText = QStringLiteral("    输入网站网址后按查询即可查询\r\n");
    static inline const QString TooShortText = QStringLiteral("您输入过短，请核对后再试！");
    static inline const QString SchemeText = QStringLiteral("网址输入错误！");
    static inline const QString TooLongText =
        QStringLiteral("您输入的网址过长，主机名最多只能有64个字符，请核对后再试！");
    static inline const QString ResolvingText = QStringLiteral("正在解析域名中......");
    static inline const QString StatusResolving = QStringLiteral("正在解析域名中...");
    static inline const QString StatusConnecting = QStringLiteral("正在连接服务器中...");
    static inline const QString NoEchoText = QStringLiteral(
        "域名解析失败！当前网络存在问题，请使用网络修复软件修复网络（如360的LSP修复功能）");
    static inline const QString TimeoutTitle = QStringLiteral("域名解析错误");
    static QString timeoutText();
    static QString replyStatusText();
    static inline const QString ErrorText = QStringLiteral("发生未知错误！");

private:
    void build(QWidget *panel);
    void failureEnd();

    ToolContext &m_context;
    std::unique_ptr<NameLookup> m_ownNames;
    std::unique_ptr<IcmpEcho> m_ownEcho;
    NameLookup &m_names;
    IcmpEcho &m_echo;
    QLineEdit *m_txtZhuji;         // txtZhuji: the site address typed
    QPushButton *m_cmdZhuJiChaXun; // cmdZhuJiChaXun: starts the lookup
    ResultBox *m_txtZhuJiJG;       // txtZhuJiJG: the address that answered and its place
};
