// Renders 1 MiB pages of hostile and ordinary shapes the way the page fetch
// does (GBK bytes -> decode -> rendered text) and prints, per shape, the render
// time and the peak memory of a process that did nothing else. Each shape runs
// in a child of its own (bounded at 4 GiB of address space and 60 s), so one
// shape's peak is not hidden by another's and a crash is reported, not fatal.
// Next to them: the anchor, a decode plus UTF-8 copy of the same megabyte,
// in a child of its own too. Not a test: run it by hand on a quiet machine.
//   bench_render [STANDIN_PAGE]   (an ordinary page to repeat to 1 MiB)
#include "GbkCodec.h"
#include "RenderedText.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr qsizetype PageSize = 1 << 20;

QByteArray repeated(const QByteArray &unit)
{
    QByteArray page;
    page.reserve(PageSize + unit.size());
    while (page.size() < PageSize)
        page += unit;
    page.truncate(PageSize);
    return page;
}

// A page like the services answer with: a header, a form, and row after row
// of a two-column table with coloured values, links and line breaks.
QByteArray tablePage()
{
    QByteArray page = Gbk::encode(QStringLiteral(
        "<html><head><title>查询结果</title><style>td{font-size:12px}</style>"
        "<script>var a = '<b>';</script></head><body><div class=top><a href=/>首页</a> | <a href=/ip>IP查询</a></div>"
        "<form action=/ips.asp><input name=ip><input type=submit value=查询></form><table border=1>"));
    int row = 0;
    while (page.size() < PageSize - 400) {
        page += Gbk::encode(QStringLiteral("<tr><td>本站主数据：</td><td><font color=red>北京市 电信 %1</font><br>"
                                           "参考数据：<b>上海</b>&nbsp;联通</td></tr>\r\n")
                                .arg(row++));
        if (row % 50 == 0)
            page += "</table><p>&copy; 2008 <a href=/about>about</a></p><table border=1>\r\n";
    }
    page += "</table></body></html>";
    return page;
}

double vmHwmMiB()
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

struct Shape {
    const char *name;
    std::function<QByteArray()> make;
    bool anchor = false;
};

// Runs one shape in a child; prints its figures on one line.
void run(const Shape &shape)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        rlimit space{4ull << 30, 4ull << 30};
        ::setrlimit(RLIMIT_AS, &space);
        ::alarm(60);
        const QByteArray page = shape.make();
        const double before = vmHwmMiB();
        QElapsedTimer timer;
        timer.start();
        qsizetype length = 0;
        if (shape.anchor) {
            const QString text = Gbk::decode(page);
            length = text.toUtf8().size();
        } else {
            length = RenderInnerText(Gbk::decode(page)).size();
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        char line[128];
        const int n = std::snprintf(line, sizeof line, "%.3f %.1f %lld", seconds, before, static_cast<long long>(length));
        if (::write(pipeFds[1], line, static_cast<size_t>(n)) != n)
            ::_exit(2);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    char line[128] = {};
    qsizetype got = 0;
    ssize_t n = 0;
    while ((n = ::read(pipeFds[0], line + got, sizeof line - 1 - static_cast<size_t>(got))) > 0)
        got += n;
    ::close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const double peak = usage.ru_maxrss / 1024.0;
    if (WIFSIGNALED(status)) {
        std::printf("%-22s  died: %s (peak %.0f MiB)\n", shape.name, strsignal(WTERMSIG(status)), peak);
        std::fflush(stdout);
        return;
    }
    double seconds = 0;
    double before = 0;
    long long length = 0;
    if (std::sscanf(line, "%lf %lf %lld", &seconds, &before, &length) != 3) {
        std::printf("%-22s  failed (exit %d, peak %.0f MiB)\n", shape.name, WEXITSTATUS(status), peak);
        std::fflush(stdout);
        return;
    }
    std::printf("%-22s  %7.3f s  peak %7.1f MiB  (%.1f MiB before the render)  %lld characters\n", shape.name, seconds,
                peak, before, length);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QByteArray ordinary;
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (file.open(QIODevice::ReadOnly))
            ordinary = Gbk::encode(QString::fromUtf8(file.readAll()));
    }
    std::printf("1 MiB pages, GBK bytes to rendered text\n");
    std::fflush(stdout);
    const Shape shapes[] = {
        {"anchor: decode+copy", tablePage, true},
        {"table-heavy page", tablePage},
        {"repeated page", [&] { return repeated(ordinary.isEmpty() ? QByteArray("<p>page</p>") : ordinary); }},
        {"long text run", [] { return repeated(Gbk::encode(QStringLiteral("文字 text "))); }},
        {"nested span", [] { return repeated("<span>"); }},
        {"nested span with text", [] { return repeated("<span>x"); }},
        {"unclosed div", [] { return repeated("<div>"); }},
        {"unclosed b", [] { return repeated("<b>"); }},
        {"unclosed font+text", [] { return repeated("<font color=red>x"); }},
        {"misnested p/b", [] { return repeated("<p><b>x</p>"); }},
        {"span in div closed", [] { return repeated("<span><div></span>"); }},
        {"div in table closed", [] { return repeated("<div><table></div>"); }},
        {"font around div", [] { return repeated("<font><div></font>"); }},
        {"table cells", [] { return repeated("<table><tr><td>"); }},
        {"unclosed p", [] { return repeated("<p>x"); }},
        {"closed b", [] { return repeated("<b>x</b>"); }},
        {"line breaks", [] { return repeated("x<br>"); }},
        {"cells in one row", [] { return repeated("<td>x"); }},
        {"comments", [] { return repeated("a<!--x-->"); }},
        {"formatting copied back", [] {
             QByteArray head("<div>");
             for (int i = 0; i < 600; ++i)
                 head += "<b id=" + QByteArray::number(i) + ">";
             return head + "</div>" + repeated("<div>x</div>");
         }},
        {"raw text in a select", [] { return "<table><select><style><table>" + repeated("<div>"); }},
    };
    for (const Shape &shape : shapes)
        run(shape);
    return 0;
}
