#include "SystemNameLookup.h"

#include <cstring>
#include <memory>

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

std::optional<Ipv4Address> SystemNameLookup::firstIpv4(const QString &name)
{
    // The name goes to the resolver as UTF-8, the encoding names have in the
    // local hosts file; a NUL typed into the name ends it there.
    const QByteArray bytes = name.toUtf8();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    // One socket type, so each address is listed once.
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(bytes.constData(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, &::freeaddrinfo);
    for (const addrinfo *entry = list.get(); entry; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET || !entry->ai_addr)
            continue;
        const auto *ipv4 = reinterpret_cast<const sockaddr_in *>(entry->ai_addr);
        Ipv4Address address;
        static_assert(sizeof address == sizeof ipv4->sin_addr.s_addr);
        std::memcpy(address.data(), &ipv4->sin_addr.s_addr, address.size());
        return address;
    }
    return std::nullopt;
}
