#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A small HTTP server on 127.0.0.1 standing in for the outside services.
//
//     StandinServer server;
//     server.loadRoutes(StandinServer::sourceDir());   // the committed routes
//     server.setRoute("www.ipchaxun.cn", "/ips.asp?*", StandinServer::page("ip/location.html"));
//     server.start();
//     qputenv("http_proxy", server.proxyAddress());
//
// It takes proxy-form ("GET http://host/path") and origin-form requests (Host
// header), picks the route by host and path (exact, or the longest prefix
// ending in "*"), records every request, and answers from its own threads, so
// a synchronous fetch on the caller's thread never blocks it. Pages are kept
// as UTF-8 files under standin/pages and go on the wire as GBK.
class StandinServer
{
public:
    struct Response {
        // Filled: an Answer whose body has each "{{NAME}}" replaced by the
        // values the request's query sent as NAME (a form sent by GET, in GBK
        // as the pages are), joined by "、" and escaped as text; nothing where
        // NAME was not sent. So a confirmation shows what was submitted.
        enum class Kind { Answer, Close, Stall, Generated, Trickle, Filled };
        Kind kind = Kind::Answer;
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/html; charset=GBK";
        QByteArray extraHeaders; // whole header lines, each ending in CR LF
        qint64 generatedLength = 0; // Generated: the body is `body` repeated to this many bytes
        int trickleIntervalMs = 0;  // Trickle: the pause before each byte of the body
    };

    struct Request {
        QByteArray rawHead;     // request line and header lines, as received
        QByteArray requestLine; // as received, e.g. "GET http://host/p?q HTTP/1.1"
        QByteArray method;
        QByteArray target;      // the request-target as received
        QString host;           // lower case, ":80" dropped
        QByteArray pathAndQuery;
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray header(const QByteArray &name) const { return headers.value(name.toLower()); }
    };

    StandinServer();
    ~StandinServer();
    StandinServer(const StandinServer &) = delete;
    StandinServer &operator=(const StandinServer &) = delete;

    // Binds 127.0.0.1 on a free port (or the given one) and starts answering.
    bool start(quint16 port = 0);
    void stop();
    quint16 port() const { return m_port; }
    // "http://127.0.0.1:PORT", for http_proxy.
    QByteArray proxyAddress() const;

    // host as it appears in the address (with ":8080" where not 80); path
    // exact, or a prefix ending in "*".
    void setRoute(const QString &host, const QByteArray &path, const Response &response);
    void clearRoutes();
    // Reads every *.routes file in DIR/routes: "host path page [status] [filled]"
    // a line; "filled" makes the answer a Filled one.
    void loadRoutes(const QString &standinDir);

    QList<Request> requests() const;
    // Connections accepted and not yet closed on the server's side.
    int openConnections() const;
    void clearRequests();

    // Responses.
    static Response html(const QString &markup, int status = 200); // GBK-encoded
    static Response raw(const QByteArray &bytes, int status = 200);
    static Response page(const QString &relativePath, int status = 200); // standin/pages/...; a .png goes out as image/png
    // A body of LENGTH bytes of PATTERN over and over, written in chunks as
    // it goes out, so an answer of hundreds of megabytes is never held.
    static Response generated(const QByteArray &pattern, qint64 length, int status = 200);
    static Response closeWithoutAnswer();
    static Response stall();
    // The head at once, then the body one byte at a time, a pause before each,
    // for a service on a line that hardly moves.
    static Response trickle(const QByteArray &body, int intervalMs);
    static Response notFound();

    // The source folder of standin/ (from KORDELVANE_SOURCE_DIR, or beside the executable).
    static QString sourceDir();
    static QString pagePath(const QString &relativePath);

private:
    struct Route {
        QString host;
        QByteArray path;
        Response response;
    };
    void acceptLoop();
    void serve(int fd);
    Response lookup(const Request &request) const;

    int m_listenFd = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_running{false};
    int m_wakePipe[2] = {-1, -1};
    std::thread m_acceptThread;
    mutable std::mutex m_mutex;
    std::vector<std::thread> m_workers;
    std::vector<int> m_openFds;
    QList<Route> m_routes;
    QList<Request> m_requests;
};
