#include "HostLookupTool.h"

#include "IcmpEcho.h"
#include "IpLocation.h"
#include "LookupState.h"
#include "MessageBoxes.h"
#include "NameLookup.h"
#include "PanelControls.h"
#include "ProgramVersion.h"
#include "SystemIcmpEcho.h"
#include "SystemNameLookup.h"
#include "ToolContext.h"

using namespace PanelControls;

namespace {

// A step that fails has no effect and the lookup goes on with the next one.
template <typename Step>
void skipOnError(Step step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}

} // namespace

HostLookupTool::HostLookupTool(QWidget *panel, ToolContext &context)
    : QObject(panel), m_context(context), m_ownNames(std::make_unique<SystemNameLookup>()),
      m_ownEcho(std::make_unique<SystemIcmpEcho>()), m_names(*m_ownNames), m_echo(*m_ownEcho)
{
    build(panel);
}

HostLookupTool::HostLookupTool(QWidget *panel, ToolContext &context, NameLookup &names, IcmpEcho &echo)
    : QObject(panel), m_context(context), m_names(names), m_echo(echo)
{
    build(panel);
}

void HostLookupTool::build(QWidget *panel)
{
    whitePanel(panel);
    introduction(panel, "lblZhuJiJS", Twips::rect(1800, 840, 5055, 735),
                 QStringLiteral("    本功能可以查询您需要的网站服务器放置地点，如果与真实放置地点差的太远，"
                                "则可能是骗子网站。本功能来自DNS域名解析和Orvalent云数据中心。"));
    caption(panel, "lblZZURL(0)", Twips::rect(1680, 1800, 540, 255), QStringLiteral("网址："), Fonts::ui(9, true));
    m_txtZhuji = inputBox(panel, "txtZhuji", Twips::rect(2280, 1800, 3615, 375));
    m_cmdZhuJiChaXun = button(panel, "cmdZhuJiChaXun", Twips::rect(5880, 1800, 1095, 375), QStringLiteral("查询"));
    caption(panel, "lblZZURL(1)", Twips::rect(1800, 2280, 1050, 285), QStringLiteral("查询结果："),
            Fonts::ui(10.5, true));
    m_txtZhuJiJG = resultBox(panel, "txtZhuJiJG", Twips::rect(1800, 2640, 5175, 1335), true, InitialText);
    new InfoIcon(panel, "Picture2(3)", Twips::rect(1560, 2640, 240, 240),
                 QStringLiteral("主机IP是当前解析的服务器IP地址，通过查询可以得出活动服务器的所在地。"));
    connect(m_cmdZhuJiChaXun, &QPushButton::clicked, this, &HostLookupTool::cmdZhuJiChaXun_Click);
}

HostLookupTool::~HostLookupTool() = default;

QString HostLookupTool::timeoutText()
{
    return QStringLiteral("解析域名超时！可能输入的域名不存在、本机网络设置被篡改、服务器禁止域名解析（可以使用命令行Ping ")
        + ExampleSite + QStringLiteral("来解析）、DNS服务器设置错误导致。");
}

QString HostLookupTool::replyStatusText()
{
    return QStringLiteral("域名解析异常失败，出现未知错误！您的网络连接有问题，请稍后再试，"
                          "如果不能解决您可以临时执行：按Win+R输入cmd，命令行中输入Ping ")
        + ExampleSite + QStringLiteral("从结果中得到IP再用IP查询查询即可！");
}

void HostLookupTool::cmdZhuJiChaXun_Click()
{
    MessageBoxes &boxes = m_context.boxes;
    const QString name = m_txtZhuji->text();
    if (name.size() < 4) {
        boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"), TooShortText, m_context.window);
        return;
    }
    if (name.left(4) == QLatin1String("http") || name.left(3) == QLatin1String("ftp")) {
        boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"), SchemeText, m_context.window);
        return;
    }
    // What does not fit the resolver's name buffer never reaches it.
    if (name.size() > NameBufferLength) {
        boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"), TooLongText, m_context.window);
        return;
    }

    m_txtZhuji->setEnabled(false);
    m_cmdZhuJiChaXun->setEnabled(false);
    m_context.statusLine->setText(StatusResolving);
    m_txtZhuJiJG->setText(ResolvingText);

    // A name that does not resolve leaves 0.0.0.0, which the echo answers
    // with "no reply".
    Ipv4Address destination{};
    skipOnError([&] {
        if (const auto address = m_names.firstIpv4(name))
            destination = *address;
    });

    std::unique_ptr<IcmpEcho::Handle> echo = m_echo.open();
    if (!echo) {
        boxes.show(MessageBoxes::Icon::None, QStringLiteral("Kordelvane"), NoEchoText, m_context.window);
        failureEnd();
        return;
    }
    const std::optional<IcmpEcho::Reply> reply = echo->send(destination, QByteArray(32, 'A'), EchoTtl, EchoTimeoutMs);
    if (!reply) {
        boxes.show(MessageBoxes::Icon::Critical, TimeoutTitle, timeoutText(), m_context.window);
        echo.reset();
        failureEnd();
        return;
    }
    // The address that answered, not the one resolved.
    const QString dotted = DottedAddress(reply->from);
    if (reply->status != 0) {
        boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"), replyStatusText(), m_context.window);
        echo.reset();
        failureEnd();
        return;
    }
    echo.reset();

    m_txtZhuJiJG->setText(QStringLiteral("主机IP地址：") + dotted + QStringLiteral("\r\n"));
    m_context.statusLine->setText(StatusConnecting);
    skipOnError([&] { m_context.state.PageText = IpLocation::request(m_context.fetcher, dotted); });
    skipOnError([&] {
        LookupState &state = m_context.state;
        m_txtZhuJiJG->setText(m_txtZhuJiJG->text() + QStringLiteral("活动主机所在地：\r\n")
                              + IpLocation::cut(state.PageText, state.CutEnd, state.CutEnd2));
    });
    skipOnError([&] { m_txtZhuJiJG->setText(IpLocation::rewrite(m_txtZhuJiJG->text())); });
    m_cmdZhuJiChaXun->setEnabled(true);
    m_txtZhuji->setEnabled(true);
    m_context.statusLine->setText(ProductTitle());
}

void HostLookupTool::failureEnd()
{
    m_context.statusLine->setText(ProductTitle());
    m_txtZhuJiJG->setText(ErrorText);
    m_cmdZhuJiChaXun->setEnabled(true);
    m_txtZhuji->setEnabled(true);
}
