// Winsock's socket calls over the host's sockets: the rules of when
// WSAAsyncSelect's events are re-armed and which error each call reports live
// here; the host (platform/host/sockets.h) only moves bytes.
#include <vantrel/win32/winsock.h>

#include "platform/host/sockets.h"
#include "platform/winsock/winsock_startup.h"
#include "platform/kernel/trace.h"

namespace {

namespace host = vtl::host;

int failWith(int error)
{
    WSASetLastError(error);
    return SOCKET_ERROR;
}

// A SOCKET is a descriptor number, and a stale one may by now hold a pipe, a
// file, the message queue's own descriptors or the library's local sockets:
// every call refuses those before it changes anything (non-blocking mode,
// close-on-exec, a watch).
bool isWinsockSocket(SOCKET s)
{
    return host::isInternetSocket(s);
}

// Whether an address length holds the socket's kind of address: a shorter
// one is WSAEFAULT on Winsock, where the system would cut the address (and
// recvfrom would take the datagram and report a length longer than the
// caller's buffer).
bool holdsAddress(SOCKET s, int length)
{
    if (length < static_cast<int>(sizeof(sockaddr_in)))
        return false;
    if (length >= static_cast<int>(sizeof(sockaddr_in6)))
        return true;
    int family = AF_INET;
    int size = sizeof family;
    host::getOption(s, SOL_SOCKET, SO_DOMAIN, reinterpret_cast<char*>(&family), &size);
    return family != AF_INET6;
}

} // namespace

int WSAAsyncSelect(SOCKET s, HWND window, UINT message, long events)
{
    VTL_TRACE(winsock, "WSAAsyncSelect", s, window, vtl::trace::Message{message}, events);
    if (!vtl::winsockStarted())
        return vtlTraceCall_.result(failWith(WSANOTINITIALISED));
    if (!isWinsockSocket(s))
        return vtlTraceCall_.result(failWith(WSAENOTSOCK));
    if (host::setNonBlocking(s, true) != 0)
        return vtlTraceCall_.result(SOCKET_ERROR);
    if (!window || (events & (FD_READ | FD_WRITE)) == 0)
        host::forgetSocket(s);
    else
        host::watchSocket(s, window, message, events);
    return vtlTraceCall_.result(0);
}

int closesocket(SOCKET s)
{
    VTL_TRACE(winsock, "closesocket", s);
    // Closing whatever holds the number would take a file, standard input or
    // the library's own socket away from under its owner.
    if (!isWinsockSocket(s))
        return vtlTraceCall_.result(failWith(WSAENOTSOCK));
    host::forgetSocket(s);
    return vtlTraceCall_.result(host::closeSocket(s) == 0 ? 0 : SOCKET_ERROR);
}

int ioctlsocket(SOCKET s, long command, u_long* argument)
{
    VTL_TRACE(winsock, "ioctlsocket", s, command, argument);
    if (!isWinsockSocket(s))
        return vtlTraceCall_.result(failWith(WSAENOTSOCK));
    if (!argument)
        return vtlTraceCall_.result(failWith(WSAEFAULT));
    if (static_cast<unsigned long>(command) == FIONREAD) {
        unsigned long waiting = 0;
        if (host::bytesWaiting(s, &waiting) != 0)
            return vtlTraceCall_.result(SOCKET_ERROR);
        *argument = static_cast<u_long>(waiting);
        // A drained socket can report the next datagram.
        if (waiting == 0)
            host::rearmRead(s);
        return vtlTraceCall_.result(0);
    }
    if (static_cast<unsigned long>(command) == FIONBIO) {
        // A socket under WSAAsyncSelect stays non-blocking, as on Winsock, so
        // that a read prompted by its event never waits.
        if (*argument == 0 && host::isWatched(s))
            return vtlTraceCall_.result(failWith(WSAEINVAL));
        return vtlTraceCall_.result(host::setNonBlocking(s, *argument != 0) == 0 ? 0 : SOCKET_ERROR);
    }
    VTL_UNSUPPORTED("ioctlsocket other than FIONREAD and FIONBIO", "fails");
    return vtlTraceCall_.result(failWith(WSAEINVAL));
}

int bind(SOCKET s, const struct sockaddr* name, int nameLength)
{
    VTL_TRACE(winsock, "bind", s, vtl::trace::SockAddr{name}, nameLength);
    if (!isWinsockSocket(s))
        return vtlTraceCall_.result(failWith(WSAENOTSOCK));
    if (!name || !holdsAddress(s, nameLength))
        return vtlTraceCall_.result(failWith(WSAEFAULT));
    // Before the port is taken: a program the game starts must not hold it.
    host::setCloseOnExec(s);
    return vtlTraceCall_.result(host::bindSocket(s, name, nameLength) == 0 ? 0 : SOCKET_ERROR);
}

int sendto(SOCKET s, const char* buffer, int length, int flags, const struct sockaddr* to, int toLength)
{
    VTL_TRACE(winsock, "sendto", s, static_cast<const void*>(buffer), length, flags, vtl::trace::SockAddr{to},
              toLength);
    if (!isWinsockSocket(s))
        return vtlTraceCall_.result(failWith(WSAENOTSOCK));
    if (length < 0 || (!buffer && length > 0) || (to && !holdsAddress(s, toLength)))
        return vtlTraceCall_.result(failWith(WSAEFAULT));
    const long sent = host::sendTo(s, buffer, static_cast<size_t>(length), flags, to, toLength);
    if (sent < 0) {
        // FD_WRITE comes again once the send buffer has room.
        if (WSAGetLastError() == WSAEWOULDBLOCK)
            host::rearmWrite(s);
        return vtlTraceCall_.result(SOCKET_ERROR);
    }
    return vtlTraceCall_.result(static_cast<int>(sent));
}

int recvfrom(SOCKET s, char* buffer, int length, int flags, struct sockaddr* from, int* fromLength)
{
    VTL_TRACE(winsock, "recvfrom", s, static_cast<const void*>(buffer), length, flags, from, fromLength);
    if (!isWinsockSocket(s))
        return vtlTraceCall_.result(failWith(WSAENOTSOCK));
    if (length < 0 || (!buffer && length > 0) || (from && (!fromLength || !holdsAddress(s, *fromLength)))) {
        // A refused read re-arms FD_READ too, or a game that got its
        // arguments wrong once would never hear of the socket again.
        host::rearmRead(s);
        return vtlTraceCall_.result(failWith(WSAEFAULT));
    }
    size_t whole = 0;
    const long got = host::receiveFrom(s, buffer, static_cast<size_t>(length), flags, from, fromLength, &whole);
    int error = got < 0 ? WSAGetLastError() : 0;
    // Every read re-arms FD_READ: the event comes again if more is waiting.
    host::rearmRead(s);
    if (got < 0)
        return vtlTraceCall_.result(failWith(error));
    if (whole > static_cast<size_t>(length))
        return vtlTraceCall_.result(failWith(WSAEMSGSIZE)); // the buffer holds the datagram's first `length` bytes
    return vtlTraceCall_.result(static_cast<int>(got));
}

int getsockopt(SOCKET s, int level, int name, char* value, int* length)
{
    VTL_TRACE(winsock, "getsockopt", s, level, name, static_cast<const void*>(value), length);
    if (!isWinsockSocket(s))
        return vtlTraceCall_.result(failWith(WSAENOTSOCK));
    if (!value || !length)
        return vtlTraceCall_.result(failWith(WSAEFAULT));
    return vtlTraceCall_.result(host::getOption(s, level, name, value, length) == 0 ? 0 : SOCKET_ERROR);
}

int setsockopt(SOCKET s, int level, int name, const char* value, int length)
{
    VTL_TRACE(winsock, "setsockopt", s, level, name, static_cast<const void*>(value), length);
    if (!isWinsockSocket(s))
        return vtlTraceCall_.result(failWith(WSAENOTSOCK));
    if (!value && length > 0)
        return vtlTraceCall_.result(failWith(WSAEFAULT));
    return vtlTraceCall_.result(host::setOption(s, level, name, value, length) == 0 ? 0 : SOCKET_ERROR);
}
