#pragma once

#include "Ipv4Address.h"

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <optional>

// One ICMP echo at a time. open() acquires the echo socket; the handle
// releases it when it is destroyed, so every path of the caller gives it back.
//
//     auto handle = echo.open();                 // null: no echo socket to be had
//     auto reply = handle->send(address, QByteArray(32, 'A'), 255, 2000);
//     handle.reset();                            // socket closed here
class IcmpEcho
{
public:
    struct Reply {
        Ipv4Address from{}; // the host that answered (for an error message, the router that sent it)
        std::uint32_t status = 0; // 0 = echo reply; otherwise an error code (see SystemIcmpEcho)
    };

    class Handle
    {
    public:
        virtual ~Handle() = default;
        // Sends one echo request with data as its payload and waits at most
        // timeoutMs for the answer. Nothing when no answer came in time or the
        // request could not be sent; 0.0.0.0 is never echoed and gives nothing.
        virtual std::optional<Reply> send(const Ipv4Address &destination, const QByteArray &data, int ttl,
                                          int timeoutMs) = 0;
    };

    virtual ~IcmpEcho() = default;
    virtual std::unique_ptr<Handle> open() = 0;
};
