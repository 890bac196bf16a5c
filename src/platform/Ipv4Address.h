#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// An IPv4 address as its four bytes in network order, the way the resolver
// hands it over and the echo reply carries it. All zero is 0.0.0.0, the
// address of a name that did not resolve.
using Ipv4Address = std::array<std::uint8_t, 4>;

// The bytes in their stored order as decimal numbers without leading zeros,
// joined by ".": 7 to 15 characters.
inline QString DottedAddress(const Ipv4Address &address)
{
    QStringList parts;
    for (const std::uint8_t byte : address)
        parts.append(QString::number(byte));
    return parts.join(QLatin1Char('.'));
}

inline bool IsUnspecified(const Ipv4Address &address)
{
    return address == Ipv4Address{};
}
