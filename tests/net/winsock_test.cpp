// The Winsock-shaped layer: start-up, error numbers, ioctlsocket and the
// hostent layout.
#include <vantrel/win32/winsock.h>

#include "platform/winsock/host_lookup.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

TEST(WinsockStartup, GrantsVersionOneOneAndCountsCalls)
{
    WSADATA data;
    ASSERT_EQ(WSAStartup(0x0101, &data), 0);
    EXPECT_EQ(data.wVersion, 0x0101);
    EXPECT_EQ(data.wHighVersion, 0x0101);
    ASSERT_EQ(WSAStartup(0x0202, &data), 0);
    EXPECT_EQ(data.wVersion, 0x0101) << "a newer request is granted 1.1";
    ASSERT_EQ(WSAStartup(0x0001, &data), 0);
    EXPECT_EQ(data.wVersion, 0x0001);
    EXPECT_EQ(WSAStartup(0x0100, &data), WSAVERNOTSUPPORTED) << "version 0.1";
    EXPECT_EQ(WSAStartup(0x0101, nullptr), WSAEFAULT);

    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

TEST(WinsockErrors, SystemErrorsReadAsWinsockNumbers)
{
    WSADATA data;
    ASSERT_EQ(WSAStartup(0x0101, &data), 0);
    const int a = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    const int b = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = inet_addr("127.0.0.1");
    ASSERT_EQ(::bind(a, reinterpret_cast<sockaddr*>(&sa), sizeof sa), 0);
    socklen_t length = sizeof sa;
    ASSERT_EQ(::getsockname(a, reinterpret_cast<sockaddr*>(&sa), &length), 0);
    EXPECT_EQ(::bind(b, reinterpret_cast<sockaddr*>(&sa), sizeof sa), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEADDRINUSE);

    u_long nonBlocking = 1;
    ASSERT_EQ(ioctlsocket(static_cast<SOCKET>(a), FIONBIO, &nonBlocking), 0);
    char byte;
    EXPECT_LT(::recv(a, &byte, 1, 0), 0);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);

    WSASetLastError(WSAEMSGSIZE);
    EXPECT_EQ(WSAGetLastError(), 10040);
    WSASetLastError(0);
    EXPECT_EQ(WSAGetLastError(), 0);

    EXPECT_EQ(closesocket(static_cast<SOCKET>(a)), 0);
    EXPECT_EQ(closesocket(static_cast<SOCKET>(b)), 0);
    EXPECT_EQ(closesocket(INVALID_SOCKET), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(ioctlsocket(static_cast<SOCKET>(a), FIONREAD, &nonBlocking), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    WSACleanup();
}

// A SOCKET is a descriptor number; closesocket on a number that holds a
// file, a pipe or a local socket refuses, as Winsock does for a handle that
// is no socket, and the descriptor stays usable.
TEST(WinsockErrors, ClosesocketLeavesWhatIsNoSocketOpen)
{
    char path[] = "/tmp/vantrel-notsock-XXXXXX";
    const int file = mkstemp(path);
    ASSERT_GE(file, 0);
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    int local[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_DGRAM, 0, local), 0);
    for (int fd : {file, pipeEnds[1], local[0]}) {
        WSASetLastError(0);
        EXPECT_EQ(closesocket(static_cast<SOCKET>(fd)), SOCKET_ERROR) << fd;
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK) << fd;
        EXPECT_NE(::fcntl(fd, F_GETFD), -1) << fd << " was closed";
    }
    EXPECT_EQ(::write(file, "x", 1), 1);
    EXPECT_EQ(::write(pipeEnds[1], "x", 1), 1);
    for (int fd : {file, pipeEnds[0], pipeEnds[1], local[0], local[1]})
        ::close(fd);
    std::remove(path);
}

TEST(WinsockErrors, AsynchronousCallsNeedStartup)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    EXPECT_EQ(WSAAsyncSelect(static_cast<SOCKET>(fd), nullptr, 0x464, FD_READ), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    char buffer[MAXGETHOSTSTRUCT];
    EXPECT_EQ(WSAAsyncGetHostByName(nullptr, 0x465, "localhost", buffer, sizeof buffer), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    ::close(fd);

    WSADATA data;
    ASSERT_EQ(WSAStartup(0x0101, &data), 0);
    EXPECT_EQ(WSAAsyncSelect(12345, nullptr, 0x464, FD_READ), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    const uint32_t address = inet_addr("127.0.0.1");
    EXPECT_EQ(WSAAsyncGetHostByAddr(nullptr, 0x465, reinterpret_cast<const char*>(&address), 16, AF_INET, buffer,
                                    sizeof buffer),
              nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    EXPECT_EQ(WSACancelAsyncRequest(reinterpret_cast<HANDLE>(999999)), SOCKET_ERROR);
    WSACleanup();
}

TEST(HostentLayout, TheStructureComesFirstWithEverythingItPointsToInTheBuffer)
{
    vtl::HostRecord host{"game-server", {inet_addr("10.1.2.3"), inet_addr("127.0.0.1")}};
    alignas(8) char buffer[MAXGETHOSTSTRUCT];
    bool fits = false;
    const size_t used = vtl::layOutHostent(host, buffer, sizeof buffer, &fits);
    ASSERT_TRUE(fits);
    const hostent* h = reinterpret_cast<const hostent*>(buffer);
    auto inside = [&](const void* p) { return p >= buffer && p < buffer + used; };
    EXPECT_STREQ(h->h_name, "game-server");
    EXPECT_TRUE(inside(h->h_name));
    EXPECT_EQ(h->h_addrtype, AF_INET);
    EXPECT_EQ(h->h_length, 4);
    ASSERT_TRUE(inside(h->h_aliases));
    EXPECT_EQ(h->h_aliases[0], nullptr);
    ASSERT_TRUE(inside(h->h_addr_list));
    ASSERT_TRUE(inside(h->h_addr_list[0]));
    ASSERT_TRUE(inside(h->h_addr_list[1]));
    EXPECT_EQ(h->h_addr_list[2], nullptr);
    uint32_t first, second;
    std::memcpy(&first, h->h_addr_list[0], 4);
    std::memcpy(&second, h->h_addr_list[1], 4);
    EXPECT_EQ(first, inet_addr("10.1.2.3"));
    EXPECT_EQ(second, inet_addr("127.0.0.1"));

    // Too small: the size needed, nothing written.
    char small[48];
    std::memset(small, 0x5A, sizeof small);
    EXPECT_EQ(vtl::layOutHostent(host, small, sizeof small, &fits), used);
    EXPECT_FALSE(fits);
    EXPECT_EQ(small[0], 0x5A);
}

} // namespace
