// UDP: opening, sending and receiving, through Winsock's calls alone.  The
// socket calls reach Winsock's versions of bind, sendto, recvfrom and the
// options by their argument types (a SOCKET, char buffers, int lengths; see
// <vantrel/win32/winsock.h>), which keep WSAAsyncSelect's events re-armed.
#include <vantrel/udp.h>

#include "net/join_datagram.h"
#include <vantrel/core.h>

#include <cstring>

namespace {

constexpr long kSocketEvents = FD_READ | FD_WRITE;

sockaddr_in ipv4(unsigned long address, unsigned short networkPort)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = networkPort;
    sa.sin_addr.s_addr = static_cast<uint32_t>(address);
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
    ::setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), static_cast<int>(sizeof hard));
    closesocket(s);
}

} // namespace

bool UDP::init(HWND w)
{
    WSADATA data;
    std::memset(&data, 0, sizeof data);
    if (const int error = WSAStartup(0x0101, &data)) {
        // Where the system says why (a page has no UDP), the player hears it.
        if (data.szSystemStatus[0])
            Msg("UDP::init() - No network: %s (Winsock error %d).", data.szSystemStatus, error);
        return false;
    }
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
    socket = static_cast<SOCKET>(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
    if (socket == INVALID_SOCKET)
        return false;
    const sockaddr_in local = ipv4(htonl(INADDR_ANY), networkPort);
    if (::bind(socket, reinterpret_cast<const sockaddr*>(&local), static_cast<int>(sizeof local)) != 0) {
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
    if (socket == INVALID_SOCKET || (!data && size != 0) || size > 0x7FFFFFFFu)
        return false;
    const sockaddr_in to = ipv4(address, htons(static_cast<unsigned short>(port - portOffset)));
    const int sent = ::sendto(socket, static_cast<const char*>(data), static_cast<int>(size), 0,
                              reinterpret_cast<const sockaddr*>(&to), static_cast<int>(sizeof to));
    return sent != SOCKET_ERROR && static_cast<unsigned int>(sent) == size;
}

bool UDP::recv(unsigned long* from, void* data, int* size, int capacity)
{
    return recv(VTLDwordOut(from), data, size, capacity);
}

bool UDP::recv(VTLDwordOut from, void* data, int* size, int capacity)
{
    if (socket == INVALID_SOCKET || !size)
        return false;
    u_long waiting = 0;
    if (ioctlsocket(socket, FIONREAD, &waiting) != 0)
        return false;
    if (waiting < 1) {
        // An empty datagram reads as 0 bytes waiting; take it off the queue
        // so that it cannot hide the datagrams behind it.  The socket is
        // non-blocking (WSAAsyncSelect made it so), so with nothing queued
        // this returns at once.
        char none;
        ::recvfrom(socket, &none, 0, 0, nullptr, nullptr);
        *size = 0;
        return false;
    }
    int type = 0;
    int typeLength = static_cast<int>(sizeof type);
    if (::getsockopt(socket, SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &typeLength) != 0 ||
        type != SOCK_DGRAM)
        return false;

    sockaddr_in sender{};
    int senderLength = static_cast<int>(sizeof sender);
    if (capacity < 0 || (!data && capacity > 0))
        capacity = 0;
    int got = ::recvfrom(socket, static_cast<char*>(data), capacity, 0, reinterpret_cast<sockaddr*>(&sender),
                         &senderLength);
    if (got == SOCKET_ERROR) {
        // A longer datagram was cut to the capacity and is still taken.
        if (WSAGetLastError() != WSAEMSGSIZE)
            return false;
        got = capacity;
    }
    from.store(sender.sin_addr.s_addr);
    *size = got;
    return true;
}

void UDP::quit()
{
    // Forgotten at once: the number may be given to the next file the game
    // opens, which a second quit must not close.
    closesocket(socket);
    socket = INVALID_SOCKET;
}
