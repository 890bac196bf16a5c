// Every text the user reads, written out here letter for letter, against what
// the program holds. The behaviour tests compare the windows with the
// program's own constants, so a wrong character in a constant would pass
// them; this table is the one place that holds the texts independently.
// Full-width punctuation, blanks and line breaks count like any character.

#include "BarcodeAnswer.h"
#include "BarcodeTool.h"
#include "FileTool.h"
#include "Form2.h"
#include "Form3.h"
#include "Form4.h"
#include "Form5.h"
#include "Form6.h"
#include "HostCountTool.h"
#include "HostLookupTool.h"
#include "InstallationChecks.h"
#include "IpTool.h"
#include "MainWindowFixture.h"
#include "PageFetcher.h"
#include "PostTool.h"
#include "ProgramVersion.h"
#include "ReportPage.h"
#include "RunRandom.h"
#include "SelectorControl.h"
#include "TrustResult.h"
#include "Command.h"
#include "ResultBox.h"
#include "TelephoneTool.h"
#include "ToolPanelRig.h"
#include "TrafficRankTool.h"
#include "UrlSafetyTool.h"
#include "UrlSafetyVerdict.h"
#include "VerifyFileSignature.h"
#include "WhoisTool.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

namespace {

// What a window's control shows: with "tip" its tooltip, with "title" its
// window title, otherwise its caption or text.
QString shownText(QObject *object, const QString &aspect)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (aspect == QLatin1String("tip"))
        return widget ? widget->toolTip() : QString();
    if (aspect == QLatin1String("title"))
        return widget ? widget->windowTitle() : QString();
    if (auto *selector = qobject_cast<SelectorControl *>(object))
        return selector->Caption();
    if (auto *command = qobject_cast<Command *>(object))
        return command->Caption();
    if (auto *box = qobject_cast<QCheckBox *>(object))
        return box->text();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(object); plain && !qobject_cast<ResultBox *>(object))
        return plain->toPlainText();
    if (auto *action = qobject_cast<QAction *>(object))
        return action->text();
    if (auto *menu = qobject_cast<QMenu *>(object))
        return menu->title();
    return widget ? shownText(widget) : QString();
}

} // namespace

class TstUserTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void constants_data();
    void constants();
    void windowTexts_data();
    void windowTexts();
    void componentList();

private:
    std::unique_ptr<MainWindowFixture> m_main;
    RecordingFatalEnd m_fatalEnd;
    PageFetcher m_fetcher{m_fatalEnd};
    RecordingMessageBoxes m_boxes;
    RecordingShellOpen m_shell;
    RunRandom m_random;
    RecordingBrowserFactory m_browsers;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<Form3> m_form3;
    std::unique_ptr<Form4> m_form4;
    std::unique_ptr<Form5> m_form5;
};

void TstUserTexts::initTestCase()
{
    m_main = std::make_unique<MainWindowFixture>(MainWindowFixture::Files{}, false);
    m_form2 = std::make_unique<Form2>(m_fetcher, m_random);
    m_form4 = std::make_unique<Form4>(m_fetcher, m_boxes, m_shell, ProgramFolder(m_main->dir.path()),
                                      Form4::ClosePictures{});
    m_form5 = std::make_unique<Form5>();
    m_form3 = std::make_unique<Form3>(
        Form3::Dependencies{m_boxes, m_browsers, ProgramFolder(m_main->dir.path()), {}, {}, {}, [] {}});
}

void TstUserTexts::constants_data()
{
    QTest::addColumn<QString>("constant");
    QTest::addColumn<QString>("written");

    auto row = [](const char *name, const QString &constant, const QString &written) {
        QTest::newRow(name) << constant << written;
    };

    // Version and title.
    row("ProgramVersion", ProgramVersion, "5.5");
    row("ProductTitle()", ProductTitle(), "Orvalent 5.5");

    // The page fetch's fatal box.
    row("PageFetcher::FatalTitle", QString::fromUtf8(PageFetcher::FatalTitle), "发生严重错误");
    row("PageFetcher::FatalText", QString::fromUtf8(PageFetcher::FatalText),
        "在数据访问过程中发生严重错误，可能是您没有联网、带宽资源不足。程序将自动退出！");

    // IP location tool.
    row("IpTool::InitialText", IpTool::InitialText, "    输入IP地址后按查询即可查询所在地。\r\n");
    row("IpTool::RefusalText", IpTool::RefusalText, "    输入的IP地址不合法！");
    row("IpTool::ProgressText", IpTool::ProgressText, "    正在查询IP所在地中......");
    row("IpTool::ErrorText", IpTool::ErrorText, "发生未知错误！");
    row("IpTool::StatusQuerying", IpTool::StatusQuerying, "正在查询中...");

    // Host lookup tool.
    row("HostLookupTool::InitialText", HostLookupTool::InitialText, "    输入网站网址后按查询即可查询\r\n");
    row("HostLookupTool::TooShortText", HostLookupTool::TooShortText, "您输入过短，请核对后再试！");
    row("HostLookupTool::SchemeText", HostLookupTool::SchemeText, "网址输入错误！");
    row("HostLookupTool::ResolvingText", HostLookupTool::ResolvingText, "正在解析域名中......");
    row("HostLookupTool::StatusResolving", HostLookupTool::StatusResolving, "正在解析域名中...");
    row("HostLookupTool::StatusConnecting", HostLookupTool::StatusConnecting, "正在连接服务器中...");
    row("HostLookupTool::NoEchoText", HostLookupTool::NoEchoText,
        "域名解析失败！当前网络存在问题，请使用网络修复软件修复网络（如360的LSP修复功能）");
    row("HostLookupTool::TimeoutTitle", HostLookupTool::TimeoutTitle, "域名解析错误");
    row("HostLookupTool::timeoutText()", HostLookupTool::timeoutText(),
        QStringLiteral("解析域名超时！可能输入的域名不存在、本机网络设置被篡改、服务器禁止域名解析（可以使用命令行Ping ") +
            HostLookupTool::ExampleSite + QStringLiteral("来解析）、DNS服务器设置错误导致。"));
    row("HostLookupTool::replyStatusText()", HostLookupTool::replyStatusText(),
        QStringLiteral("域名解析异常失败，出现未知错误！您的网络连接有问题，请稍后再试，如果不能解决您可以临时执行：按Win+R输入"
                       "cmd，命令行中输入Ping ") +
            HostLookupTool::ExampleSite + QStringLiteral("从结果中得到IP再用IP查询查询即可！"));
    row("HostLookupTool::ErrorText", HostLookupTool::ErrorText, "发生未知错误！");

    // Host count tool.
    row("HostCountTool::SchemeText", HostCountTool::SchemeText,
        "输入时禁止输入“http”和“ftp”否则无法查询！请去掉！错误号#03");
    row("HostCountTool::WaitingText", HostCountTool::WaitingText, "正在查询服务器主机信息中...");

    // Whois tool.
    row("WhoisTool::ProgressText", QString::fromUtf16(WhoisTool::ProgressText), "正在查询域名信息中...");
    row("WhoisTool::ReservedText", QString::fromUtf16(WhoisTool::ReservedText), "查无资料");
    row("WhoisTool::FailureTitle", QString::fromUtf16(WhoisTool::FailureTitle), "查询失败");
    row("WhoisTool::FailureText", QString::fromUtf16(WhoisTool::FailureText),
        "查询失败！可能是您的网络问题问题或输入网址错误！");

    // Traffic-rank tool.
    row("TrafficRankTool::WorldCaption", QString::fromUtf16(TrafficRankTool::WorldCaption), "全球流量排名：");
    row("TrafficRankTool::ChinaCaption", QString::fromUtf16(TrafficRankTool::ChinaCaption), "中国流量排名：");
    row("TrafficRankTool::NoRankText", QString::fromUtf16(TrafficRankTool::NoRankText), "没有排名数据");

    // File safety panel.
    row("FileTool::DialogTitle", QString::fromUtf8(FileTool::DialogTitle), "请选择文件");
    row("FileTool::CheckingSignatureText", FileTool::CheckingSignatureText, "正在验证文件签名及附加信息中......");
    QVERIFY(QString::fromUtf8(FileTool::DialogFilter).startsWith(QStringLiteral("Digital Ceramic Files(*.exe);(*.dll);(*.sys)")));

    // URL-safety tool.
    row("UrlSafetyVerdict::ProgressText", UrlSafetyVerdict::ProgressText, "正在对该网站进行云鉴定，请稍候......");
    row("UrlSafetyTool::StatusAnalysing", UrlSafetyTool::StatusAnalysing, "正在分析网址...");
    row("UrlSafetyTool::StatusReadingVerdict", UrlSafetyTool::StatusReadingVerdict, "正在查询云安全中心返回的结果......");

    // Barcode tools.
    row("BarcodeTool::ProgressText", BarcodeTool::ProgressText, "正在查询条形码中......");
    row("BarcodeTool::ValidText", BarcodeTool::ValidText, "    本地鉴定您所输入的条形码合法！如您没有进行厂商识别请鉴定。");
    row("BarcodeTool::FakeText", BarcodeTool::FakeText,
        "    您输入的条形码是假的！该条形码所对应的商品是假冒产品。如果鉴定有问题请核对条形码是否输入正确！");
    row("BarcodeAnswer::NotListedText", BarcodeAnswer::NotListedText, "您查询的条形码未收录！");
    row("BarcodeAnswer::WrongPrefixText", BarcodeAnswer::WrongPrefixText, "请输入正确的前7位或前8位条形码！");
    row("BarcodeAnswer::CompanyLabel", BarcodeAnswer::CompanyLabel, "公司名称：");
    row("BarcodeAnswer::CreditLabel", BarcodeAnswer::CreditLabel, "企业信用：");

    // Telephone and e-mail tools.
    row("TelephoneTool::ShortNumberText", TelephoneTool::ShortNumberText, "电话号码格式为 010-12345678 ！");
    row("TelephoneTool::CheckingText", TelephoneTool::CheckingText, "正在检查电话号码地址中...");
    row("TelephoneTool::ConnectingText", TelephoneTool::ConnectingText, "正在连接服务器中...");
    row("TelephoneTool::RateLimitedText", TelephoneTool::RateLimitedText, "没有查找到该号码的地理位置。");
    row("TelephoneTool::LookupErrorText", TelephoneTool::LookupErrorText, "发生错误。");
    row("TelephoneTool::ErrorTitle", TelephoneTool::ErrorTitle, "错误");
    row("TelephoneTool::UnknownErrorText", TelephoneTool::UnknownErrorText, "出现未知错误！");
    row("TelephoneTool::NotWholeText", TelephoneTool::NotWholeText, "区号和电话号码必须是数字！");
    row("TelephoneTool::EmailHelpTitle", TelephoneTool::EmailHelpTitle, "Email所在地查询方法");
    row("TelephoneTool::EmailHelpText", TelephoneTool::EmailHelpText,
        QStringLiteral("1、Outlook：在邮件上点击右键，选择属性，选择“常规资料”中的Received from xx.xx.xx.xx或者X-Originating-IP "
                       "xx.xx.xx.xx就是对方的IP地址。") +
            QString(12, QLatin1Char(' ')) +
            QStringLiteral("2、Foxmail：按“Ctrl+I”组合键，查看邮件的“原始信息”，其中Received from xx.xx.xx.xx或者"
                           "X-Originating-IP xx.xx.xx.xx就是对方的IP地址。") +
            QString(15, QLatin1Char(' ')) +
            QStringLiteral("3、Web页面虚拟信箱：选择邮件后点击“高级动作”中的“查看信头”或者点击“原文”、或者点击“邮件头信息”"
                           "其中Received from xx.xx.xx.xx或者X-originating-IP xx.xx.xx.xx就是对方的IP地址。"));

    // Post-code tool.
    row("PostTool::SearchingText", PostTool::SearchingText, "查询中......");
    row("PostTool::NotFoundText", PostTool::NotFoundText, "查无资料");
    row("PostTool::ErrorText", PostTool::ErrorText, "出现错误！请检查输入是否正确，若输入正确有可能是网络问题导致。");

    // Start-up window.
    row("Form6::ConnectingText", Form6::ConnectingText, "正在连接云数据中心并检查软件版本中......");
    row("Form6::CheckingFilesText", Form6::CheckingFilesText, "正在校验文件完整性......");
    row("Form6::FirstRunMarker", Form6::FirstRunMarker, "\\Reg.key");
    row("Form6::FirstRunMarkerLine", Form6::FirstRunMarkerLine, "Zavoz Software");

    // Signature verdicts.
    row("VerdictForResult(Valid)", VerdictForResult(TrustResult::Valid).text,
        "该文件已经包含合法的数字签名，发布者已通过验证！");
    row("VerdictForResult(NoSignature)", VerdictForResult(TrustResult::NoSignature).text,
        "您选择的文件没有数字签名，发布者未通过验证！");
    row("VerdictForResult(ExplicitDistrust)", VerdictForResult(TrustResult::ExplicitDistrust).text,
        "该文件包含数字签名，但可能已失效，通常是签名过期或签名已无效！");
    row("VerdictForResult(SecuritySettings)", VerdictForResult(TrustResult::SecuritySettings).text,
        "不能验证该文件数字签名状态，可能损坏，文件未通过验证");
    row("VerdictForResult(SubjectNotTrusted)", VerdictForResult(TrustResult::SubjectNotTrusted).text,
        "该文件包含数字签名，但是无效！");
    row("VerdictForResult(other)", VerdictForResult(TrustResult::Expired).text,
        "该文件有数字签名！发布者未通过验证，证书颁发机构未通过验证，请小心谨慎运行！");

    // The installation checks' messages, in their order.
    const QList<InstallationCheck> &checks = InstallationChecks();
    if (checks.size() != 4)
        QFAIL("four installation checks");
    row("InstallationChecks()[0]", checks.at(0).message, "Graphic资源丢失！您可能从小网站下载了本软件。请重新下载本软件！");
    row("InstallationChecks()[1]", checks.at(1).message, "数据文件丢失！您可能从小网站下载了本软件。请重新下载本软件！");
    row("InstallationChecks()[2]", checks.at(2).message, "相关组件丢失！您可能从小网站下载了本软件。请重新下载本软件！");
    row("InstallationChecks()[3]", checks.at(3).message, "运行环境丢失！请重新下载本软件！");

    // Report window's status line.
    row("ReportPage::Connecting", ReportPage::Connecting, "正在连接网站举报中心接口中，请稍候......");
    row("ReportPage::Connected", ReportPage::Connected, "已成功连接到举报中心服务器接口！");
    row("ReportPage::Submitting", ReportPage::Submitting, "正在提交您所举报的信息......");
    row("ReportPage::Reported", ReportPage::Reported, "举报成功！");
}

void TstUserTexts::constants()
{
    QFETCH(QString, constant);
    QFETCH(QString, written);
    QCOMPARE(constant, written);
}

void TstUserTexts::windowTexts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("aspect");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("whole");

    auto row = [](const char *window, const char *path, const char *aspect, const QString &written,
                  bool whole = true) {
        QTest::newRow(qPrintable(QStringLiteral("%1.%2 %3").arg(QLatin1String(window), QLatin1String(path),
                                                                 QLatin1String(aspect))))
            << QString::fromLatin1(window) << QString::fromLatin1(path) << QString::fromLatin1(aspect) << written
            << whole;
    };
    const char *text = "text";
    const char *tip = "tip";

    // Main window shell.
    row("Form1", "Label3", text,
        QStringLiteral("网上购物怕上当吗？\r\n网上交友怕受骗吗？ \r\n"
                       "怎么才能在网上安全地进行购物和交友呢？根据犯罪心理学，我们在分析了数万则网上受骗案例后，总结出一整套Orvan方法，"
                       "经过整理后我们开发了此防骗工具软件---Orvalent。\r\n"
                       "Orvalent是一套网上购物和网上交友的辅助软件，它集合了当前所有的网上鉴别功能，是迄今最为全面的网络鉴别工具，"
                       "可以轻松鉴别出网站、网友的可信度。"),
        false);
    row("Form1", "Label4", text, "适用类型：网上交易、购物、交友、游戏。");
    row("Form1", "Label1", text, "Orvalent");
    row("Form1", "Label2", text, "已连接Valentor云数据中心");
    row("Form1", "Label2", tip, "获取地理位置信息有助于更好地为您选择更快的服务器");
    row("Form1", "mnuMenu", text, "菜单");
    row("Form1", "mnuJB", text, "举报恶意网站");
    row("Form1", "mnuLX", text, "联系方式");
    row("Form1", "mnuHelp", text, "帮助");
    row("Form1", "mnuUpdate", text, "检查更新");
    row("Form1", "mnuAbout", text, "关于");

    // Tabs and side-bar items.
    row("Form1", "Tab1", text, "初级鉴别");
    row("Form1", "Tab2", text, "中级鉴别");
    row("Form1", "Tab3", text, "高级鉴别");
    row("Form1", "Tab4", text, "增值服务");
    row("Form1", "FrmSJ", text, "手机归属查询");
    row("Form1", "FrmIP", text, "IP地址查询");
    row("Form1", "FrmSFZ", text, "身份证校验");
    row("Form1", "FrmYM", text, "域名信息查询");
    row("Form1", "FrmFile", text, "文件安全校验");
    row("Form1", "FrmPost", text, "邮政编码查询");
    row("Form1", "frmZhuJi", text, "主机位置查询");
    row("Form1", "frmRenQi", text, "网站流量排名查询");
    row("Form1", "frmLiuXing", text, "网站流行度查询");
    row("Form1", "frmShuLiang", text, "网站主机数量查询");
    row("Form1", "frmICP", text, "网站ICP备案查询");
    row("Form1", "frmGongShang", text, "工商查询");
    row("Form1", "frmTel", text, "Email及固话查询");
    row("Form1", "frmUSSafe", text, "网址安全云鉴定");
    row("Form1", "frmTB", text, "淘宝店铺信用查询");
    row("Form1", "frmTXM", text, "商品条形码查询");
    row("Form1", "frmShui", text, "发票真伪查询");

    // IP location panel.
    row("TabIP", "lblIPDZ(0)", text, "IP地址：");
    row("TabIP", "cmdIPChaXun", text, "查询");
    row("TabIP", "lblIPDZ(1)", text, "查询结果：");
    row("TabIP", "txtIPJG", text, "    输入IP地址后按查询即可查询所在地。\r\n");
    row("TabIP", "lblIPJieShao", text,
        "    本功能可以查询对方IP地址的所在地区，结果将会精确到网吧/省市/区县。IP地址的最后一个区位数字在隐藏情况下可以用1个“*”代替。",
        false);

    // Mobile-number panel.
    row("TabSJ", "lblShouJiJieShao", text,
        "    本功能可以查询对方电话号码的所在地，网上购物时，如果对方的手机号与网页上显示地址不一致，那么对方可能是骗子。"
        "本功能来自Orvalent云数据中心及中国移动通信集团公司。");
    row("TabSJ", "lblShouJiHao", text, "手机号：");
    row("TabSJ", "cmdShouJiChaXun", text, "查询");
    row("TabSJ", "Label24", text, "查询结果：");
    row("TabSJ", "txtSJJG", text, "    输入手机号码即可查询。");

    // Host lookup panel.
    row("TabZhuJi", "lblZhuJiJS", text,
        "    本功能可以查询您需要的网站服务器放置地点，如果与真实放置地点差的太远，则可能是骗子网站。"
        "本功能来自DNS域名解析和Orvalent云数据中心。");
    row("TabZhuJi", "lblZZURL(0)", text, "网址：");
    row("TabZhuJi", "cmdZhuJiChaXun", text, "查询");
    row("TabZhuJi", "lblZZURL(1)", text, "查询结果：");
    row("TabZhuJi", "Picture2(3)", tip, "主机IP是当前解析的服务器IP地址，通过查询可以得出活动服务器的所在地。");
    row("TabZhuJi", "txtZhuJiJG", text, "    输入网站网址后按查询即可查询\r\n");

    // Host count panel.
    row("TabShuLiang", "Label8", text,
        "    本功能可以查询您需要了解的网站主机数量，骗子网站一般只有一个主机地址，如果一个网站有两个以上的主机，"
        "可信度就比较高了。（主机数量多少请看检查结果最后边有多少个IP地址）若不能查询则说明系统nslookup组件存在问题，"
        "请联系系统管理员或重装系统修复组件。本功能由系统nslookup组件提供。");
    row("TabShuLiang", "Label7", text, "域名：");
    row("TabShuLiang", "cmdGO", text, "查询");
    row("TabShuLiang", "Text6", text, "\t");

    // ID-card panel.
    row("TabSFZ", "lblSFZJieShao", text,
        "    本功能可以检验身份证的真实性，以及发证地点，身份证人的性别出生日期。"
        "本功能来自Orvalent身份证验证模块及全国公民身份证号码查询服务中心。");
    row("TabSFZ", "lblShuRuSFZ", text, "输入身份证：");
    row("TabSFZ", "cmdShenFenZhengChaXun", text, "查询");
    row("TabSFZ", "lblXingBie", text, "性别：");
    row("TabSFZ", "Picture2(4)", tip, "性别根据号码第15-17位得出。");
    row("TabSFZ", "lblChuSheng", text, "出生日期：");
    row("TabSFZ", "lblSFZSuoZai", text, "发证地：");
    row("TabSFZ", "lblZW", text, "校验结果：未知");
    row("TabSFZ", "Picture2(5)", tip, "校验结果为根据号码本地及联网鉴定得出结果。");

    // Whois panel.
    row("TabYM", "Label5", text,
        "    本功能可以查询任何网站的联系人、服务器放置地点、联系电话、Email、传真、域名注册日期、结束日期以及域名状态等信息。"
        "骗子网站注册时间距离现在都非常近且信息填写不详细，通过这点可以判断是否为骗子网站。");
    row("TabYM", "lblYuMing", text, "域名：");
    row("TabYM", "cmdYuMingChaXun", text, "查询");

    // Traffic-rank panel.
    row("TabRenQi", "lblRenQiJS", text,
        "    本功能可以查询您需要了解的网站的全球流量排名情况，骗子网站无论如何伪装，其流量等人气指标是无法伪装出来的。"
        "查询结果来自第三方权威机构Alexa接口。");
    row("TabRenQi", "lblRenQiURL", text, "网址：");
    row("TabRenQi", "cmdRenQiChaxun", text, "查询");
    row("TabRenQi", "Picture2(0)", tip,
        "全球流量排名指的是一个网站在当前在全球范围内的流量排名，大网站的排名在100,000之前，之后的为小网站。");
    row("TabRenQi", "lblRenQi", text, "全球流量排名：");
    row("TabRenQi", "Picture2(1)", tip, "中国流量排名指的是一个网站在中国区的流量排名，通常40,000之前为小网站。");
    row("TabRenQi", "lblZG", text, "中国流量排名：");

    // Page-rank panel.
    row("TabLiuXing", "lblLiuXingJS", text,
        "本功能可以查询全球最有名的两大搜索引擎对您需要查询网站的综合等级评价，骗子网站无论如何伪装，其等级评价都是极低的。"
        "查询结果来自Google Page Rank及Orvalent云数据中心。");
    row("TabLiuXing", "lblLiuXingURL", text, "网址：");
    row("TabLiuXing", "cmdLiuXingChaXun", text, "查询");
    row("TabLiuXing", "Picture2(2)", tip,
        "流行度指的是一个网站网页质量，得分根据网站质量、页面等级、流行程度等多方面进行评测得出的结果。");
    row("TabLiuXing", "lblLiuXing", text, "网站流行度：");

    // File safety panel.
    row("TabQM", "Label6", text, "文件路径：");
    row("TabQM", "cmdFile", text, "查询");
    row("TabQM", "cmdSHA1", text, "验证SHA1");
    row("TabQM", "cmdMD5", text, "验证MD5");
    row("TabQM", "cmdCer", text, "验证数字签名");
    row("TabQM", "Label9", text, "请选择一个文件");
    row("TabQM", "Label10", text,
        "    哪些文件包含数字签名？只有可执行文件、dll文件等才存在数字签名，音视频文件通常没有数字签名。"
        "所以本功能仅适用于对exe、dll、sys等可进行数字签名文件的验证。");
    row("TabQM", "Label11", text,
        "    验证数字签名意义：正规软件厂商发布的软件均会含有合法且通过验证发布者的数字签名，病毒等非法文件没有数字签名或有数字"
        "签名但没通过验证，通过这点您可以查询出文件的合法性及安全性。通常Win98/2000的程序没有数字签名，这是正常现象。"
        "文件越大验证所需时间越长。");
    row("TabQM", "Label25", text, "    本功能来自Orvalent文件数字签名验证模块及相关数字签名证书颁发机构。");

    // URL-safety panel.
    row("TabUS", "Label13", text, "本功能可以查询您需要了解的网站是否安全，输入网站主页即可，不要查询旗下的网站。");
    row("TabUS", "Label14", text, "网址：");
    row("TabUS", "cmdUS", text, "鉴定");
    row("TabUS", "Label33", text, "结果：");
    row("TabUS", "txtUSJG", text, "查询结果详细说明.");
    row("TabUS", "Command12", text, "举报该网站");

    // Barcode panel.
    row("TabTXM", "Label29", text,
        "    查询条形码请输入完整13位条形码，提供两种功能，厂商识别可以调出厂家及厂家信用（不能查询图书等出版物），"
        "真伪鉴定用于鉴定条形码真伪（可以查询一切商品）。");
    row("TabTXM", "Label27", text, "条形码：");
    row("TabTXM", "cmdTXM", text, "厂商识别");
    row("TabTXM", "Command1", text, "真伪鉴定");
    row("TabTXM", "Text4", text, "查询结果");

    // Telephone panel.
    row("TabTel", "lblTelJS", text,
        "    本功能可以指导您通过对方固定电话查询对方所在地的具体位置（大概是街道区域），标志性建筑等信息。"
        "本功能由Orvalent云数据中心提供。");
    row("TabTel", "Label15", text, "数据库式查询：");
    row("TabTel", "lblTel(0)", text, "电话：");
    row("TabTel", "cmdTelChaXun", text, "查询");
    row("TabTel", "Label16", text, "范围式查询：");
    row("TabTel", "Label17", text,
        QStringLiteral("如果在左边数据库中无法查询您需要查询的电话号码所在地，您还可以尝试使用范围式查询，"
                       "因为同号段电话号码位置在同一地区，优点：范围大，结果全面。") +
            QString(23, QLatin1Char(' ')) + QStringLiteral("格式：010-88888888"));
    row("TabTel", "lblTel(1)", text, "电话：");
    row("TabTel", "Label19", text, "区号");
    row("TabTel", "Label20", text, "电话号码");
    row("TabTel", "Label18", text, "-");
    row("TabTel", "Command5", text, "查询");
    row("TabTel", "Command4", text, "查询Email所在地");

    // Post-code panel.
    row("TabPost", "Label26", text,
        "本功能可以查询邮政编码所在地，结果会很多。数据来自国家邮政局。显示的所有结果均在邮政编码范围之内。");
    row("TabPost", "Label28", text, "邮政编码：");
    row("TabPost", "cmdPost", text, "查询");

    // Paid-services box.
    row("Form2", "Form2", "title", "增值服务页面");
    row("Form2", "Label2", text, "Orvalent增值服务");
    row("Form2", "Label1", text,
        "    我们提供以下几种增值服务，人工服务，需要收取一定费用。由于此类难以有特殊的方法来鉴别，"
        "所以我们从5.4版本开始推出增值服务，主要查询个人的手机、QQ、淘宝等进行人工鉴定。性质类似于防骗数据库。"
        "本软件经过6年努力已经收集到数十万诈骗手机、QQ、淘宝信息。");
    row("Form2", "Label10", text, "上周有 位网友使用增值服务");
    row("Form2", "Label3(0)", text, "一、QQ号安全鉴定。5元/次");
    row("Form2", "Label4", text, "工作人员通过调出QQ近期记录及主要活动判断是否为骗子。");
    row("Form2", "Label3(1)", text, "二、手机号安全鉴定。5元/次");
    row("Form2", "Label5", text, "工作人员通过调出手机号近期记录及主要活动判断是否为骗子。");
    row("Form2", "Label3(2)", text, "三、淘宝安全鉴定。5元/次");
    row("Form2", "Label6", text, "工作人员通过调查淘宝店铺后台来判断是否位骗子。");
    row("Form2", "Label3(3)", text, "四、自由鉴定。10元起");
    row("Form2", "Label7", text, "提供自由的防骗服务，适合于有个别需要的人员。");
    row("Form2", "Label11", text, "增值服务详细使用方法请查阅使用说明书.pdf文件");
    row("Form2", "Command1", text, "关闭页面");

    // Update window (after its load).
    row("Form4", "Form4", "title", "在线升级");
    row("Form4", "Label8", text,
        "    本软件定期会发布新版本，通常每个月都会有2-3次更新，新版本会修正旧版本的大量漏洞并更新服务器的查询接口，"
        "如果不升级则很多功能不能正常使用，更新接口通常是机构、政府的网站，敬请谅解。如果有新版本会告知您，"
        "您可以点击“下载新版本”到官方指定地点进行下载新版本。本软件针对个人、家庭用户永久免费，请谨慎任何收费行为。");
    row("Form4", "Label1", text, "更新详细内容：");
    row("Form4", "Text1", text, "更新内容介绍");
    row("Form4", "Label4", text, "本地版本：5.5");
    row("Form4", "Label5", text, "最新版本：点击“检查更新”获取");
    row("Form4", "Label2", text, "准备就绪");
    row("Form4", "Command1", text, "检查更新");
    row("Form4", "Command2", text, "下载新版本");
    row("Form4", "Command3", text, "关闭更新页面");

    // Report window.
    row("Form3", "Form3", "title", "恶意网站举报");
    row("Form3", "Label1", text, "提示：被举报网站经核实有木马、钓鱼、欺诈等行为，将阻止其在互联网中传播，情节严重的屏蔽。");
    row("Form3", "Label2(0)", text, "一、填写举报网站");
    row("Form3", "Label3(1)", text, "网站/网店网址：");
    row("Form3", "cmdT", text, "获取网页标题");
    row("Form3", "Picture2(4)", tip, "名称指的是网页的标题。");
    row("Form3", "Label3(0)", text, "网站/网店名称：");
    row("Form3", "Label5", text, "举报须知");
    row("Form3", "Label4(0)", text, "1.应保证所举报内容与事实一致，若捏造、诋毁将不能通过审核。");
    row("Form3", "Label4(1)", text, "2.请填写详细信息，以便举报成功。");
    row("Form3", "Label2(1)", text, "二、选择举报类别 ");
    row("Form3", "Picture2(0)", tip, "本项请认真填写，否则可能不能审核通过，可以多选。选错、乱选情况下审核所需时间会很长。");
    const char *categories[][2] = {
        {"挂马网站", "网站带有木马或者恶意行为。"},
        {"赌球博彩", "出售六合彩预测，赌球内幕资料。"},
        {"荐股诈骗", "以推荐黑马股票等名义诈骗会员费。"},
        {"假冒下载站", "模拟官方网站做下载。"},
        {"假办信用卡", "代办信用卡的网站。"},
        {"假冒官网", "模仿官方登录的网站。"},
        {"兜售假药", "销售假药的网站。"},
        {"其它", "其它类型的不良网站。"},
        {"彩票预测", "诱骗网民付费购买彩票预测结果。"},
        {"虚假购物", "伪装淘宝钓鱼、假机票、假网游交易平台等消费陷阱。"},
        {"虚假中奖", "假冒QQ、CCTV等知名机构和网游公司的中奖骗局。"},
        {"传播病毒", "下载链接或者软件中带有木马病毒。"},
    };
    for (int i = 0; i < 12; ++i) {
        const QByteArray name = "Check1(" + QByteArray::number(i) + ")";
        row("Form3", name.constData(), text, QString::fromUtf8(categories[i][0]));
        row("Form3", name.constData(), tip, QString::fromUtf8(categories[i][1]));
    }
    row("Form3", "Label3(2)", text, "请详细填写举报网站理由：");
    row("Form3", "Text3", tip, "请务必准确填写理由，以便快速阻断恶意网站传播。");
    row("Form3", "Label2(2)", text, "三、联系方式");
    row("Form3", "Label3(3)", text, "您的邮箱：");
    row("Form3", "Label3(4)", text, "验证码：");
    row("Form3", "Label6", text, "正在连接网站举报中心接口中，请稍候......");
    row("Form3", "Command1", text, "举报");
    row("Form3", "Command2", text, "清空");
    row("Form3", "Command3", text, "关闭举报页面");

    // About box.
    row("Form5", "Form5", "title", "关于");
    row("Form5", "Label7", text, "产品图标：");
    row("Form5", "Label1", text, "产品名称：Orvalent");
    row("Form5", "Label2", text, "产品版本：5.5");
    row("Form5", "Label5", text, "已安装的组件：");
}

void TstUserTexts::windowTexts()
{
    QFETCH(QString, window);
    QFETCH(QString, path);
    QFETCH(QString, aspect);
    QFETCH(QString, written);
    QFETCH(bool, whole);

    QObject *holder = nullptr;
    if (window == QLatin1String("Form2"))
        holder = m_form2.get();
    else if (window == QLatin1String("Form4"))
        holder = m_form4.get();
    else if (window == QLatin1String("Form3"))
        holder = m_form3.get();
    else if (window == QLatin1String("Form5"))
        holder = m_form5.get();
    else if (window == QLatin1String("Form1"))
        holder = m_main->form.get();
    else
        holder = m_main->form->findChild<QWidget *>(window);
    QVERIFY2(holder, qPrintable(window));

    QObject *object = path == window ? holder : nullptr;
    if (!object && window.startsWith(QLatin1String("Form"))) {
        // The window's own controls, not a panel's of the same name.
        object = holder->findChild<QObject *>(path, Qt::FindDirectChildrenOnly);
        if (!object)
            for (QObject *child : holder->children())
                if (!child->objectName().startsWith(QLatin1String("Tab")) && (object = child->findChild<QObject *>(path)))
                    break;
    }
    if (!object)
        object = holder->findChild<QObject *>(path);
    QVERIFY2(object, qPrintable(path));

    const QString shown = shownText(object, aspect);
    if (whole)
        QCOMPARE(shown, written);
    else
        QVERIFY2(shown.endsWith(written) || shown.startsWith(written), qPrintable(shown));
}

void TstUserTexts::componentList()
{
    const QStringList written{
        "Orvalent",         "Orvandll动态链接库", "OrvalentActiveX控件", "Orvalent核心组件",   "手机归属查询组件",
        "IP地址查询组件",   "身份证查询组件",     "域名信息查询组件",    "文件安全检查组件",   "主机地址查询组件",
        "网站流行查询组件", "网站主机数量查询",   "ICP证书查询组件",     "工商查询组件",       "Email和Tel查询组件",
        "网址安全组件",     "淘宝信用查询",       "XMLHTTP组件",         "在线升级组件",       "错误解决方案查询组件",
        "恶意网站举报组件"};
    auto *list = m_form5->findChild<QListWidget *>();
    QVERIFY(list);
    QCOMPARE(list->count(), written.size());
    for (int i = 0; i < written.size(); ++i)
        QCOMPARE(list->item(i)->text(), written.at(i) + QStringLiteral("5.5"));
}

QTEST_MAIN(TstUserTexts)
#include "tst_usertexts.moc"
