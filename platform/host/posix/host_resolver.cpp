// Name look-ups through the system's resolver (getaddrinfo, getnameinfo).
#include "platform/host/posix/winsock_errors.h"
#include "platform/host/sockets.h"

#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace vtl::host {

int resolveName(const std::string& name, HostRecord& out)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    const int result = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
    if (result != 0)
        return wsaErrorFromLookup(result);
    out.name = (found && found->ai_canonname) ? found->ai_canonname : name;
    for (addrinfo* a = found; a; a = a->ai_next) {
        if (a->ai_family != AF_INET)
            continue;
        uint32_t address;
        std::memcpy(&address, &reinterpret_cast<sockaddr_in*>(a->ai_addr)->sin_addr, 4);
        bool seen = false;
        for (uint32_t known : out.addresses)
            seen = seen || known == address;
        if (!seen)
            out.addresses.push_back(address);
    }
    ::freeaddrinfo(found);
    return out.addresses.empty() ? WSANO_DATA : 0;
}

int resolveAddress(uint32_t address, HostRecord& out)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = address;
    char name[NI_MAXHOST];
    // Without NI_NAMEREQD an address with no name gives its dotted form.
    const int result =
        ::getnameinfo(reinterpret_cast<sockaddr*>(&sa), sizeof sa, name, sizeof name, nullptr, 0, 0);
    if (result != 0)
        return wsaErrorFromLookup(result);
    out.name = name;
    out.addresses.push_back(address);
    return 0;
}

} // namespace vtl::host
