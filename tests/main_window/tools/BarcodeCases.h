#pragma once

#include "BarcodeAnswer.h"
#include "BarcodeTool.h"
#include "StandinServer.h"

#include <QFile>
#include <QStringList>
#include <QTest>

// The registry answers the panel tests go through, shared by the test with
// the stand-in view and the one with a real browser: one row a lookup, with
// the page that answers the 8-digit prefix, the one that answers the 7-digit
// prefix (null: never asked), the cut positions another tool left behind,
// and what the result box ends with.
namespace BarcodeCases {

inline QString standinPage(const QString &name)
{
    QFile file(StandinServer::pagePath(QStringLiteral("barcode/") + name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing stand-in page %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

// The registry's own page layout around a body of our own.
inline QString registryPage(const QString &body)
{
    return QStringLiteral("<html><head><title>商品条码查询</title></head><body>"
                          "<form name=\"form1\" method=\"get\" action=\"external-barcode.aspx\">"
                          "厂商识别代码：<input name=\"txtcode\" type=\"text\" id=\"txtcode\" />"
                          "<input type=\"submit\" name=\"Btnok\" value=\"查询\" id=\"Btnok\" /></form>")
           + body + QStringLiteral("</body></html>");
}

inline QString listing(const QString &code, const QString &name, const QString &creditCell, const QString &end)
{
    return QStringLiteral("<table><tr><td>厂商识别代码 企业名称</td><td>信用等级</td><td>详细</td></tr><tr><td>") + code
           + name + QStringLiteral("</td>") + creditCell + QStringLiteral("<td>") + end
           + QStringLiteral("</td></tr></table>");
}

inline const QString Credit = QStringLiteral("<td><span id=\"AllSearchList_ctl01_Label1\">AAA级</span></td>");

inline void addLookupRows()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("answer8");
    QTest::addColumn<QString>("answer7");
    QTest::addColumn<int>("leftCutStart");
    QTest::addColumn<int>("leftCutEnd");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QString>("result");

    const QString code = QStringLiteral("6901234567892");
    const QStringList once{QStringLiteral("69012345")};
    const QStringList twice{QStringLiteral("69012345"), QStringLiteral("6901234")};
    const QString shenzhen = QStringLiteral("公司名称：深圳市华南电子有限公司");
    const QString filler = QStringLiteral("<p>") + QString(33000, u'x') + QStringLiteral("</p>");

    QTest::newRow("company under the 8-digit prefix")
        << code << standinPage("company.html") << QString() << 0 << 0 << once
        << shenzhen + QStringLiteral("\r\n企业信用：AAA级");
    QTest::newRow("no record twice: not listed, no third query")
        << code << standinPage("notfound.html") << standinPage("notfound.html") << 0 << 0 << twice
        << BarcodeAnswer::NotListedText;
    QTest::newRow("company under the 7-digit prefix, cut behind it")
        << QStringLiteral("6920000123452") << standinPage("notfound.html") << standinPage("company7.html") << 0 << 0
        << QStringList{QStringLiteral("69200001"), QStringLiteral("6920000")}
        << QStringLiteral("公司名称：上海东方日用品有限公司\r\n企业信用：AA级");
    QTest::newRow("7-digit answer with a complaint: still cut behind 7 digits")
        << code << standinPage("notfound.html")
        << registryPage(QStringLiteral("<p>请输入正确的8位厂商识别代码</p>")
                        + listing("6901234", QStringLiteral("广州 白云 制药厂"), Credit, QStringLiteral("查看")))
        << 0 << 0 << twice << QStringLiteral("公司名称：广州白云制药厂\r\n企业信用：AAA级");
    QTest::newRow("wrong prefix complaint")
        << code << standinPage("wrongprefix.html") << QString() << 0 << 0 << once << BarcodeAnswer::WrongPrefixText;
    QTest::newRow("too few digits complaint")
        << code << standinPage("tooshort.html") << QString() << 0 << 0 << once << BarcodeAnswer::WrongPrefixText;
    QTest::newRow("complaint on a page that lists the company")
        << code
        << registryPage(QStringLiteral("<p>条码位数太少</p>")
                        + listing("69012345", QStringLiteral("深圳市 华南 电子有限公司"), Credit, QStringLiteral("查看")))
        << QString() << 0 << 0 << once << shenzhen + QStringLiteral("\r\n企业信用：AAA级");
    QTest::newRow("no credit element: no credit line")
        << code << registryPage(listing("69012345", QStringLiteral("深圳市 华南 电子有限公司"), QString(), QStringLiteral("查看")))
        << QString() << 0 << 0 << once << shenzhen;
    QTest::newRow("credit text inside the name is taken out too")
        << code
        << registryPage(listing("69012345", QStringLiteral("AAA级 深圳市 华南 电子有限公司"), Credit, QStringLiteral("查看")))
        << QString() << 0 << 0 << once << shenzhen + QStringLiteral("\r\n企业信用：AAA级");
    QTest::newRow("no 查看: the progress text stays")
        << code << registryPage(listing("69012345", QStringLiteral("深圳市 华南 电子有限公司"), QString(), QStringLiteral("详细")))
        << QString() << 0 << 0 << once << BarcodeTool::ProgressText;
    QTest::newRow("查看 before the prefix: the progress text stays")
        << code
        << registryPage(QStringLiteral("<p><a>查看帮助</a></p>")
                        + listing("69012345", QStringLiteral("深圳市 华南 电子有限公司"), QString(), QStringLiteral("查看")))
        << QString() << 0 << 0 << once << BarcodeTool::ProgressText;
    QTest::newRow("no 查看 but a credit element: credit line under the progress text")
        << code << registryPage(listing("69012345", QStringLiteral("深圳"), Credit, QStringLiteral("详细")))
        << QString() << 0 << 0 << once << BarcodeTool::ProgressText + QStringLiteral("\r\n企业信用：AAA级");
    // Any text that converts to a number passes the input test; the form
    // gets its first 8 characters.
    QTest::newRow("code with an exponent")
        << QStringLiteral("1234567890E12")
        << registryPage(listing("12345678", QStringLiteral("甲 乙 公司"), Credit, QStringLiteral("查看"))) << QString()
        << 0 << 0 << QStringList{QStringLiteral("12345678")} << QStringLiteral("公司名称：甲乙公司\r\n企业信用：AAA级");
    QTest::newRow("prefix not on the page: cut from the 8th character")
        << code << QStringLiteral("<html><body><p>ABCDEFG甲 乙 公司 查看</p></body></html>") << QString() << 0 << 0
        << once << QStringLiteral("公司名称：甲乙公司");
    QTest::newRow("查看 beyond 32767: no cut with an earlier page's end")
        << code
        << registryPage(listing("69012345", QStringLiteral("深圳市 华南 电子有限公司"), QString(), filler + QStringLiteral("查看")))
        << QString() << 8 << 90 << once << BarcodeTool::ProgressText;
    QTest::newRow("prefix beyond 32767: no cut with an earlier page's start")
        << code
        << registryPage(QStringLiteral("<p>查看说明</p>") + filler
                        + listing("69012345", QStringLiteral("深圳"), QString(), QStringLiteral("查看")))
        << QString() << 1 << 0 << once << BarcodeTool::ProgressText;
}

} // namespace BarcodeCases
