// UDP: host look-ups.  The buffer, the name and address last asked for and
// the result are shared by every UDP object; one look-up at a time.
#include <vantrel/udp.h>

#include <cstring>

namespace {

alignas(alignof(hostent)) char gLookupBuffer[MAXGETHOSTSTRUCT];
const char* gLastName = nullptr;
unsigned long gLastAddress = INADDR_NONE;
_HOSTDATA gHostData;

} // namespace

bool UDP::resolve(const char* name)
{
    gLastName = name;
    if (!name || !*name)
        return false;
    gLastAddress = ::inet_addr(name);
    HANDLE request;
    if (gLastAddress != INADDR_NONE) {
        const uint32_t address = static_cast<uint32_t>(gLastAddress);
        request = WSAAsyncGetHostByAddr(window, VTL_WM_HOSTLOOKUP, reinterpret_cast<const char*>(&address), 4,
                                        AF_INET, gLookupBuffer, MAXGETHOSTSTRUCT);
    } else {
        request = WSAAsyncGetHostByName(window, VTL_WM_HOSTLOOKUP, name, gLookupBuffer, MAXGETHOSTSTRUCT);
    }
    if (!request) {
        WSAGetLastError(); // nothing to tell the caller beyond false
        return false;
    }
    return true;
}

_HOSTDATA* UDP::responce(unsigned int error)
{
    if (error != 0)
        return nullptr;
    hostent host;
    std::memcpy(&host, gLookupBuffer, sizeof host);
    gHostData.name = host.h_name;
    gHostData.address = 0;
    if (host.h_addr_list && host.h_addr_list[0])
        std::memcpy(&gHostData.address, host.h_addr_list[0], 4);
    return &gHostData;
}
