// Start-up benchmark, not a test: how long from starting a program until its
// windows are on an X screen, measured from outside the program.
//
//   bench_startup RUNS ANCHOR BEFORE [AFTER ...]
//
// Each program is started RUNS times in turn (the anchor, then each program
// folder's Kordelvane), against the stand-in services in this process. The
// clock starts just before fork; a window counts as mapped at its MapNotify
// on the root (no window manager: run it under Xvfb -br, see
// run-bench-startup.sh) and as drawn when a pixel near its top-left corner is
// no longer the black of the root (the splash's and the title's blue, the
// anchor's window background beside its web view). The program's splash is its 517 x 304 window, its main
// window the 800 x 570 one; the anchor's window is whatever it maps first.
// Prints the medians in milliseconds (-1: never seen) and the splash's ratio
// to the anchor, both mapped.
#include "StandinServer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSize>
#include <QStringList>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace
{

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

struct Times {
    std::optional<double> splashMapped, splashDrawn, mainMapped, mainDrawn;
};

// One X connection watching the root for top-level windows being mapped.
class Screen
{
public:
    Screen()
    {
        m_conn = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_conn)) {
            std::fprintf(stderr, "bench_startup: no X display\n");
            std::exit(2);
        }
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_conn, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_conn);
    }
    ~Screen() { xcb_disconnect(m_conn); }

    // The next window mapped on the root, with its size, or none within the wait.
    std::optional<std::pair<xcb_window_t, QSize>> nextMapped(int waitMs)
    {
        pollfd fd{xcb_get_file_descriptor(m_conn), POLLIN, 0};
        for (;;) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_conn)) {
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                const xcb_window_t window = mapped ? reinterpret_cast<xcb_map_notify_event_t *>(event)->window : 0;
                std::free(event);
                if (mapped)
                    return std::make_pair(window, size(window));
            }
            if (poll(&fd, 1, waitMs) <= 0)
                return std::nullopt;
        }
    }

    QSize size(xcb_window_t window)
    {
        xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(m_conn, xcb_get_geometry(m_conn, window), nullptr);
        if (!g)
            return {};
        const QSize s(g->width, g->height);
        std::free(g);
        return s;
    }

    // True once the pixel at (4, 4) is not black.
    bool drawn(xcb_window_t window)
    {
        xcb_get_image_reply_t *image = xcb_get_image_reply(
            m_conn,
            xcb_get_image(m_conn, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 4, 4, 1, 1, ~0u),
            nullptr);
        if (!image)
            return false;
        const uint8_t *data = xcb_get_image_data(image);
        const int length = xcb_get_image_data_length(image);
        const bool lit = std::any_of(data, data + std::min(length, 3), [](uint8_t b) { return b > 8; });
        std::free(image);
        return lit;
    }

    // Discards events left from an earlier run.
    void drain()
    {
        xcb_flush(m_conn);
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_conn))
            std::free(event);
    }

private:
    xcb_connection_t *m_conn = nullptr;
    xcb_window_t m_root = 0;
};

// Starts the program in a process group of its own, so that it and its
// browser processes end together.
pid_t start(const QString &program)
{
    const QByteArray path = QFileInfo(program).absoluteFilePath().toLocal8Bit();
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        execl(path.constData(), path.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    setpgid(pid, pid);
    return pid;
}

void stop(pid_t pid)
{
    kill(-pid, SIGTERM);
    // Wait for the group's leader; the browser processes follow it.
    for (int i = 0; i < 500; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// One start: records the splash and the main window (or, for the anchor,
// its first window as the "main" one). Gives up after 30 s.
Times measure(Screen &screen, const QString &program, bool anchor)
{
    screen.drain();
    Times times;
    const double t0 = nowMs();
    const pid_t pid = start(program);
    std::map<xcb_window_t, QSize> waitingToDraw;
    std::map<xcb_window_t, bool> isSplash;
    while (nowMs() - t0 < 30000) {
        if (auto mapped = screen.nextMapped(1)) {
            const auto [window, size] = *mapped;
            const double t = nowMs() - t0;
            if (!anchor && size == QSize(517, 304) && !times.splashMapped) {
                times.splashMapped = t;
                waitingToDraw[window] = size;
                isSplash[window] = true;
            } else if ((anchor || size == QSize(800, 570)) && !times.mainMapped) {
                times.mainMapped = t;
                waitingToDraw[window] = size;
                isSplash[window] = false;
            }
        }
        for (auto it = waitingToDraw.begin(); it != waitingToDraw.end();) {
            if (screen.drawn(it->first)) {
                (isSplash[it->first] ? times.splashDrawn : times.mainDrawn) = nowMs() - t0;
                it = waitingToDraw.erase(it);
            } else {
                ++it;
            }
        }
        if (times.mainDrawn && (anchor || times.splashDrawn))
            break;
        // The anchor's web view may keep its window from ever being drawn
        // under Xvfb (no GL); its mapping is the figure compared.
        if (anchor && times.mainMapped && nowMs() - t0 > *times.mainMapped + 2000)
            break;
    }
    stop(pid);
    return times;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Series {
    std::vector<double> splashMapped, splashDrawn, mainMapped, mainDrawn;
    void add(const Times &t)
    {
        if (t.splashMapped) splashMapped.push_back(*t.splashMapped);
        if (t.splashDrawn) splashDrawn.push_back(*t.splashDrawn);
        if (t.mainMapped) mainMapped.push_back(*t.mainMapped);
        if (t.mainDrawn) mainDrawn.push_back(*t.mainDrawn);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: bench_startup RUNS ANCHOR PROGRAM [PROGRAM ...]\n");
        return 2;
    }
    const int runs = args.at(1).toInt();
    const QStringList programs = args.mid(2);

    StandinServer standin;
    standin.loadRoutes(StandinServer::sourceDir());
    if (!standin.start())
        return 2;
    const QByteArray port = QByteArray::number(standin.port());
    qputenv("http_proxy", standin.proxyAddress());
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--proxy-server=127.0.0.1:" + port + " --disable-gpu");
    qputenv("QT_QPA_PLATFORM", "xcb");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    Screen screen;
    std::vector<Series> series(programs.size());
    for (int run = 0; run < runs; ++run)
        for (int p = 0; p < programs.size(); ++p)
            series[p].add(measure(screen, programs.at(p), p == 0));

    const double anchorMapped = median(series[0].mainMapped);
    std::printf("median of %d runs, ms from fork     splash mapped  drawn   main mapped  drawn\n", runs);
    for (int p = 0; p < programs.size(); ++p) {
        const Series &s = series[p];
        std::printf("%-36s %12.0f %7.0f %12.0f %7.0f\n", qPrintable(p == 0 ? QStringLiteral("anchor (bare window + web view)") : programs.at(p)),
                    median(s.splashMapped), median(s.splashDrawn), median(s.mainMapped), median(s.mainDrawn));
    }
    for (int p = 1; p < programs.size(); ++p)
        std::printf("splash mapped / anchor mapped, %s: %.2f\n", qPrintable(programs.at(p)),
                    median(series[p].splashMapped) / anchorMapped);
    return 0;
}
