#include "SystemIcmpEcho.h"

#include <atomic>
#include <chrono>
#include <cstring>

#include <arpa/inet.h>
#include <cerrno>
#include <linux/errqueue.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int EchoReply = 0;
constexpr int DestinationUnreachable = 3;
constexpr int EchoRequest = 8;
constexpr int TimeExceeded = 11;

std::atomic<std::uint16_t> nextSequence{1};

std::uint16_t checksum(const unsigned char *data, std::size_t length)
{
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < length; i += 2)
        sum += (std::uint32_t(data[i]) << 8) | data[i + 1];
    if (length % 2)
        sum += std::uint32_t(data[length - 1]) << 8;
    while (sum >> 16)
        sum = (sum & 0xffff) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

std::uint16_t read16(const unsigned char *p)
{
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

Ipv4Address addressOf(const in_addr &address)
{
    Ipv4Address bytes;
    std::memcpy(bytes.data(), &address.s_addr, bytes.size());
    return bytes;
}

// Owns one socket descriptor.
class SocketFd
{
public:
    explicit SocketFd(int fd) : m_fd(fd) {}
    ~SocketFd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SocketFd(const SocketFd &) = delete;
    SocketFd &operator=(const SocketFd &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

class EchoSocket : public IcmpEcho::Handle
{
public:
    EchoSocket(int fd, bool raw) : m_fd(fd), m_raw(raw) {}

    std::optional<IcmpEcho::Reply> send(const Ipv4Address &destination, const QByteArray &data, int ttl,
                                        int timeoutMs) override
    {
        // 0.0.0.0 would be answered by this machine itself on Linux; a name
        // that did not resolve must end as "no reply", never as a reply.
        if (IsUnspecified(destination))
            return std::nullopt;

        ::setsockopt(m_fd.get(), IPPROTO_IP, IP_TTL, &ttl, sizeof ttl);
        if (!m_raw) {
            // ICMP errors about our echo arrive on the error queue.
            const int on = 1;
            ::setsockopt(m_fd.get(), IPPROTO_IP, IP_RECVERR, &on, sizeof on);
        }

        const std::uint16_t sequence = nextSequence.fetch_add(1);
        // The unprivileged socket puts its own identifier in; the raw one
        // sends what we write.
        m_identifier = static_cast<std::uint16_t>(::getpid() ^ (sequence << 3));
        QByteArray packet(8, '\0');
        packet[0] = char(EchoRequest);
        packet[4] = char(m_identifier >> 8);
        packet[5] = char(m_identifier & 0xff);
        packet[6] = char(sequence >> 8);
        packet[7] = char(sequence & 0xff);
        packet += data;
        const std::uint16_t sum = checksum(reinterpret_cast<const unsigned char *>(packet.constData()), packet.size());
        packet[2] = char(sum >> 8);
        packet[3] = char(sum & 0xff);

        sockaddr_in to{};
        to.sin_family = AF_INET;
        std::memcpy(&to.sin_addr.s_addr, destination.data(), destination.size());
        if (::sendto(m_fd.get(), packet.constData(), packet.size(), 0, reinterpret_cast<sockaddr *>(&to), sizeof to) < 0)
            return std::nullopt;
        if (!m_raw) {
            sockaddr_in local{};
            socklen_t length = sizeof local;
            if (::getsockname(m_fd.get(), reinterpret_cast<sockaddr *>(&local), &length) == 0)
                m_identifier = ntohs(local.sin_port);
        }

        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return std::nullopt;
            pollfd wait{m_fd.get(), POLLIN, 0};
            const int ready = ::poll(&wait, 1, static_cast<int>(left));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0)
                return std::nullopt;
            std::optional<IcmpEcho::Reply> reply;
            if (wait.revents & POLLERR)
                reply = readError(sequence);
            else if (wait.revents & POLLIN)
                reply = readAnswer(sequence);
            if (reply)
                return reply;
        }
    }

private:
    bool ours(const unsigned char *icmp, std::uint16_t sequence) const
    {
        // The unprivileged socket only ever hands over its own identifier.
        return read16(icmp + 6) == sequence && (!m_raw || read16(icmp + 4) == m_identifier);
    }

    std::optional<IcmpEcho::Reply> readAnswer(std::uint16_t sequence)
    {
        unsigned char buffer[1500];
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t got = ::recvfrom(m_fd.get(), buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&from), &fromLength);
        if (got <= 0)
            return std::nullopt;
        const unsigned char *icmp = buffer;
        std::size_t length = static_cast<std::size_t>(got);
        if (m_raw) {
            // A raw socket hands over the IP header too, and sees every ICMP
            // message of the machine, our own request on loopback included.
            const std::size_t header = std::size_t(buffer[0] & 0x0f) * 4;
            if (length < header + 8)
                return std::nullopt;
            icmp += header;
            length -= header;
        }
        if (length < 8)
            return std::nullopt;
        const int type = icmp[0];
        if (type == EchoReply && ours(icmp, sequence))
            return IcmpEcho::Reply{addressOf(from.sin_addr), 0};
        if (m_raw && (type == DestinationUnreachable || type == TimeExceeded)) {
            // The error quotes our request: its IP header and first 8 bytes.
            const unsigned char *quoted = icmp + 8;
            const std::size_t quotedLength = length - 8;
            if (quotedLength < 20)
                return std::nullopt;
            const std::size_t innerHeader = std::size_t(quoted[0] & 0x0f) * 4;
            if (quoted[9] != IPPROTO_ICMP || quotedLength < innerHeader + 8)
                return std::nullopt;
            const unsigned char *request = quoted + innerHeader;
            if (request[0] == EchoRequest && ours(request, sequence))
                return IcmpEcho::Reply{addressOf(from.sin_addr), SystemIcmpEcho::statusFor(type, icmp[1])};
        }
        return std::nullopt;
    }

    std::optional<IcmpEcho::Reply> readError(std::uint16_t sequence)
    {
        unsigned char quoted[576];
        unsigned char control[512];
        iovec part{quoted, sizeof quoted};
        msghdr message{};
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t got = ::recvmsg(m_fd.get(), &message, MSG_ERRQUEUE);
        if (got < 8 || !ours(quoted, sequence))
            return std::nullopt;
        for (cmsghdr *item = CMSG_FIRSTHDR(&message); item; item = CMSG_NXTHDR(&message, item)) {
            if (item->cmsg_level != IPPROTO_IP || item->cmsg_type != IP_RECVERR)
                continue;
            const auto *error = reinterpret_cast<const sock_extended_err *>(CMSG_DATA(item));
            if (error->ee_origin != SO_EE_ORIGIN_ICMP)
                continue;
            IcmpEcho::Reply reply;
            reply.status = SystemIcmpEcho::statusFor(error->ee_type, error->ee_code);
            const auto *offender = reinterpret_cast<const sockaddr_in *>(SO_EE_OFFENDER(error));
            if (offender->sin_family == AF_INET)
                reply.from = addressOf(offender->sin_addr);
            return reply;
        }
        return std::nullopt;
    }

    SocketFd m_fd;
    bool m_raw;
    std::uint16_t m_identifier = 0;
};

} // namespace

SystemIcmpEcho::SystemIcmpEcho(Socket socket) : m_socket(socket) {}

std::unique_ptr<IcmpEcho::Handle> SystemIcmpEcho::open()
{
    if (m_socket != Socket::RawOnly) {
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (fd >= 0)
            return std::make_unique<EchoSocket>(fd, false);
        if (m_socket == Socket::PingOnly)
            return nullptr;
    }
    const int fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd >= 0)
        return std::make_unique<EchoSocket>(fd, true);
    return nullptr;
}

std::uint32_t SystemIcmpEcho::statusFor(int icmpType, int icmpCode)
{
    if (icmpType == EchoReply)
        return 0;
    if (icmpType == DestinationUnreachable) {
        switch (icmpCode) {
        case 0: return 11002;
        case 1: return 11003;
        case 2: return 11004;
        case 3: return 11005;
        default: return 11003;
        }
    }
    if (icmpType == TimeExceeded)
        return 11013;
    return 11050;
}
