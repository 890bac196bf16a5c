#pragma once

#include "GbkCodec.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// The pages and the memory figure the benchmarks share. Every page is cut to
// its size, so a row's page is the same size whatever its shape.
namespace BenchPages {

inline constexpr qsizetype PageSize = 1 << 20;

inline QByteArray repeated(const QByteArray &unit, qsizetype size = PageSize)
{
    QByteArray page;
    page.reserve(size + unit.size());
    while (page.size() < size)
        page += unit;
    page.truncate(size);
    return page;
}

// OPEN, then distinct short attribute names (" a0 a1 ...") to the page size,
// then CLOSE: one tag holding a couple of hundred thousand attributes.
inline QByteArray manyAttributes(const QByteArray &open, const QByteArray &close)
{
    QByteArray page = open;
    for (int i = 0; page.size() < PageSize - close.size(); ++i)
        page += " a" + QByteArray::number(i, 36);
    page.truncate(PageSize - close.size());
    return page + close;
}

// BEFORE, a number, AFTER, again and again to the page size (a tag after tag
// each with an attribute of its own).
inline QByteArray numbered(const QByteArray &before, const QByteArray &after)
{
    QByteArray page;
    for (int i = 0; page.size() < PageSize; ++i)
        page += before + QByteArray::number(i, 36) + after;
    page.truncate(PageSize);
    return page;
}

// A page like the services answer with: a header, a form, and row after row
// of a two-column table with coloured values, links and line breaks.
inline QByteArray tablePage(qsizetype size = PageSize)
{
    QByteArray page = Gbk::encode(QStringLiteral(
        "<html><head><title>查询结果</title><style>td{font-size:12px}</style>"
        "<script>var a = '<b>';</script></head><body><div class=top><a href=/>首页</a> | <a href=/ip>IP查询</a></div>"
        "<form action=/ips.asp><input name=ip><input type=submit value=查询></form><table border=1>"));
    int row = 0;
    while (page.size() < size - 400) {
        page += Gbk::encode(QStringLiteral("<tr><td>本站主数据：</td><td><font color=red>北京市 电信 %1</font><br>"
                                           "参考数据：<b>上海</b>&nbsp;联通</td></tr>\r\n")
                                .arg(row++));
        if (row % 50 == 0)
            page += "</table><p>&copy; 2008 <a href=/about>about</a></p><table border=1>\r\n";
    }
    page += "</table></body></html>";
    return page;
}

// The peak resident memory of this process so far.
inline double vmHwmMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

} // namespace BenchPages
