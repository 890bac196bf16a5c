#pragma once

#include "Ipv4Address.h"

#include <QString>
#include <optional>

// Turns a host name into its first IPv4 address. The host tool gets one
// through its constructor, so a test can answer for names it must not send
// anywhere.
class NameLookup
{
public:
    virtual ~NameLookup() = default;
    // The first IPv4 address the resolver lists for name, or nothing when the
    // name does not resolve.
    virtual std::optional<Ipv4Address> firstIpv4(const QString &name) = 0;
};
