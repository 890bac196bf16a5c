#pragma once

#include "IcmpEcho.h"

// The echo over a socket of the kernel's own. An unprivileged ICMP socket
// (SOCK_DGRAM, IPPROTO_ICMP) is tried first; it is allowed only to the groups
// in net.ipv4.ping_group_range. When the kernel refuses it, a raw ICMP socket
// is used instead, which needs root or CAP_NET_RAW.
//
// Error messages that answer the echo (destination unreachable, time
// exceeded) come back as replies with a non-zero status, from the router that
// sent them:
//   11002 net unreachable, 11003 host unreachable, 11004 protocol unreachable,
//   11005 port unreachable, 11013 time to live exceeded, 11050 anything else.
class SystemIcmpEcho : public IcmpEcho
{
public:
    enum class Socket {
        PingFirst, // the unprivileged socket, then the raw one
        PingOnly,
        RawOnly,
    };
    explicit SystemIcmpEcho(Socket socket = Socket::PingFirst);
    std::unique_ptr<Handle> open() override;

    static std::uint32_t statusFor(int icmpType, int icmpCode);

private:
    Socket m_socket;
};
