#pragma once

#include <QString>

// Every outside address the program uses is built here: the hosts are the
// constants below, the paths and query keys are fixed, and the user's text is
// appended as typed, never encoded. To point the program elsewhere, change a
// host here; there is no settings file.
namespace Endpoints {

// Hosts of the outside services.
inline const QString IpLocationHost = QStringLiteral("www.ipchaxun.cn");
inline const QString MobileHost = IpLocationHost + QStringLiteral(":8080");
inline const QString IdCardHost = QStringLiteral("www.shenfenzheng.cn");
inline const QString PageRankHost = QStringLiteral("rank.toolbar-query.net");
inline const QString TrafficRankHost = QStringLiteral("www.renqi-paiming.net");
inline const QString WhoisHost = QStringLiteral("whois.yuming-chaxun.cn");
inline const QString UrlSafetyHost = QStringLiteral("www.wangzhi-anquan.cn");
inline const QString UrlSafety2Host = QStringLiteral("www.anquan-pingji.cn");
inline const QString TelephoneHost = QStringLiteral("www.quhao-chaxun.cn");
inline const QString PostCodeHost = QStringLiteral("youbian.sousuo-zhongxin.cn");
inline const QString BarcodeHost = QStringLiteral("www.tiaoma-zhongxin.cn");
inline const QString IcpHost = QStringLiteral("www.icp-beian.gov.cn");
inline const QString TaxInvoiceHost = QStringLiteral("www.fapiao-chaxun.gov.cn");
inline const QString SearchHost = QStringLiteral("www.sousuo-zhongxin.cn");
inline const QString NumberSearchHost = QStringLiteral("www.haoma-sousuo.com");
inline const QString ReportHost = QStringLiteral("www.eyi-wangzhan-jubao.cn");
// The maker's own site: version notice, usage figure, download page.
inline const QString MakerHost = QStringLiteral("www.zavoz-soft.cn");
// The shop-credit search that the sibling tool Tessaview opens.
inline const QString ShopCreditHost = QStringLiteral("www.dianpu-xinyong.cn");

// Support e-mail address quoted by the tools' error texts.
inline const QString SupportEmail = QStringLiteral("support@zavoz-soft.cn");

inline QString http(const QString &host, const QString &pathAndQuery)
{
    return QStringLiteral("http://") + host + pathAndQuery;
}

// IP-location service: the address's location page.
inline QString ipLocation(const QString &address)
{
    return http(IpLocationHost, QStringLiteral("/ips.asp?ip=") + address + QStringLiteral("&action=2"));
}

// IP-location service: the page that tells the caller its own address.
inline QString ownAddress()
{
    return http(IpLocationHost, QStringLiteral("/ip2city.asp"));
}

// Mobile-number service (the IP-location host, port 8080): the number's
// registration place, area code, card type and post code.
inline QString mobileLocation(const QString &number)
{
    return http(MobileHost, QStringLiteral("/search.asp?action=mobile&mobile=") + number);
}

// ID-card lookup service: the issuing place of an identity number.
inline QString idCardLookup(const QString &number)
{
    return http(IdCardHost, QStringLiteral("/idsearch/index.asp?action=idcard&userid=") + number);
}

// Whois service: the registration record of a domain.
inline QString whois(const QString &domain)
{
    return http(WhoisHost, QStringLiteral("/whois/") + domain);
}

// Telephone-area service: the area page of a fixed-line number, loaded in the
// telephone panel's browser. The number goes out as typed, dash and all.
inline QString telephoneArea(const QString &number)
{
    return http(TelephoneHost, QStringLiteral("/dh/114.aspx?w=") + number);
}

// Web search for a range of fixed-line numbers, opened in the user's browser:
// the word 电话号码 (UTF-8, percent-encoded: the only encoded part), then the
// area code, "+", and the range low...high. The parts go in as given.
inline QString numberRangeSearch(const QString &areaCode, const QString &low, const QString &high)
{
    return http(NumberSearchHost,
                QStringLiteral("/search?num=50&hl=en&lr=&newwindow=-1&q=%E7%94%B5%E8%AF%9D%E5%8F%B7%E7%A0%81+") + areaCode +
                    QStringLiteral("+") + low + QStringLiteral("...") + high);
}

// Traffic-rank service: the world and China ranks of a site.
inline QString trafficRank(const QString &address)
{
    return http(TrafficRankHost, QStringLiteral("/?domain=") + address);
}

// Page-rank service. The double slash after the host is what the service
// expects; checksum is PageRankChecksum(address).
inline QString pageRank(const QString &checksum, const QString &address)
{
    return http(PageRankHost, QStringLiteral("//search?client=navclient-auto&ch=") + checksum
                                  + QStringLiteral("&ie=UTF-8&oe=UTF-8&features=Rank&q=info:") + address);
}

// The maker's version notice, usage figure and download page.
inline QString versionNotice()
{
    return http(MakerHost, QStringLiteral("/orvalent/version.htm"));
}
inline QString usageFigure()
{
    return http(MakerHost, QStringLiteral("/orvalent/usage.htm"));
}
inline QString downloadPage()
{
    return http(MakerHost, QStringLiteral("/orvalent/download.htm"));
}

// Barcode registry: the web form that the main window loads into the barcode
// panel's browser at every activation.
inline QString barcodeForm()
{
    return http(BarcodeHost, QStringLiteral("/Service/tools_09/external-barcode.aspx"));
}

// Pages the side bar opens in the user's browser.
inline QString icpRecordPage()
{
    return http(IcpHost, QStringLiteral("/icp/publish/query/icpMemoInfo_showPage.action"));
}
// A web search for the business-registration offices: "工商局" percent-encoded in GBK.
inline QString businessRegistrationSearch()
{
    return http(SearchHost, QStringLiteral("/s?wd=%B9%A4%C9%CC%BE%D6"));
}
inline QString taxInvoicePage()
{
    return http(TaxInvoiceHost, QStringLiteral("/n480462/n481069/n3759321/"));
}

// The shop-credit search page, opened by Tessaview in the user's browser.
inline QString shopCreditSearch()
{
    return http(ShopCreditHost, QStringLiteral("/search.htm"));
}

// Post-code service: the page of the typed code, "/" + text + ".html".
inline QString postCode(const QString &typed)
{
    return http(PostCodeHost, QStringLiteral("/") + typed + QStringLiteral(".html"));
}

} // namespace Endpoints
