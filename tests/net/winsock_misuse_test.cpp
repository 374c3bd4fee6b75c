// Winsock called the wrong way, as games do by accident: on closed sockets,
// on numbers that hold something else, from inside the window procedure
// that a notification reached, and across WSACleanup.
#include <vantrel/win32/winsock.h>

#include "support/loopback_socket.h"
#include "window_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr UINT kSocketEvent = 0x464;
constexpr UINT kLookupDone = 0x465;

void pumpFor(std::chrono::milliseconds time)
{
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&m);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

class WinsockMisuseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(WSAStartup(0x0101, &data), 0);
    }
    void TearDown() override { WSACleanup(); }
};

// The window procedure of the re-entrancy test: it closes the socket the
// first notification names, as a game that quits on a read error does.
int gNotifications = 0;
int gCloseResult = 1;

LRESULT CALLBACK closingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kSocketEvent) {
        if (++gNotifications == 1)
            gCloseResult = closesocket(static_cast<SOCKET>(wParam));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

TEST_F(WinsockMisuseTest, EveryCallOnAClosedSocketFailsWithWsaenotsock)
{
    MessageWindow window; // before the close, so that its queue cannot take the closed number
    sockaddr_in at{};
    const SOCKET s = test::openLoopbackSocket(&at);
    ASSERT_NE(s, INVALID_SOCKET);
    ASSERT_EQ(closesocket(s), 0);

    char byte = 0;
    u_long argument = 1;
    int length = sizeof byte;
    sockaddr_in from{};
    int fromLength = sizeof from;
    EXPECT_EQ(closesocket(s), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(sendto(s, &byte, 1, 0, reinterpret_cast<const sockaddr*>(&at), int{sizeof at}), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(recvfrom(s, &byte, 1, 0, reinterpret_cast<sockaddr*>(&from), &fromLength), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(WSAAsyncSelect(s, window.hwnd(), kSocketEvent, FD_READ | FD_WRITE), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(ioctlsocket(s, FIONBIO, &argument), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(getsockopt(s, SOL_SOCKET, SO_TYPE, &byte, &length), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(window.drain(kSocketEvent), 0);
}

// A SOCKET is a descriptor number, and a stale one may by now hold a pipe, a
// file or one of the library's own local sockets.  Winsock refuses anything
// that is not one of its sockets, and must not change it on the way.
TEST_F(WinsockMisuseTest, NumbersThatHoldNoWinsockSocketAreRefusedAndLeftAsTheyWere)
{
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const int local = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    ASSERT_GE(local, 0);
    MessageWindow window;
    for (int fd : {pipeEnds[0], local}) {
        const SOCKET s = static_cast<SOCKET>(fd);
        const int statusBefore = ::fcntl(fd, F_GETFL);
        const int flagsBefore = ::fcntl(fd, F_GETFD);
        u_long argument = 1;
        EXPECT_EQ(ioctlsocket(s, FIONBIO, &argument), SOCKET_ERROR) << fd;
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
        EXPECT_EQ(ioctlsocket(s, FIONREAD, &argument), SOCKET_ERROR) << fd;
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
        sockaddr_in any{};
        any.sin_family = AF_INET;
        EXPECT_EQ(bind(s, reinterpret_cast<const sockaddr*>(&any), int{sizeof any}), SOCKET_ERROR) << fd;
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
        EXPECT_EQ(WSAAsyncSelect(s, window.hwnd(), kSocketEvent, FD_READ), SOCKET_ERROR) << fd;
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
        char byte = 0;
        sockaddr_un from{};
        int fromLength = sizeof from;
        EXPECT_EQ(recvfrom(s, &byte, 1, 0, reinterpret_cast<sockaddr*>(&from), &fromLength), SOCKET_ERROR) << fd;
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
        EXPECT_EQ(::fcntl(fd, F_GETFL), statusBefore) << "still blocking: " << fd;
        EXPECT_EQ(::fcntl(fd, F_GETFD), flagsBefore) << "not made close-on-exec: " << fd;
    }
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    ::close(local);
}

// An address length too small for the socket's address is WSAEFAULT, as
// on Winsock, and recvfrom then leaves the datagram waiting rather than
// taking it and writing a length longer than the caller's buffer.
TEST_F(WinsockMisuseTest, AddressLengthsTooSmallAreWsaefault)
{
    sockaddr_in at{};
    sockaddr_in senderAt{};
    const SOCKET receiver = test::openLoopbackSocket(&at);
    const SOCKET sender = test::openLoopbackSocket(&senderAt);
    ASSERT_NE(receiver, INVALID_SOCKET);
    ASSERT_NE(sender, INVALID_SOCKET);
    const sockaddr* to = reinterpret_cast<const sockaddr*>(&at);
    EXPECT_EQ(sendto(sender, "ab", 2, 0, to, 8), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    const SOCKET unbound = static_cast<SOCKET>(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
    EXPECT_EQ(bind(unbound, to, 8), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    EXPECT_EQ(closesocket(unbound), 0);

    ASSERT_EQ(sendto(sender, "ab", 2, 0, to, int{sizeof at}), 2);
    char text[4] = {};
    sockaddr_in from{};
    int fromLength = 8;
    u_long waiting = 0;
    for (int i = 0; i < 500 && waiting == 0; ++i) {
        ASSERT_EQ(ioctlsocket(receiver, FIONREAD, &waiting), 0);
        if (waiting == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(waiting, 2u);
    EXPECT_EQ(recvfrom(receiver, text, 4, 0, reinterpret_cast<sockaddr*>(&from), &fromLength), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    EXPECT_EQ(fromLength, 8);
    // On a selected socket the refused read re-arms FD_READ like any other.
    MessageWindow window;
    ASSERT_EQ(WSAAsyncSelect(receiver, window.hwnd(), kSocketEvent, FD_READ), 0);
    MSG m;
    ASSERT_TRUE(window.waitFor(kSocketEvent, &m));
    EXPECT_EQ(recvfrom(receiver, text, 4, 0, reinterpret_cast<sockaddr*>(&from), &fromLength), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    EXPECT_TRUE(window.waitFor(kSocketEvent, &m)) << "the datagram is still waiting";
    fromLength = sizeof from;
    EXPECT_EQ(recvfrom(receiver, text, 4, 0, reinterpret_cast<sockaddr*>(&from), &fromLength), 2);
    EXPECT_STREQ(text, "ab");
    EXPECT_EQ(from.sin_port, senderAt.sin_port);
    EXPECT_EQ(closesocket(receiver), 0);
    EXPECT_EQ(closesocket(sender), 0);
}

TEST_F(WinsockMisuseTest, AProcedureThatClosesTheSocketOnItsNotificationHearsNoMore)
{
    gNotifications = 0;
    gCloseResult = 1;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = closingProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VantrelClosingOnNotify";
    RegisterClassExA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "closes", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    sockaddr_in at{};
    sockaddr_in senderAt{};
    const SOCKET receiver = test::openLoopbackSocket(&at);
    const SOCKET sender = test::openLoopbackSocket(&senderAt);
    ASSERT_NE(receiver, INVALID_SOCKET);
    ASSERT_EQ(WSAAsyncSelect(receiver, window, kSocketEvent, FD_READ), 0);

    const char text[] = "bye";
    ASSERT_EQ(sendto(sender, text, 3, 0, reinterpret_cast<const sockaddr*>(&at), int{sizeof at}), 3);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (gNotifications == 0 && std::chrono::steady_clock::now() < deadline)
        pumpFor(std::chrono::milliseconds(5));
    ASSERT_EQ(gNotifications, 1);
    EXPECT_EQ(gCloseResult, 0);

    // A second socket may now take the closed one's number; what it hears
    // must not reach the closing window.
    sockaddr_in againAt{};
    const SOCKET again = test::openLoopbackSocket(&againAt);
    ASSERT_NE(again, INVALID_SOCKET);
    ASSERT_EQ(sendto(sender, text, 3, 0, reinterpret_cast<const sockaddr*>(&againAt), int{sizeof againAt}), 3);
    pumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(gNotifications, 1);

    EXPECT_EQ(closesocket(again), 0);
    EXPECT_EQ(closesocket(sender), 0);
    DestroyWindow(window);
}

TEST_F(WinsockMisuseTest, ALookUpWhoseWindowWasDestroyedReachesNoOtherWindow)
{
    char first[MAXGETHOSTSTRUCT];
    char second[MAXGETHOSTSTRUCT];
    HANDLE abandoned;
    {
        MessageWindow gone;
        abandoned = WSAAsyncGetHostByName(gone.hwnd(), kLookupDone, "localhost", first, sizeof first);
        ASSERT_NE(abandoned, nullptr);
    }
    MessageWindow next;
    HANDLE wanted = WSAAsyncGetHostByName(next.hwnd(), kLookupDone, "localhost", second, sizeof second);
    ASSERT_NE(wanted, nullptr);
    MSG m;
    ASSERT_TRUE(next.waitFor(kLookupDone, &m));
    if (reinterpret_cast<HANDLE>(m.wParam) != wanted) {
        ADD_FAILURE() << "the destroyed window's reply arrived here";
        ASSERT_TRUE(next.waitFor(kLookupDone, &m));
    }
    EXPECT_EQ(WSAGETASYNCERROR(m.lParam), 0);
    pumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(next.drain(kLookupDone), 0);
    // Both have ended: neither can be cancelled any more.
    EXPECT_EQ(WSACancelAsyncRequest(abandoned), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
}

// The last WSACleanup silences every selected socket but leaves it open; a
// new WSAStartup and WSAAsyncSelect make it heard again.
TEST_F(WinsockMisuseTest, CleanupWithSocketsOpenSilencesThemUntilTheyAreSelectedAgain)
{
    MessageWindow window;
    sockaddr_in at{};
    sockaddr_in senderAt{};
    const SOCKET receiver = test::openLoopbackSocket(&at);
    const SOCKET sender = test::openLoopbackSocket(&senderAt);
    ASSERT_NE(receiver, INVALID_SOCKET);
    ASSERT_EQ(WSAAsyncSelect(receiver, window.hwnd(), kSocketEvent, FD_READ), 0);
    ASSERT_EQ(WSACleanup(), 0);

    const char text[] = "late";
    ASSERT_EQ(sendto(sender, text, 4, 0, reinterpret_cast<const sockaddr*>(&at), int{sizeof at}), 4);
    pumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(window.drain(kSocketEvent), 0);
    EXPECT_EQ(WSAAsyncSelect(receiver, window.hwnd(), kSocketEvent, FD_READ), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);

    WSADATA data;
    ASSERT_EQ(WSAStartup(0x0101, &data), 0);
    ASSERT_EQ(WSAAsyncSelect(receiver, window.hwnd(), kSocketEvent, FD_READ), 0);
    MSG m;
    ASSERT_TRUE(window.waitFor(kSocketEvent, &m));
    EXPECT_EQ(m.wParam, WPARAM{receiver});
    EXPECT_EQ(m.lParam, WSAMAKESELECTREPLY(FD_READ, 0));
    EXPECT_EQ(closesocket(receiver), 0);
    EXPECT_EQ(closesocket(sender), 0);
}

// WSACleanup while a look-up runs: either the reply came first, and then
// the buffer holds it, or the look-up was cancelled and the buffer is never
// written - not a reply without its buffer, nor a buffer written late.
TEST_F(WinsockMisuseTest, CleanupDuringALookUpEitherRepliesOrLeavesTheBufferAlone)
{
    MessageWindow window;
    for (int round = 0; round < 20; ++round) {
        std::vector<char> buffer(MAXGETHOSTSTRUCT, '\x5A');
        ASSERT_NE(WSAAsyncGetHostByName(window.hwnd(), kLookupDone, "localhost", buffer.data(),
                                        static_cast<int>(buffer.size())),
                  nullptr);
        ASSERT_EQ(WSACleanup(), 0);
        // A buffer written before the cleanup is followed by its reply,
        // however late that is posted.
        const bool written = std::count(buffer.begin(), buffer.end(), '\x5A') != MAXGETHOSTSTRUCT;
        if (written) {
            EXPECT_TRUE(window.waitFor(kLookupDone, nullptr)) << "round " << round;
        } else {
            pumpFor(std::chrono::milliseconds(20));
            EXPECT_EQ(window.drain(kLookupDone), 0) << "round " << round;
            EXPECT_EQ(std::count(buffer.begin(), buffer.end(), '\x5A'), MAXGETHOSTSTRUCT) << "written late";
        }
        WSADATA data;
        ASSERT_EQ(WSAStartup(0x0101, &data), 0);
    }
}

// Sockets selected on the window's thread and closed on another while the
// watcher posts: once they are closed, numbers the system hands out again
// carry none of the old selections.
TEST_F(WinsockMisuseTest, SocketsClosedOnAnotherThreadLeaveNoSelectionOnTheirNumbers)
{
    MessageWindow window;
    std::vector<SOCKET> sockets;
    for (int i = 0; i < 8; ++i) {
        sockaddr_in at{};
        sockets.push_back(test::openLoopbackSocket(&at));
        ASSERT_NE(sockets.back(), INVALID_SOCKET);
        ASSERT_EQ(WSAAsyncSelect(sockets.back(), window.hwnd(), kSocketEvent, FD_READ | FD_WRITE), 0);
    }
    std::thread closer([&] {
        for (SOCKET s : sockets)
            EXPECT_EQ(closesocket(s), 0);
    });
    pumpFor(std::chrono::milliseconds(20));
    closer.join();
    pumpFor(std::chrono::milliseconds(20));
    window.drain(kSocketEvent);

    std::vector<SOCKET> fresh;
    sockaddr_in senderAt{};
    const SOCKET sender = test::openLoopbackSocket(&senderAt);
    for (int i = 0; i < 8; ++i) {
        sockaddr_in at{};
        fresh.push_back(test::openLoopbackSocket(&at));
        ASSERT_NE(fresh.back(), INVALID_SOCKET);
        ASSERT_EQ(sendto(sender, "x", 1, 0, reinterpret_cast<const sockaddr*>(&at), int{sizeof at}), 1);
    }
    pumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(window.drain(kSocketEvent), 0);
    u_long blocking = 0;
    for (SOCKET s : fresh) {
        EXPECT_EQ(ioctlsocket(s, FIONBIO, &blocking), 0) << "not held non-blocking by an old selection";
        EXPECT_EQ(closesocket(s), 0);
    }
    EXPECT_EQ(closesocket(sender), 0);
}
