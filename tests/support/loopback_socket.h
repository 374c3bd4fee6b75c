// A datagram socket bound to a free port on 127.0.0.1, made with the
// system's own socket() as Winsock programs make theirs, for the tests that
// send real datagrams on loopback.
#ifndef VANTREL_TESTS_LOOPBACK_SOCKET_H
#define VANTREL_TESTS_LOOPBACK_SOCKET_H

#include <vantrel/win32/winsock.h>

#include <sys/socket.h>

namespace test {

// INVALID_SOCKET when it cannot be had; `at`, when given, receives the
// address the socket was bound to.
inline SOCKET openLoopbackSocket(sockaddr_in* at = nullptr)
{
    const SOCKET s = static_cast<SOCKET>(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = inet_addr("127.0.0.1");
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<const sockaddr*>(&local), int{sizeof local}) != 0)
        return INVALID_SOCKET;
    if (at) {
        socklen_t length = sizeof *at;
        ::getsockname(static_cast<int>(s), reinterpret_cast<sockaddr*>(at), &length);
    }
    return s;
}

} // namespace test

#endif
