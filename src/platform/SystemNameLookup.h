#pragma once

#include "NameLookup.h"

// The system resolver (getaddrinfo, IPv4 only): /etc/hosts, then DNS, as the
// machine is set up.
class SystemNameLookup : public NameLookup
{
public:
    std::optional<Ipv4Address> firstIpv4(const QString &name) override;
};
