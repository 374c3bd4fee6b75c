#include <vantrel/win32/winsock.h>

#include "platform/winsock/host_lookup.h"
#include "platform/host/sockets.h"
#include "platform/winsock/winsock_startup.h"
#include "platform/kernel/trace.h"

#include <atomic>
#include <cstring>

namespace {
std::atomic<int> gStartups{0};
} // namespace

namespace vtl {

bool winsockStarted()
{
    return gStartups.load() > 0;
}

} // namespace vtl

int WSAStartup(WORD versionRequested, LPWSADATA data)
{
    VTL_TRACE(winsock, "WSAStartup", versionRequested, data);
    constexpr WORD kHighest = 0x0101; // 1.1: major in the low byte
    if (!data)
        return vtlTraceCall_.result(WSAEFAULT);
    const BYTE major = LOBYTE(versionRequested);
    const BYTE minor = HIBYTE(versionRequested);
    if (major < 1)
        return vtlTraceCall_.result(WSAVERNOTSUPPORTED);
    std::memset(data, 0, sizeof *data);
    if (const char* missing = vtl::host::socketsMissing()) {
        // Windows leaves the structure undefined on failure; saying why
        // there is no network here lets the game tell the player.
        std::strncpy(data->szSystemStatus, missing, sizeof data->szSystemStatus - 1);
        return vtlTraceCall_.result(WSASYSNOTREADY);
    }
    data->wVersion = (major == 1 && minor <= 1) ? versionRequested : kHighest;
    data->wHighVersion = kHighest;
    std::strcpy(data->szDescription, "Vantrel sockets 1.1 over POSIX");
    std::strcpy(data->szSystemStatus, "Running");
    data->iMaxSockets = 32767;
    data->iMaxUdpDg = 65467;
    ++gStartups;
    return vtlTraceCall_.result(0);
}

int WSACleanup()
{
    VTL_TRACE0(winsock, "WSACleanup");
    int now = gStartups.load();
    do {
        if (now <= 0) {
            WSASetLastError(WSANOTINITIALISED);
            return vtlTraceCall_.result(SOCKET_ERROR);
        }
    } while (!gStartups.compare_exchange_weak(now, now - 1));
    if (now == 1) {
        vtl::host::stopWatchingSockets();
        vtl::cancelAllHostLookups();
    }
    return vtlTraceCall_.result(0);
}
