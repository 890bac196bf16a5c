#include "GbkCodec.h"
#include "RenderedText.h"
#include "StandinServer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

// Every stand-in page that comes with a NAME.markers file beside it must give
// each of those markers in its rendered text, read as the page fetch reads it:
// the UTF-8 file goes on the wire as GBK, is decoded as GBK and rendered. So a
// page edited until its markers no longer render (a lost cell blank, a line
// break too many, a character GBK cannot carry) fails here, not in some tool.
namespace
{

// One marker a line; "\r" "\n" "\t" and "\\" are escapes, anything else is
// literal (blanks at the end of a line count).
QString decodeMarker(const QString &line)
{
    QString marker;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == u'\\' && i + 1 < line.size()) {
            const QChar next = line.at(i + 1);
            if (next == u'r' || next == u'n' || next == u't' || next == u'\\') {
                marker += next == u'r'   ? QChar(u'\r')
                          : next == u'n' ? QChar(u'\n')
                          : next == u't' ? QChar(u'\t')
                                         : QChar(u'\\');
                ++i;
                continue;
            }
        }
        marker += c;
    }
    return marker;
}

QString shown(QString text)
{
    return text.replace(QStringLiteral("\r"), QStringLiteral("\\r"))
        .replace(QStringLiteral("\n"), QStringLiteral("\\n"));
}

// A form value as a GBK page sends it by GET.
QByteArray formValue(const QString &value)
{
    return Gbk::encode(value).toPercentEncoding();
}

// Asks the server for PATH on the report host as a proxy is asked; the whole
// answer, or what came before the bounded wait ran out.
QByteArray ask(quint16 port, const QByteArray &path)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return {};
    timeval bound{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QByteArray answer;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) {
        const QByteArray request = "GET http://www.eyi-wangzhan-jubao.cn" + path
            + " HTTP/1.1\r\nHost: www.eyi-wangzhan-jubao.cn\r\n\r\n";
        if (::send(fd, request.constData(), static_cast<size_t>(request.size()), MSG_NOSIGNAL) == request.size()) {
            char buffer[4096];
            ssize_t got = 0;
            while ((got = ::recv(fd, buffer, sizeof buffer, 0)) > 0 && answer.size() < (1 << 20))
                answer.append(buffer, got);
        }
    }
    ::close(fd);
    return answer;
}

} // namespace

class TestStandinPages : public QObject
{
    Q_OBJECT
private slots:
    void markersAreInTheRenderedText_data();
    void markersAreInTheRenderedText();
    void reportConfirmationShowsWhatWasSent_data();
    void reportConfirmationShowsWhatWasSent();
};

void TestStandinPages::markersAreInTheRenderedText_data()
{
    QTest::addColumn<QString>("markersPath");
    const QString pagesDir = StandinServer::sourceDir() + QStringLiteral("/pages");
    QDirIterator it(pagesDir, {QStringLiteral("*.markers")}, QDir::Files, QDirIterator::Subdirectories);
    QStringList found;
    while (it.hasNext())
        found << it.next();
    found.sort();
    for (const QString &path : found)
        QTest::newRow(qPrintable(QDir(pagesDir).relativeFilePath(path))) << path;
}

void TestStandinPages::markersAreInTheRenderedText()
{
    QFETCH(QString, markersPath);
    const QFileInfo info(markersPath);
    const QString pagePath = info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral(".html");
    QFile pageFile(pagePath);
    QVERIFY2(pageFile.open(QIODevice::ReadOnly), qPrintable(QStringLiteral("no page beside the markers: ") + pagePath));
    const QString source = QString::fromUtf8(pageFile.readAll());

    const QString served = Gbk::decode(Gbk::encode(source));
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (i >= served.size() || served.at(i) != source.at(i))
            QFAIL(qPrintable(QStringLiteral("character %1 of the page does not survive GBK").arg(i + 1)));
    }

    QFile markersFile(markersPath);
    QVERIFY(markersFile.open(QIODevice::ReadOnly));
    const QString text = RenderInnerText(served);
    int checked = 0;
    for (QString line : QString::fromUtf8(markersFile.readAll()).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QString marker = decodeMarker(line);
        QVERIFY2(
            text.contains(marker),
            qPrintable(QStringLiteral("marker \"%1\" not in the rendered text:\n%2").arg(shown(marker), shown(text))));
        ++checked;
    }
    QVERIFY2(checked > 0, "the markers file lists no marker");
}

void TestStandinPages::reportConfirmationShowsWhatWasSent_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QString>("details");
    const QByteArray site = "title=" + formValue(QStringLiteral("软件官网")) + "&url=";
    QTest::newRow("one category")
        << site + formValue(QStringLiteral("http://www.zavoz-soft.cn/")) + "&siteType%5B%5D=" + formValue(QStringLiteral("虚假购物"))
               + "&describe=x&email=a%40b.cn&validateCode=1234"
        << QStringLiteral("举报网站：http://www.zavoz-soft.cn/\r\n举报类别：虚假购物\r\n");
    QTest::newRow("categories in the order sent")
        << site + formValue(QStringLiteral("http://www.zavoz-soft.cn/")) + "&siteType%5B%5D=" + formValue(QStringLiteral("挂马网站"))
               + "&siteType%5B%5D=" + formValue(QStringLiteral("传播病毒"))
        << QStringLiteral("举报网站：http://www.zavoz-soft.cn/\r\n举报类别：挂马网站、传播病毒\r\n");
    // Sent text is shown as text: markup in it neither vanishes nor acts.
    QTest::newRow("markup in the address")
        << site + formValue(QStringLiteral("http://a.cn/<b>x</b>&y")) + "&siteType%5B%5D=" + formValue(QStringLiteral("其它"))
        << QStringLiteral("举报网站：http://a.cn/<b>x</b>&y\r\n举报类别：其它\r\n");
    QTest::newRow("nothing sent") << QByteArray() << QStringLiteral("举报网站：\r\n举报类别：\r\n");
}

void TestStandinPages::reportConfirmationShowsWhatWasSent()
{
    QFETCH(QByteArray, query);
    QFETCH(QString, details);
    StandinServer server;
    server.loadRoutes(StandinServer::sourceDir());
    QVERIFY(server.start());
    const QByteArray answer = ask(server.port(), "/report/submit?" + query);
    QVERIFY2(answer.startsWith("HTTP/1.1 200 "), answer.left(200).constData());
    const QString text = RenderInnerText(Gbk::decode(answer.mid(answer.indexOf("\r\n\r\n") + 4)));
    QVERIFY2(text.contains(QStringLiteral("以下信息已经提交至网址安全云安全中心：\r\n") + details
                           + QStringLiteral("网址安全云安全中心将")),
             qPrintable(shown(text)));
}

QTEST_APPLESS_MAIN(TestStandinPages)
#include "tst_standinpages.moc"
