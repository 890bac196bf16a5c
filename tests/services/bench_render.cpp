// Renders 1 MiB pages of hostile and ordinary shapes the way the page fetch
// does (GBK bytes -> decode -> rendered text) and prints, per shape, the render
// time and the peak memory of a process that did nothing else. Each shape runs
// in a child of its own (bounded at 4 GiB of address space and 60 s), so one
// shape's peak is not hidden by another's and a crash is reported, not fatal.
// Next to them: the anchor, a decode plus UTF-8 copy of the same megabyte,
// in a child of its own too.
//
// Then the same shapes through the real page fetch and a stand-in server in
// the child: at 8 MiB with the fetch's old 8 MiB cap (what a page that size
// used to cost), at 8 MiB with the shipped cap (refused), and just under the
// shipped cap; each with the peak and what the fetch added to it.
// Not a test: run it by hand on a quiet machine.
//   bench_render [STANDIN_PAGE]   (an ordinary page to repeat to 1 MiB)
#include "BenchPages.h"
#include "FatalEnd.h"
#include "GbkCodec.h"
#include "PageFetcher.h"
#include "RenderedText.h"
#include "StandinServer.h"

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

using namespace BenchPages;

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

struct ThrowingFatalEnd : FatalEnd {
    struct Ended {
    };
    [[noreturn]] void showAndEnd(const char *, const char *) override { throw Ended{}; }
};

struct FetchShape {
    const char *name;
    std::function<QByteArray(qsizetype)> make; // a page of about this many bytes
};

// One fetch of SIZE bytes of the shape, with the given body cap, in a child
// that serves the page itself; prints the peak and what the fetch added.
void runFetch(const FetchShape &shape, const char *label, qsizetype size, qsizetype cap)
{
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        rlimit space{4ull << 30, 4ull << 30};
        ::setrlimit(RLIMIT_AS, &space);
        // A loaded machine takes minutes for the biggest pages at the old cap.
        ::alarm(900);
        QByteArray page = shape.make(size);
        page.truncate(size);
        const qsizetype bytes = page.size();
        StandinServer server;
        server.setRoute(QStringLiteral("bench.cn"), "/page", StandinServer::raw(page));
        page = QByteArray();
        if (!server.start())
            ::_exit(2);
        qputenv("http_proxy", server.proxyAddress());
        ThrowingFatalEnd fatalEnd;
        FetchBounds bounds;
        bounds.maxBodyBytes = cap;
        PageFetcher fetcher(fatalEnd, bounds);
        const double before = vmHwmMiB();
        QElapsedTimer timer;
        timer.start();
        QString outcome;
        try {
            outcome = QStringLiteral("%1 characters").arg(fetcher.fetchPageText(QStringLiteral("http://bench.cn/page")).size());
        } catch (const ThrowingFatalEnd::Ended &) {
            outcome = QStringLiteral("refused (fatal box)");
        }
        const double after = vmHwmMiB();
        std::printf("%-22s  %-26s %8.2f MiB  %6.2f s  peak %7.1f MiB  added %7.1f MiB  %s\n", shape.name, label,
                    bytes / 1048576.0, timer.nsecsElapsed() / 1e9, after, after - before, qPrintable(outcome));
        std::fflush(stdout);
        server.stop();
        ::_exit(0);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (WIFSIGNALED(status))
        std::printf("%-22s  %-26s died: %s (peak %.0f MiB)\n", shape.name, label, strsignal(WTERMSIG(status)),
                    usage.ru_maxrss / 1024.0);
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
        {"anchor: decode+copy", [] { return tablePage(); }, true},
        {"table-heavy page", [] { return tablePage(); }},
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
        {"one tag, many attrs", [] { return manyAttributes("<div", ">x"); }},
        {"end tag, many attrs", [] { return manyAttributes("<div>x</div", ">"); }},
        {"</br>, many attrs", [] { return manyAttributes("x</br", ">y"); }},
        {"</p>, many attrs", [] { return manyAttributes("x</p", ">y"); }},
        {"</script>, many attrs", [] { return manyAttributes("<script>x</script", ">y"); }},
        {"input, many attrs", [] { return manyAttributes("<table><input", " type=hidden>x"); }},
        {"many attrs, open quote", [] { return manyAttributes("x<div", " title=\""); }},
        {"html tag after tag", [] { return numbered("<html a", ">"); }},
        {"body tag after tag", [] { return numbered("<body a", ">"); }},
        {"b tag after tag", [] { return numbered("<b a", ">x"); }},
        {"duplicate attrs", [] { return "<div" + repeated(" a", PageSize - 6) + ">x"; }},
        {"long attr value", [] { return "<div title=\"" + repeated("x", PageSize - 16) + "\">x"; }},
        {"open quote, tags", [] { return "x<div title=\"" + repeated("<p a b c>x"); }},
    };
    for (const Shape &shape : shapes)
        run(shape);

    constexpr qsizetype OldCap = 8 << 20;
    const qsizetype underCap = PageFetcher::MaxBodyBytes - 16;
    std::printf("\nFetched pages through the stand-in (peak of the whole process, and what the fetch added)\n");
    const FetchShape fetchShapes[] = {
        {"unclosed p", [](qsizetype n) { return repeated("<p>x", n); }},
        {"cells in one row", [](qsizetype n) { return repeated("<td>x", n); }},
        {"closed i", [](qsizetype n) { return repeated("<i>x</i>", n); }},
        {"nested span with text", [](qsizetype n) { return repeated("<span>x", n); }},
        {"unclosed div", [](qsizetype n) { return repeated("<div>", n); }},
        {"unclosed b", [](qsizetype n) { return repeated("<b>", n); }},
        {"unclosed font+text", [](qsizetype n) { return repeated("<font color=red>x", n); }},
        {"misnested p/b", [](qsizetype n) { return repeated("<p><b>x</p>", n); }},
        {"span in div closed", [](qsizetype n) { return repeated("<span><div></span>", n); }},
        {"div in table closed", [](qsizetype n) { return repeated("<div><table></div>", n); }},
        {"font around div", [](qsizetype n) { return repeated("<font><div></font>", n); }},
        {"table cells", [](qsizetype n) { return repeated("<table><tr><td>", n); }},
        {"line breaks", [](qsizetype n) { return repeated("x<br>", n); }},
        {"comments", [](qsizetype n) { return repeated("a<!--x-->", n); }},
        {"long text run", [](qsizetype n) { return repeated(Gbk::encode(QStringLiteral("文字 text ")), n); }},
        {"formatting copied back", [](qsizetype n) {
             QByteArray head("<div>");
             for (int i = 0; i < 600; ++i)
                 head += "<b id=" + QByteArray::number(i) + ">";
             return head + "</div>" + repeated("<div>x</div>", n - head.size() - 6);
         }},
        {"raw text in a select", [](qsizetype n) { return "<table><select><style><table>" + repeated("<div>", n - 30); }},
        {"table-heavy page", [](qsizetype n) { return tablePage(n); }},
        {"repeated page", [&](qsizetype n) { return repeated(ordinary.isEmpty() ? QByteArray("<p>page</p>") : ordinary, n); }},
    };
    for (const FetchShape &shape : fetchShapes) {
        runFetch(shape, "8 MiB, old 8 MiB cap", OldCap, OldCap);
        runFetch(shape, "8 MiB, shipped cap", OldCap, PageFetcher::MaxBodyBytes);
        runFetch(shape, "under the shipped cap", underCap, PageFetcher::MaxBodyBytes);
    }
    if (!ordinary.isEmpty())
        runFetch({"the page as it is", [&](qsizetype) { return ordinary; }}, "shipped cap", ordinary.size(),
                 PageFetcher::MaxBodyBytes);
    return 0;
}
