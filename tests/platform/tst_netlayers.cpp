#include "SystemIcmpEcho.h"
#include "SystemNameLookup.h"

#include <QDir>
#include <QTest>

#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// Only loopback is ever echoed here; names that do not resolve send nothing.
namespace {

const Ipv4Address Loopback{127, 0, 0, 1};

int openDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size();
}

// Whether the kernel lets this process open the unprivileged ICMP socket
// (net.ipv4.ping_group_range must hold one of its groups).
bool socketAllowed(int type)
{
    const int fd = ::socket(AF_INET, type, IPPROTO_ICMP);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool pingSocketAllowed()
{
    return socketAllowed(SOCK_DGRAM);
}

// A raw ICMP socket needs CAP_NET_RAW, which root inside a container may lack.
bool rawSocketAllowed()
{
    return socketAllowed(SOCK_RAW);
}

const char *const NoEchoSocket =
    "no ICMP socket to be had: net.ipv4.ping_group_range excludes this process's groups and raw sockets need "
    "CAP_NET_RAW";

} // namespace

Q_DECLARE_METATYPE(SystemIcmpEcho::Socket)

class TestNetLayers : public QObject
{
    Q_OBJECT
private slots:
    void resolverGivesTheFirstIpv4_data();
    void resolverGivesTheFirstIpv4();
    void echoOfLoopback_data();
    void echoOfLoopback();
    void unspecifiedAddressIsNoReply();
    void handlesGiveTheirSocketBack();
};

void TestNetLayers::resolverGivesTheFirstIpv4_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("resolves");
    QTest::addColumn<QString>("address");
    QTest::newRow("localhost") << "localhost" << true << "127.0.0.1";
    QTest::newRow("dotted address") << "127.0.0.1" << true << "127.0.0.1";
    QTest::newRow(".invalid") << "nothing-here.invalid" << false << "";
    QTest::newRow("scheme in the name") << "HTTP://A.B" << false << "";
    QTest::newRow("64 characters") << QString(56, QLatin1Char('a')) + QStringLiteral(".invalid") << false << "";
}

void TestNetLayers::resolverGivesTheFirstIpv4()
{
    QFETCH(QString, name);
    QFETCH(bool, resolves);
    QFETCH(QString, address);
    SystemNameLookup lookup;
    const auto found = lookup.firstIpv4(name);
    QCOMPARE(found.has_value(), resolves);
    if (resolves)
        QCOMPARE(DottedAddress(*found), address);
}

void TestNetLayers::echoOfLoopback_data()
{
    QTest::addColumn<SystemIcmpEcho::Socket>("socket");
    QTest::newRow("unprivileged first, raw when refused") << SystemIcmpEcho::Socket::PingFirst;
    QTest::newRow("raw socket") << SystemIcmpEcho::Socket::RawOnly;
    QTest::newRow("unprivileged socket") << SystemIcmpEcho::Socket::PingOnly;
}

void TestNetLayers::echoOfLoopback()
{
    QFETCH(SystemIcmpEcho::Socket, socket);
    if (socket == SystemIcmpEcho::Socket::PingOnly && !pingSocketAllowed())
        QSKIP("net.ipv4.ping_group_range excludes this process's groups");
    if (socket == SystemIcmpEcho::Socket::RawOnly && !rawSocketAllowed())
        QSKIP("raw ICMP sockets need CAP_NET_RAW");
    if (socket == SystemIcmpEcho::Socket::PingFirst && !pingSocketAllowed() && !rawSocketAllowed())
        QSKIP(NoEchoSocket);
    SystemIcmpEcho echo(socket);
    auto handle = echo.open();
    QVERIFY(handle);
    const auto reply = handle->send(Loopback, QByteArray(32, 'A'), 255, 2000);
    QVERIFY(reply.has_value());
    QCOMPARE(DottedAddress(reply->from), QStringLiteral("127.0.0.1"));
    QCOMPARE(reply->status, 0u);
    // A second echo on the same handle is matched to its own request.
    const auto again = handle->send(Loopback, QByteArray(32, 'A'), 255, 2000);
    QVERIFY(again.has_value());
    QCOMPARE(again->status, 0u);
}

void TestNetLayers::unspecifiedAddressIsNoReply()
{
    // Linux answers an echo to 0.0.0.0 from the local host; the layer never
    // sends it, so a name that did not resolve cannot look like a reply.
    if (!pingSocketAllowed() && !rawSocketAllowed())
        QSKIP(NoEchoSocket);
    SystemIcmpEcho echo;
    auto handle = echo.open();
    QVERIFY(handle);
    QVERIFY(!handle->send(Ipv4Address{}, QByteArray(32, 'A'), 255, 2000).has_value());
}

void TestNetLayers::handlesGiveTheirSocketBack()
{
    if (!pingSocketAllowed() && !rawSocketAllowed())
        QSKIP(NoEchoSocket);
    SystemIcmpEcho echo;
    const int before = openDescriptors();
    for (int i = 0; i < 20; ++i) {
        auto handle = echo.open();
        QVERIFY(handle);
        QCOMPARE(openDescriptors(), before + 1);
        handle->send(Loopback, QByteArray(32, 'A'), 255, 2000);
    }
    QCOMPARE(openDescriptors(), before);
}

QTEST_MAIN(TestNetLayers)
#include "tst_netlayers.moc"
