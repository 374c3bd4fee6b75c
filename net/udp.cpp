// UDP: opening, sending and receiving.
#include <vantrel/udp.h>

#include "net/join_datagram.h"
#include "platform/posix/socket_notifier.h"

#include <cerrno>

namespace {

constexpr long kSocketEvents = FD_READ | FD_WRITE;

sockaddr_in ipv4(unsigned long address, unsigned short networkPort)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = networkPort;
    sa.sin_addr.s_addr = static_cast<in_addr_t>(address);
    return sa;
}

// A hard close: unsent data is dropped rather than lingering.
void closeHard(SOCKET s)
{
    if (s == INVALID_SOCKET)
        return;
    linger hard{};
    hard.l_onoff = 1;
    hard.l_linger = 0;
    ::setsockopt(static_cast<int>(s), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    closesocket(s);
}

} // namespace

bool UDP::init(HWND w)
{
    WSADATA data;
    if (WSAStartup(0x0101, &data) != 0)
        return false;
    if (LOBYTE(data.wVersion) < 1) {
        WSACleanup();
        return false;
    }
    window = w;
    return true;
}

void UDP::destroy()
{
    WSACleanup();
}

bool UDP::open(unsigned short networkPort)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd < 0) {
        socket = INVALID_SOCKET;
        return false;
    }
    socket = static_cast<SOCKET>(fd);
    const sockaddr_in local = ipv4(htonl(INADDR_ANY), networkPort);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        const int error = WSAGetLastError();
        closeHard(socket);
        socket = INVALID_SOCKET;
        WSASetLastError(error);
        return false;
    }
    if (WSAAsyncSelect(socket, window, VTL_WM_SOCKET, kSocketEvents) != 0 && WSAGetLastError() != 0) {
        // Not kept half-open: a socket nobody hears from would only hold the
        // port.
        const int error = WSAGetLastError();
        closeHard(socket);
        socket = INVALID_SOCKET;
        WSASetLastError(error);
        return false;
    }
    return true;
}

bool UDP::host(unsigned short p)
{
    if (!open(htons(p)))
        return false;
    port = p;
    portOffset = 1;
    return true;
}

bool UDP::join(unsigned long address, unsigned short p, const char* text1, const char* text2)
{
    uint8_t datagram[vtl::kJoinDatagramSize];
    vtl::buildJoinDatagram(text1, text2, datagram);
    if (!open(htons(static_cast<unsigned short>(p - 1))))
        return false;
    portOffset = 0;
    port = p;
    return send(address, datagram, sizeof datagram);
}

bool UDP::send(unsigned long address, const void* data, unsigned int size)
{
    if (socket == INVALID_SOCKET || (!data && size != 0))
        return false;
    const sockaddr_in to = ipv4(address, htons(static_cast<unsigned short>(port - portOffset)));
    const ssize_t sent =
        ::sendto(static_cast<int>(socket), data, size, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        vtl::socketNotifier().reenableWrite(socket);
    return sent >= 0 && static_cast<unsigned int>(sent) == size;
}

bool UDP::recv(unsigned long* from, void* data, int* size, int capacity)
{
    return recv(VTLDwordOut(from), data, size, capacity);
}

bool UDP::recv(VTLDwordOut from, void* data, int* size, int capacity)
{
    if (socket == INVALID_SOCKET || !size)
        return false;
    const int fd = static_cast<int>(socket);
    u_long waiting = 0;
    if (ioctlsocket(socket, FIONREAD, &waiting) != 0)
        return false;
    if (waiting < 1) {
        // An empty datagram reads as 0 bytes waiting; take it off the queue
        // so that it cannot hide the datagrams behind it.
        char none;
        ::recv(fd, &none, 0, MSG_DONTWAIT);
        *size = 0;
        return false;
    }
    int type = 0;
    socklen_t typeLength = sizeof type;
    if (::getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &typeLength) != 0 || type != SOCK_DGRAM)
        return false;

    sockaddr_in sender{};
    socklen_t senderLength = sizeof sender;
    if (capacity < 0 || (!data && capacity > 0))
        capacity = 0;
    // Never blocks: a datagram is known to be waiting, and the flag covers a
    // socket read elsewhere in the meantime.
    const ssize_t got = ::recvfrom(fd, data, static_cast<size_t>(capacity), MSG_DONTWAIT,
                                   reinterpret_cast<sockaddr*>(&sender), &senderLength);
    vtl::socketNotifier().reenableRead(socket);
    if (got < 0)
        return false;
    from.store(sender.sin_addr.s_addr);
    *size = static_cast<int>(got);
    return true;
}

void UDP::quit()
{
    closesocket(socket);
}
