#include "StandinServer.h"

#include <algorithm>

#include "GbkCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

StandinServer::StandinServer() = default;

StandinServer::~StandinServer()
{
    stop();
}

bool StandinServer::start(quint16 port)
{
    if (m_running)
        return true;
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0)
        return false;
    int yes = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(m_listenFd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::listen(m_listenFd, 64) != 0 || ::pipe2(m_wakePipe, O_CLOEXEC) != 0) {
        ::close(m_listenFd);
        m_listenFd = -1;
        return false;
    }
    socklen_t length = sizeof address;
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr *>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_running = true;
    m_acceptThread = std::thread(&StandinServer::acceptLoop, this);
    return true;
}

void StandinServer::stop()
{
    if (!m_running)
        return;
    m_running = false;
    const char wake = 'x';
    [[maybe_unused]] auto written = ::write(m_wakePipe[1], &wake, 1);
    m_acceptThread.join();
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(m_mutex);
        for (int fd : m_openFds)
            ::shutdown(fd, SHUT_RDWR);
        workers.swap(m_workers);
    }
    for (auto &worker : workers)
        worker.join();
    ::close(m_listenFd);
    ::close(m_wakePipe[0]);
    ::close(m_wakePipe[1]);
    m_listenFd = -1;
}

QByteArray StandinServer::proxyAddress() const
{
    return "http://127.0.0.1:" + QByteArray::number(m_port);
}

void StandinServer::acceptLoop()
{
    while (m_running) {
        pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents || !m_running)
            break;
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        std::lock_guard lock(m_mutex);
        m_openFds.push_back(fd);
        m_workers.emplace_back(&StandinServer::serve, this, fd);
    }
}

namespace {

// Reads up to the blank line that ends the request head; false if the peer
// closed first.
bool readHead(int fd, QByteArray &head)
{
    char buffer[4096];
    while (!head.contains("\r\n\r\n")) {
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0)
            return false;
        head.append(buffer, got);
        if (head.size() > 1 << 20)
            return false;
    }
    return true;
}

void sendAll(int fd, const QByteArray &bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += n;
    }
}

// Stops early when the client goes away (a send fails).
void sendGenerated(int fd, const QByteArray &pattern, qint64 length)
{
    if (pattern.isEmpty())
        return;
    QByteArray chunk;
    while (chunk.size() < (64 << 10))
        chunk += pattern;
    qint64 left = length;
    qint64 phase = 0; // where in the pattern the next byte is
    while (left > 0) {
        const qint64 start = phase % pattern.size();
        const qint64 n = std::min<qint64>(left, chunk.size() - start);
        const char *data = chunk.constData() + start;
        qint64 sent = 0;
        while (sent < n) {
            const ssize_t k = ::send(fd, data + sent, static_cast<size_t>(n - sent), MSG_NOSIGNAL);
            if (k <= 0)
                return;
            sent += k;
        }
        left -= n;
        phase += n;
    }
}

QString normaliseHost(QByteArray host)
{
    host = host.toLower();
    if (host.endsWith(":80"))
        host.chop(3);
    return QString::fromLatin1(host);
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

// A Filled answer's page with its placeholders filled from QUERY, the part
// after the "?".
QString fillFromQuery(const QString &page, const QByteArray &query)
{
    QMultiMap<QString, QString> sent;
    for (const QByteArray &pair : query.split('&')) {
        if (pair.isEmpty())
            continue;
        const qsizetype equals = pair.indexOf('=');
        QByteArray name = equals < 0 ? pair : pair.left(equals);
        QByteArray value = equals < 0 ? QByteArray() : pair.mid(equals + 1);
        name.replace('+', ' ');
        value.replace('+', ' ');
        sent.insert(Gbk::decode(QByteArray::fromPercentEncoding(name)), Gbk::decode(QByteArray::fromPercentEncoding(value)));
    }
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{([^{}]*)\\}\\}"));
    QString filled;
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(page); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        filled += page.mid(from, match.capturedStart() - from);
        // A multi-map gives the values of a name last sent first.
        QStringList values = sent.values(match.captured(1));
        std::reverse(values.begin(), values.end());
        // What was sent is shown as text, never read as markup.
        filled += values.join(QStringLiteral("、")).toHtmlEscaped();
        from = match.capturedEnd();
    }
    return filled + page.mid(from);
}

} // namespace

void StandinServer::serve(int fd)
{
    // One request a connection: the fetch makes a new connection every call.
    QByteArray head;
    if (readHead(fd, head)) {
        Request request;
        request.rawHead = head.left(head.indexOf("\r\n\r\n"));
        const QList<QByteArray> lines = head.left(head.indexOf("\r\n\r\n")).split('\n');
        request.requestLine = lines.value(0).trimmed();
        const QList<QByteArray> parts = request.requestLine.split(' ');
        request.method = parts.value(0);
        request.target = parts.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        if (request.target.startsWith("http://")) {
            const QByteArray rest = request.target.mid(7);
            const qsizetype slash = rest.indexOf('/');
            request.host = normaliseHost(slash < 0 ? rest : rest.left(slash));
            request.pathAndQuery = slash < 0 ? QByteArray("/") : rest.mid(slash);
        } else {
            request.host = normaliseHost(request.header("host"));
            request.pathAndQuery = request.target;
        }
        Response response;
        {
            std::lock_guard lock(m_mutex);
            m_requests.append(request);
            response = lookup(request);
        }
        if (response.kind == Response::Kind::Filled) {
            const qsizetype question = request.pathAndQuery.indexOf('?');
            const QByteArray query = question < 0 ? QByteArray() : request.pathAndQuery.mid(question + 1);
            response.body = Gbk::encode(fillFromQuery(Gbk::decode(response.body), query));
            response.kind = Response::Kind::Answer;
        }
        if (response.kind == Response::Kind::Answer) {
            QByteArray reply = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status)
                + "\r\nContent-Type: " + response.contentType + "\r\nContent-Length: "
                + QByteArray::number(response.body.size()) + "\r\n" + response.extraHeaders + "Connection: close\r\n\r\n"
                + response.body;
            sendAll(fd, reply);
        } else if (response.kind == Response::Kind::Generated) {
            sendAll(fd, "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) +
                            "\r\nContent-Type: " + response.contentType + "\r\nContent-Length: " +
                            QByteArray::number(response.generatedLength) + "\r\n" + response.extraHeaders +
                            "Connection: close\r\n\r\n");
            sendGenerated(fd, response.body, response.generatedLength);
        } else if (response.kind == Response::Kind::Trickle) {
            sendAll(fd, "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) +
                            "\r\nContent-Type: " + response.contentType + "\r\nContent-Length: " +
                            QByteArray::number(response.body.size()) + "\r\nConnection: close\r\n\r\n");
            for (const char byte : std::as_const(response.body)) {
                // A pause that ends early when the client goes or the server stops.
                pollfd waitFd{fd, POLLIN, 0};
                if (!m_running || ::poll(&waitFd, 1, response.trickleIntervalMs) != 0)
                    break;
                if (::send(fd, &byte, 1, MSG_NOSIGNAL) != 1)
                    break;
            }
        } else if (response.kind == Response::Kind::Stall) {
            // Holds the connection open until the server stops.
            char buffer[256];
            while (m_running && ::recv(fd, buffer, sizeof buffer, 0) > 0) {
            }
        }
    }
    ::shutdown(fd, SHUT_RDWR);
    std::lock_guard lock(m_mutex);
    std::erase(m_openFds, fd);
    ::close(fd);
}

StandinServer::Response StandinServer::lookup(const Request &request) const
{
    const Route *best = nullptr;
    qsizetype bestLength = -1;
    for (const Route &route : m_routes) {
        if (route.host.compare(request.host, Qt::CaseInsensitive) != 0)
            continue;
        if (route.path.endsWith('*')) {
            const QByteArray prefix = route.path.chopped(1);
            if (request.pathAndQuery.startsWith(prefix) && prefix.size() > bestLength) {
                best = &route;
                bestLength = prefix.size();
            }
        } else if (route.path == request.pathAndQuery) {
            return route.response;
        }
    }
    return best ? best->response : notFound();
}

void StandinServer::setRoute(const QString &host, const QByteArray &path, const Response &response)
{
    std::lock_guard lock(m_mutex);
    const QString key = host.toLower();
    m_routes.removeIf([&](const Route &r) { return r.host == key && r.path == path; });
    m_routes.append({key, path, response});
}

void StandinServer::clearRoutes()
{
    std::lock_guard lock(m_mutex);
    m_routes.clear();
}

void StandinServer::loadRoutes(const QString &standinDir)
{
    const QDir routes(standinDir + QStringLiteral("/routes"));
    for (const QString &name : routes.entryList({QStringLiteral("*.routes")}, QDir::Files, QDir::Name)) {
        QFile file(routes.filePath(name));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QStringList fields = line.split(QRegularExpression(QStringLiteral("\\s+")));
            if (fields.size() < 3)
                continue;
            int status = 200;
            bool filled = false;
            for (qsizetype i = 3; i < fields.size(); ++i) {
                if (fields.at(i) == QStringLiteral("filled"))
                    filled = true;
                else
                    status = fields.at(i).toInt();
            }
            Response response = html(QString(), status);
            if (filled)
                response.kind = Response::Kind::Filled;
            QFile pageFile(standinDir + QStringLiteral("/pages/") + fields.at(2));
            if (pageFile.open(QIODevice::ReadOnly)) {
                if (fields.at(2).endsWith(QStringLiteral(".png"))) {
                    // A picture a page shows goes out as it is.
                    response.body = pageFile.readAll();
                    response.contentType = "image/png";
                } else {
                    response.body = Gbk::encode(QString::fromUtf8(pageFile.readAll()));
                }
            }
            setRoute(fields.at(0), fields.at(1).toUtf8(), response);
        }
    }
}

QList<StandinServer::Request> StandinServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

int StandinServer::openConnections() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_openFds.size());
}

void StandinServer::clearRequests()
{
    std::lock_guard lock(m_mutex);
    m_requests.clear();
}

StandinServer::Response StandinServer::html(const QString &markup, int status)
{
    Response response;
    response.status = status;
    response.body = Gbk::encode(markup);
    return response;
}

StandinServer::Response StandinServer::raw(const QByteArray &bytes, int status)
{
    Response response;
    response.status = status;
    response.body = bytes;
    return response;
}

StandinServer::Response StandinServer::page(const QString &relativePath, int status)
{
    QFile file(pagePath(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("stand-in page missing: %s", qPrintable(relativePath));
    // Pictures a page shows (a captcha, a button) go out as they are.
    if (relativePath.endsWith(QStringLiteral(".png"))) {
        Response picture = raw(file.readAll(), status);
        picture.contentType = "image/png";
        return picture;
    }
    return html(QString::fromUtf8(file.readAll()), status);
}

StandinServer::Response StandinServer::generated(const QByteArray &pattern, qint64 length, int status)
{
    Response response;
    response.kind = Response::Kind::Generated;
    response.status = status;
    response.body = pattern;
    response.generatedLength = length;
    return response;
}

StandinServer::Response StandinServer::closeWithoutAnswer()
{
    Response response;
    response.kind = Response::Kind::Close;
    return response;
}

StandinServer::Response StandinServer::stall()
{
    Response response;
    response.kind = Response::Kind::Stall;
    return response;
}

StandinServer::Response StandinServer::trickle(const QByteArray &body, int intervalMs)
{
    Response response;
    response.kind = Response::Kind::Trickle;
    response.body = body;
    response.trickleIntervalMs = intervalMs;
    return response;
}

StandinServer::Response StandinServer::notFound()
{
    return html(QStringLiteral("<html><body><h1>404 Not Found</h1><p>The page you asked for is not here.</p></body></html>"), 404);
}

QString StandinServer::sourceDir()
{
    const QByteArray fromEnv = qgetenv("KORDELVANE_SOURCE_DIR");
    if (!fromEnv.isEmpty())
        return QString::fromLocal8Bit(fromEnv) + QStringLiteral("/standin");
    return QStringLiteral(KORDELVANE_STANDIN_DIR);
}

QString StandinServer::pagePath(const QString &relativePath)
{
    return sourceDir() + QStringLiteral("/pages/") + relativePath;
}
