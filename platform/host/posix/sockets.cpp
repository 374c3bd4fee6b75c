// Datagram sockets on POSIX: a SOCKET holds the descriptor.  The system's
// calls are given the system's argument types (int descriptor, void*
// buffers), which keeps them apart from Winsock's overloads.  Failures leave
// errno set, which WSAGetLastError reads as the Winsock number
// (winsock_errors.cpp).
#include "platform/host/sockets.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vtl::host {

namespace {

int fd(SOCKET s)
{
    return static_cast<int>(s);
}

// Winsock's lengths are ints; a negative one is a bad argument.
bool toLength(int length, socklen_t* out)
{
    if (length < 0) {
        errno = EFAULT;
        return false;
    }
    *out = static_cast<socklen_t>(length);
    return true;
}

} // namespace

const char* socketsMissing()
{
    return nullptr;
}

bool isInternetSocket(SOCKET s)
{
    int family = 0;
    socklen_t length = sizeof family;
    if (s == INVALID_SOCKET || ::getsockopt(fd(s), SOL_SOCKET, SO_DOMAIN, &family, &length) != 0)
        return false;
    return family == AF_INET || family == AF_INET6;
}

int socketType(SOCKET s)
{
    int type = 0;
    socklen_t length = sizeof type;
    if (s == INVALID_SOCKET || ::getsockopt(fd(s), SOL_SOCKET, SO_TYPE, &type, &length) != 0)
        return -1;
    return type;
}

int setNonBlocking(SOCKET s, bool nonBlocking)
{
    const int flags = s == INVALID_SOCKET ? -1 : ::fcntl(fd(s), F_GETFL);
    if (flags < 0)
        return -1;
    const int wanted = nonBlocking ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    return ::fcntl(fd(s), F_SETFL, wanted) == 0 ? 0 : -1;
}

int setCloseOnExec(SOCKET s)
{
    const int flags = s == INVALID_SOCKET ? -1 : ::fcntl(fd(s), F_GETFD);
    if (flags < 0)
        return -1;
    return ::fcntl(fd(s), F_SETFD, flags | FD_CLOEXEC) == 0 ? 0 : -1;
}

int closeSocket(SOCKET s)
{
    return ::close(fd(s)) == 0 ? 0 : -1;
}

int bytesWaiting(SOCKET s, unsigned long* count)
{
    int waiting = 0;
    if (s == INVALID_SOCKET || ::ioctl(fd(s), FIONREAD, &waiting) != 0)
        return -1;
    *count = static_cast<unsigned long>(waiting);
    return 0;
}

int bindSocket(SOCKET s, const sockaddr* address, int length)
{
    socklen_t size;
    if (!toLength(length, &size))
        return -1;
    return ::bind(fd(s), address, size) == 0 ? 0 : -1;
}

long sendTo(SOCKET s, const char* data, size_t size, int flags, const sockaddr* to, int toLength)
{
    socklen_t length;
    if (!vtl::host::toLength(toLength, &length))
        return -1;
    return static_cast<long>(::sendto(fd(s), static_cast<const void*>(data), size, flags, to, length));
}

long receiveFrom(SOCKET s, char* data, size_t capacity, int flags, sockaddr* from, int* fromLength,
                 size_t* datagramLength)
{
    socklen_t length = 0;
    if (from && (!fromLength || !toLength(*fromLength, &length)))
        return -1;
    // MSG_TRUNC: the result is the datagram's own length even when it was cut.
    const ssize_t got = ::recvfrom(fd(s), static_cast<void*>(data), capacity, flags | MSG_TRUNC, from, from ? &length : nullptr);
    if (got < 0)
        return -1;
    if (from)
        *fromLength = static_cast<int>(length);
    *datagramLength = static_cast<size_t>(got);
    return static_cast<long>(static_cast<size_t>(got) < capacity ? static_cast<size_t>(got) : capacity);
}

int getOption(SOCKET s, int level, int name, char* value, int* length)
{
    socklen_t size;
    if (!length || !toLength(*length, &size))
        return -1;
    if (::getsockopt(fd(s), level, name, static_cast<void*>(value), &size) != 0)
        return -1;
    *length = static_cast<int>(size);
    return 0;
}

int setOption(SOCKET s, int level, int name, const char* value, int length)
{
    socklen_t size;
    if (!toLength(length, &size))
        return -1;
    return ::setsockopt(fd(s), level, name, static_cast<const void*>(value), size) == 0 ? 0 : -1;
}

} // namespace vtl::host
