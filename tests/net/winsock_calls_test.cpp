// Winsock's own socket calls: which one a call reaches, and the Winsock
// rules they keep (cut datagrams, re-armed events, selected sockets staying
// non-blocking, sockets kept from started programs).
#include <vantrel/udp.h>

#include "support/loopback_socket.h"
#include "window_messages.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <type_traits>
#include <unistd.h>
#include <utility>

namespace {

// A call with Winsock's types reaches Winsock's overload (int result); one
// with the system's types reaches the system's (ssize_t result).
using WinsockRecv = decltype(recvfrom(std::declval<SOCKET>(), std::declval<char*>(), 0, 0,
                                      std::declval<sockaddr*>(), std::declval<int*>()));
using SystemRecv = decltype(recvfrom(0, std::declval<void*>(), size_t{0}, 0, std::declval<sockaddr*>(),
                                     std::declval<socklen_t*>()));
using WinsockSend = decltype(sendto(std::declval<SOCKET>(), std::declval<const char*>(), 0, 0,
                                    std::declval<const sockaddr*>(), 0));
static_assert(std::is_same_v<WinsockRecv, int> && std::is_same_v<WinsockSend, int>);
static_assert(std::is_same_v<SystemRecv, ssize_t>);

class WinsockCallsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(WSAStartup(0x0101, &data), 0);
        receiver = test::openLoopbackSocket();
        sender = test::openLoopbackSocket();
        ASSERT_NE(receiver, INVALID_SOCKET);
        ASSERT_NE(sender, INVALID_SOCKET);
        socklen_t length = sizeof to;
        ASSERT_EQ(::getsockname(static_cast<int>(receiver), reinterpret_cast<sockaddr*>(&to), &length), 0);
    }
    void TearDown() override
    {
        closesocket(receiver);
        closesocket(sender);
        WSACleanup();
    }
    void send(const char* text, int length)
    {
        ASSERT_EQ(sendto(sender, text, length, 0, reinterpret_cast<const sockaddr*>(&to), int{sizeof to}), length);
    }
    bool waitForRead(MessageWindow& window)
    {
        MSG m;
        while (window.waitFor(0x464, &m))
            if (m.wParam == receiver && WSAGETSELECTEVENT(m.lParam) == FD_READ)
                return true;
        return false;
    }

    SOCKET receiver = INVALID_SOCKET;
    SOCKET sender = INVALID_SOCKET;
    sockaddr_in to{};
};

TEST_F(WinsockCallsTest, ALongDatagramFillsTheBufferAndReportsItWasCut)
{
    send("0123456789", 10);
    u_long on = 1;
    ASSERT_EQ(ioctlsocket(receiver, FIONBIO, &on), 0);
    char buffer[5] = {};
    sockaddr_in from{};
    int fromLength = sizeof from;
    // The datagram may still be on its way through loopback.
    int got = SOCKET_ERROR;
    for (int i = 0; i < 1000 && got == SOCKET_ERROR; ++i) {
        got = recvfrom(receiver, buffer, 4, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (got == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK)
            break;
        usleep(1000);
    }
    EXPECT_EQ(got, SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEMSGSIZE);
    EXPECT_STREQ(buffer, "0123");
    EXPECT_EQ(recvfrom(receiver, buffer, 4, 0, nullptr, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK) << "the rest of the datagram is gone";
}

TEST_F(WinsockCallsTest, EachRecvfromBringsFdReadBackWhileDatagramsWait)
{
    MessageWindow window;
    ASSERT_EQ(WSAAsyncSelect(receiver, window.hwnd(), 0x464, FD_READ), 0);
    send("a", 1);
    send("b", 1);
    ASSERT_TRUE(waitForRead(window));
    char byte = 0;
    ASSERT_EQ(recvfrom(receiver, &byte, 1, 0, nullptr, nullptr), 1);
    EXPECT_EQ(byte, 'a');
    ASSERT_TRUE(waitForRead(window)) << "re-armed by the first read";
    ASSERT_EQ(recvfrom(receiver, &byte, 1, 0, nullptr, nullptr), 1);
    EXPECT_EQ(byte, 'b');
}

TEST_F(WinsockCallsTest, ASelectedSocketStaysNonBlockingUntilTheSelectionEnds)
{
    MessageWindow window;
    ASSERT_EQ(WSAAsyncSelect(receiver, window.hwnd(), 0x464, FD_READ), 0);
    u_long off = 0;
    EXPECT_EQ(ioctlsocket(receiver, FIONBIO, &off), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    char byte;
    EXPECT_EQ(recvfrom(receiver, &byte, 1, 0, nullptr, nullptr), SOCKET_ERROR) << "returned without waiting";
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);

    ASSERT_EQ(WSAAsyncSelect(receiver, window.hwnd(), 0, 0), 0);
    EXPECT_EQ(ioctlsocket(receiver, FIONBIO, &off), 0);
}

TEST_F(WinsockCallsTest, ABoundSocketIsNotHandedToStartedPrograms)
{
    const int flags = ::fcntl(static_cast<int>(receiver), F_GETFD);
    ASSERT_GE(flags, 0);
    EXPECT_TRUE(flags & FD_CLOEXEC);
}

TEST_F(WinsockCallsTest, BadArgumentsAreWinsockErrors)
{
    char buffer[4];
    EXPECT_EQ(recvfrom(receiver, buffer, -1, 0, nullptr, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    EXPECT_EQ(sendto(sender, nullptr, 4, 0, reinterpret_cast<const sockaddr*>(&to), int{sizeof to}), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    int type = 0;
    int length = sizeof type;
    ASSERT_EQ(getsockopt(receiver, SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &length), 0);
    EXPECT_EQ(type, SOCK_DGRAM);
    EXPECT_EQ(length, int{sizeof type});
}

} // namespace
