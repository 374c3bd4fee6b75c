// A page has no datagram sockets: browsers give pages WebSockets and WebRTC,
// neither of which reaches a UDP peer.  WSAStartup says so (socketsMissing),
// and every call that gets past it fails with the network down.
#include "platform/host/sockets.h"

#include <cerrno>

namespace vtl::host {
namespace {

int networkDown()
{
    errno = ENETDOWN;
    return -1;
}

} // namespace

const char* socketsMissing()
{
    return "the browser build has no UDP";
}

bool isInternetSocket(SOCKET)
{
    return false;
}

int socketType(SOCKET)
{
    return networkDown();
}

int setNonBlocking(SOCKET, bool)
{
    return networkDown();
}

int setCloseOnExec(SOCKET)
{
    return networkDown();
}

int closeSocket(SOCKET)
{
    return networkDown();
}

int bytesWaiting(SOCKET, unsigned long*)
{
    return networkDown();
}

int bindSocket(SOCKET, const sockaddr*, int)
{
    return networkDown();
}

long sendTo(SOCKET, const char*, size_t, int, const sockaddr*, int)
{
    return networkDown();
}

long receiveFrom(SOCKET, char*, size_t, int, sockaddr*, int*, size_t*)
{
    return networkDown();
}

int getOption(SOCKET, int, int, char*, int*)
{
    return networkDown();
}

int setOption(SOCKET, int, int, const char*, int)
{
    return networkDown();
}

} // namespace vtl::host
