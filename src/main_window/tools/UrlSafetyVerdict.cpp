#include "UrlSafetyVerdict.h"

#include "PageText.h"

namespace UrlSafetyVerdict {

QString dangerText(const QString &cut)
{
    QString joined = cut;
    joined.remove(QStringLiteral(" "));
    joined.remove(QStringLiteral("可能"));
    joined.remove(QStringLiteral("\r\n"));
    return QStringLiteral("    ") + joined + QStringLiteral("\r\n")
        + QStringLiteral("专家建议：如果一定要访问建议使用360安全浏览器，或者是类似谷歌浏览器这种非IE内核浏览器查看网页，以免中毒！");
}

QString undecidedText(const QString &pageText)
{
    if (pageText.size() <= 100)
        return QStringLiteral("    您好！查询过程出现问题，如果输入网址格式不正确请改正！\r\n"
                              "    另外，服务器实时接受数百万查询请求，负荷较大，所以请勿频繁查询同一网站。"
                              "当您频繁查询同一网站时可能会拒绝返回查询结果的情况。");
    return QStringLiteral("    该网址尚未对其进行鉴定，目前已上报该网址，核实后通过云鉴定即可查询到安全信息，"
                          "核实通常在5分钟以下。如果该网站经您确定是恶意网站请使用举报功能进行举报！");
}

SecondStage secondStage(const QString &pageText)
{
    struct Row {
        QString marker;
        SecondStage outcome;
    };
    static const Row rows[] = {
        {QStringLiteral("安全，未在该网站发现重大的安全问题"),
         {QStringLiteral("    您好！该网站安全。该网站已通过云安全认证。如果该网站确实存在不安全行为请点击下边举报按钮进行举报！"),
          Badge::Safe, Safe}},
        {QStringLiteral("不安全，该网站存在恶意行为，不建议进行访问"),
         {QStringLiteral("    您好！该网站存在大量恶意行为，不建议访问！如果一定要访问建议使用360安全浏览器或谷歌浏览器等非IE内核浏览器，"
                         "并注意不要泄露个人信息。"),
          Badge::Dangerous, Dangerous}},
        {QStringLiteral("未知，"),
         {QStringLiteral("    您好！该网站当前没有挂马，但安全状态未知，请不要泄露个人信息，若网站是恶意网站请举报！"),
          Badge::Unknown, Unknown}},
        {QStringLiteral("没有该网站条目"),
         {QStringLiteral("    您好！该网站安全未知，我们已经上报，分析后公布结果！"), Badge::Unknown, Unknown}},
    };
    for (const Row &row : rows) {
        if (FindTextPos(row.marker, pageText) > 0)
            return row.outcome;
    }
    return {QStringLiteral("    您好！该网站尚未入库，已经提交网址，核查后公布结果！"), Badge::None, Unknown};
}

} // namespace UrlSafetyVerdict
