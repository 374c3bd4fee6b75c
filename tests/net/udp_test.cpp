// UDP over real sockets on the loopback interface, with its notifications
// arriving in real windows' message queues.
#include <vantrel/udp.h>

#include "window_messages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const unsigned long kLoopback = inet_addr("127.0.0.1");

bool portFree(unsigned short port)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    const bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
    ::close(fd);
    return ok;
}

// A port P such that P and P - 1 are both free.
unsigned short freePortPair()
{
    std::mt19937 random(static_cast<unsigned>(::getpid()) * 7919u + static_cast<unsigned>(::time(nullptr)));
    for (int attempt = 0; attempt < 200; ++attempt) {
        const auto port = static_cast<unsigned short>(20001 + random() % 40000);
        if (portFree(port) && portFree(static_cast<unsigned short>(port - 1)))
            return port;
    }
    return 0;
}

unsigned short boundPort(SOCKET s)
{
    sockaddr_in sa{};
    socklen_t length = sizeof sa;
    ::getsockname(static_cast<int>(s), reinterpret_cast<sockaddr*>(&sa), &length);
    return ntohs(sa.sin_port);
}

// Waits for the socket event message carrying `event` for `s`.
bool waitForEvent(MessageWindow& window, SOCKET s, WORD event)
{
    MSG m;
    while (window.waitFor(VTL_WM_SOCKET, &m)) {
        EXPECT_EQ(WSAGETSELECTERROR(m.lParam), 0);
        if (m.wParam == s && WSAGETSELECTEVENT(m.lParam) == event)
            return true;
    }
    return false;
}

std::string received(UDP& udp, unsigned long* from = nullptr, int capacity = 512)
{
    std::vector<char> data(static_cast<size_t>(capacity) + 1, '#');
    int size = -1;
    unsigned long sender = 0;
    if (!udp.recv(&sender, data.data(), &size, capacity))
        return "<none>";
    if (from)
        *from = sender;
    EXPECT_EQ(data[static_cast<size_t>(capacity)], '#') << "written past the capacity";
    return std::string(data.data(), static_cast<size_t>(size));
}

class UdpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(hostWindow.hwnd(), nullptr);
        ASSERT_NE(joinWindow.hwnd(), nullptr);
        ASSERT_TRUE(hostSide.init(hostWindow.hwnd()));
        ASSERT_TRUE(joinSide.init(joinWindow.hwnd()));
        EXPECT_EQ(hostSide.hwnd(), hostWindow.hwnd());
        port = freePortPair();
        ASSERT_NE(port, 0);
    }
    void TearDown() override
    {
        for (UDP* u : {&hostSide, &joinSide}) {
            if (u->socket != 0 && u->socket != INVALID_SOCKET)
                u->quit();
            u->destroy();
        }
    }
    // Host on `port`, join it from loopback, and take the join datagram.
    void connect()
    {
        ASSERT_TRUE(hostSide.host(port));
        ASSERT_TRUE(joinSide.join(kLoopback, port, "Ann", "Team"));
        ASSERT_TRUE(waitForEvent(hostWindow, hostSide.socket, FD_READ));
        ASSERT_EQ(received(hostSide).size(), 56u);
    }

    MessageWindow hostWindow;
    MessageWindow joinWindow;
    UDP hostSide{};
    UDP joinSide{};
    unsigned short port = 0;
};

TEST_F(UdpTest, HostAndJoinFollowThePortConventionAndTheJoinDatagramArrivesWhole)
{
    ASSERT_TRUE(hostSide.host(port));
    EXPECT_EQ(boundPort(hostSide.socket), port);
    EXPECT_EQ(hostSide.port, port);
    EXPECT_EQ(hostSide.portOffset, 1);

    ASSERT_TRUE(joinSide.join(kLoopback, port, "Ann", "Team"));
    EXPECT_EQ(boundPort(joinSide.socket), port - 1);
    EXPECT_EQ(joinSide.port, port);
    EXPECT_EQ(joinSide.portOffset, 0);

    ASSERT_TRUE(waitForEvent(hostWindow, hostSide.socket, FD_READ));
    unsigned long from = 0;
    std::vector<char> data(64, '#');
    int size = 0;
    ASSERT_TRUE(hostSide.recv(&from, data.data(), &size, 64));
    EXPECT_EQ(from, kLoopback);
    ASSERT_EQ(size, 56);
    const char head[] = {1, 0, 2, 0, 3, 4, 'A', 'n', 'n', '-', 'T', 'e', 'a', 'm', 0};
    EXPECT_EQ(std::memcmp(data.data(), head, sizeof head), 0);
    for (int i = static_cast<int>(sizeof head); i < 56; ++i)
        EXPECT_EQ(data[static_cast<size_t>(i)], 0) << i;

    // The host answers on port - 1, where the joiner listens; the joiner
    // talks to the host's port.
    ASSERT_TRUE(hostSide.send(from, "welcome", 7));
    ASSERT_TRUE(waitForEvent(joinWindow, joinSide.socket, FD_READ));
    EXPECT_EQ(received(joinSide), "welcome");
    ASSERT_TRUE(joinSide.send(kLoopback, "move 3", 6));
    ASSERT_TRUE(waitForEvent(hostWindow, hostSide.socket, FD_READ));
    EXPECT_EQ(received(hostSide), "move 3");
}

TEST_F(UdpTest, EachSideIsToldOnceThatItCanSend)
{
    ASSERT_TRUE(hostSide.host(port));
    MSG m;
    ASSERT_TRUE(hostWindow.waitFor(VTL_WM_SOCKET, &m));
    EXPECT_EQ(m.hwnd, hostWindow.hwnd());
    EXPECT_EQ(m.wParam, hostSide.socket);
    EXPECT_EQ(m.lParam, WSAMAKESELECTREPLY(FD_WRITE, 0));
}

TEST_F(UdpTest, RecvWithNothingWaitingReturnsAtOnce)
{
    connect();
    char data[16];
    int size = 99;
    unsigned long from = 0;
    EXPECT_FALSE(hostSide.recv(&from, data, &size, sizeof data));
    EXPECT_FALSE(joinSide.recv(&from, data, &size, sizeof data));
    UDP closed{};
    closed.socket = INVALID_SOCKET;
    EXPECT_FALSE(closed.recv(&from, data, &size, sizeof data));
}

TEST_F(UdpTest, ALongDatagramIsCutToTheCapacity)
{
    connect();
    std::string big(100, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>('a' + i % 26);
    ASSERT_TRUE(joinSide.send(kLoopback, big.data(), static_cast<unsigned>(big.size())));
    ASSERT_TRUE(waitForEvent(hostWindow, hostSide.socket, FD_READ));
    EXPECT_EQ(received(hostSide, nullptr, 10), big.substr(0, 10));
    EXPECT_EQ(received(hostSide), "<none>") << "the rest of the datagram is dropped";
}

TEST_F(UdpTest, EveryDatagramIsReadOneAtATimeAndTheEventComesBackWhileMoreWait)
{
    connect();
    const std::vector<std::string> sent = {"one", "two", "three"};
    for (const std::string& s : sent)
        ASSERT_TRUE(joinSide.send(kLoopback, s.data(), static_cast<unsigned>(s.size())));
    std::vector<std::string> got;
    while (got.size() < sent.size()) {
        ASSERT_TRUE(waitForEvent(hostWindow, hostSide.socket, FD_READ)) << got.size();
        got.push_back(received(hostSide));
    }
    EXPECT_EQ(got, sent);
    EXPECT_EQ(received(hostSide), "<none>");
}

TEST_F(UdpTest, AnEmptyDatagramDoesNotHideTheOnesBehindIt)
{
    connect();
    ASSERT_TRUE(joinSide.send(kLoopback, nullptr, 0));
    ASSERT_TRUE(joinSide.send(kLoopback, "after", 5));
    ASSERT_TRUE(waitForEvent(hostWindow, hostSide.socket, FD_READ));
    std::string first = received(hostSide);
    if (first == "<none>") // the empty one, dropped
        first = received(hostSide);
    EXPECT_EQ(first, "after");
}

TEST_F(UdpTest, ASecondHostOnTheSamePortFails)
{
    ASSERT_TRUE(hostSide.host(port));
    UDP other{};
    ASSERT_TRUE(other.init(hostWindow.hwnd()));
    EXPECT_FALSE(other.host(port));
    EXPECT_EQ(other.socket, INVALID_SOCKET);
    EXPECT_FALSE(other.send(kLoopback, "x", 1));
    other.destroy();
}

TEST_F(UdpTest, AfterQuitNothingIsSent)
{
    connect();
    hostSide.quit();
    EXPECT_FALSE(hostSide.send(kLoopback, "x", 1));
    char data[4];
    int size = 0;
    EXPECT_FALSE(hostSide.recv(nullptr, data, &size, sizeof data));
}

// The socket's number goes to the next descriptor the process opens; a
// second quit (or a quit of a UDP never opened, whose socket is 0, standard
// input) must leave that descriptor alone.
TEST_F(UdpTest, AQuitClosesOnlyItsOwnSocketAndOnlyOnce)
{
    ASSERT_TRUE(hostSide.host(port));
    const SOCKET was = hostSide.socket;
    hostSide.quit();
    EXPECT_EQ(hostSide.socket, INVALID_SOCKET);
    char path[] = "/tmp/vantrel-udpquit-XXXXXX";
    const int file = mkstemp(path);
    ASSERT_GE(file, 0);
    EXPECT_EQ(SOCKET(file), was) << "the file took the socket's number";
    hostSide.quit();
    EXPECT_EQ(::write(file, "kept", 4), 4) << "the second quit closed the file";
    ::close(file);
    std::remove(path);

    UDP neverOpened{};
    ASSERT_TRUE(neverOpened.init(hostWindow.hwnd()));
    neverOpened.quit();
    EXPECT_NE(::fcntl(0, F_GETFD), -1) << "standard input was closed";
    neverOpened.destroy();
}

// A game written for Windows keeps addresses in DWORDs, as inet_addr and
// the join datagram's sender give them, and passes them back to send.
TEST_F(UdpTest, WindowsStyleDwordCodeTalksOnLoopback)
{
    const DWORD server = inet_addr("127.0.0.1");
    ASSERT_TRUE(hostSide.host(port));
    ASSERT_TRUE(joinSide.join(server, port, "Ann", "Team"));
    ASSERT_TRUE(waitForEvent(hostWindow, hostSide.socket, FD_READ));

    DWORD from = 0xDEADBEEF;
    char data[64];
    int size = 0;
    ASSERT_TRUE(hostSide.recv(&from, data, &size, sizeof data));
    EXPECT_EQ(from, server);
    EXPECT_EQ(size, 56);
    ASSERT_TRUE(hostSide.send(from, "welcome", 7));

    // The joiner keeps the sender in an unsigned long: all of it is written,
    // the address zero-extended.
    ASSERT_TRUE(waitForEvent(joinWindow, joinSide.socket, FD_READ));
    unsigned long wide = ~0ul;
    ASSERT_TRUE(joinSide.recv(&wide, data, &size, sizeof data));
    EXPECT_EQ(wide, static_cast<unsigned long>(server));
    EXPECT_EQ(std::string(data, static_cast<size_t>(size)), "welcome");

    // Nothing waiting: the DWORD is left alone.
    from = 7;
    EXPECT_FALSE(joinSide.recv(&from, data, &size, sizeof data));
    EXPECT_EQ(from, 7u);
}

class UdpLookupTest : public UdpTest {
protected:
    _HOSTDATA* lookUp(const char* name)
    {
        EXPECT_TRUE(hostSide.resolve(name)) << name;
        MSG m;
        if (!hostWindow.waitFor(VTL_WM_HOSTLOOKUP, &m)) {
            ADD_FAILURE() << "no look-up message for " << name;
            return nullptr;
        }
        EXPECT_NE(m.wParam, 0u);
        EXPECT_EQ(WSAGETASYNCERROR(m.lParam), 0) << name;
        EXPECT_GT(WSAGETASYNCBUFLEN(m.lParam), sizeof(hostent));
        return hostSide.responce(WSAGETASYNCERROR(m.lParam));
    }
};

TEST_F(UdpLookupTest, ANameResolvesToItsAddress)
{
    _HOSTDATA* h = lookUp("localhost");
    ASSERT_NE(h, nullptr);
    EXPECT_STREQ(h->name, "localhost");
    EXPECT_EQ(h->address, kLoopback);
}

TEST_F(UdpLookupTest, ADottedAddressIsLookedUpInReverse)
{
    _HOSTDATA* h = lookUp("127.0.0.1");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->address, kLoopback);
    ASSERT_NE(h->name, nullptr);
    EXPECT_STRNE(h->name, "");
}

TEST_F(UdpLookupTest, EmptyNamesAndErrorsGiveNothing)
{
    EXPECT_FALSE(hostSide.resolve(""));
    EXPECT_FALSE(hostSide.resolve(nullptr));
    EXPECT_EQ(hostSide.responce(WSAETIMEDOUT), nullptr);
    EXPECT_EQ(hostSide.responce(WSAHOST_NOT_FOUND), nullptr);
}

TEST_F(UdpLookupTest, ABufferTooSmallIsReportedWithTheSizeNeeded)
{
    char small[40];
    std::memset(small, 0x5A, sizeof small);
    const HANDLE request = WSAAsyncGetHostByName(hostWindow.hwnd(), 0x470, "localhost", small, sizeof small);
    ASSERT_NE(request, nullptr);
    MSG m;
    ASSERT_TRUE(hostWindow.waitFor(0x470, &m));
    EXPECT_EQ(m.wParam, reinterpret_cast<WPARAM>(request));
    EXPECT_EQ(WSAGETASYNCERROR(m.lParam), WSAENOBUFS);
    EXPECT_GT(WSAGETASYNCBUFLEN(m.lParam), sizeof small);
    EXPECT_EQ(small[0], 0x5A) << "nothing written";
    EXPECT_EQ(WSACancelAsyncRequest(request), SOCKET_ERROR) << "already finished";
}

// Two processes: this test starts a copy of the test program that joins
// from its own window and message queue.
TEST(UdpTwoProcesses, AHostAndAJoinerInSeparateProcessesTalk)
{
    const char* peerPort = std::getenv("VANTREL_TEST_UDP_PEER");
    if (peerPort) {
        // The joining process.
        MessageWindow window;
        UDP joiner{};
        ASSERT_TRUE(joiner.init(window.hwnd()));
        ASSERT_TRUE(joiner.join(kLoopback, static_cast<unsigned short>(std::atoi(peerPort)), "peer", "2"));
        ASSERT_TRUE(waitForEvent(window, joiner.socket, FD_READ));
        std::string text = received(joiner);
        std::string reply(text.rbegin(), text.rend());
        ASSERT_TRUE(joiner.send(kLoopback, reply.data(), static_cast<unsigned>(reply.size())));
        joiner.quit();
        joiner.destroy();
        return;
    }

    MessageWindow window;
    UDP host{};
    ASSERT_TRUE(host.init(window.hwnd()));
    const unsigned short port = freePortPair();
    ASSERT_TRUE(host.host(port));

    char self[4096];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    self[n] = 0;
    ::setenv("VANTREL_TEST_UDP_PEER", std::to_string(port).c_str(), 1);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(self, self, "--gtest_filter=UdpTwoProcesses.*", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::unsetenv("VANTREL_TEST_UDP_PEER");
    ASSERT_GT(child, 0);

    ASSERT_TRUE(waitForEvent(window, host.socket, FD_READ));
    unsigned long from = 0;
    char data[64] = {};
    int size = 0;
    ASSERT_TRUE(host.recv(&from, data, &size, sizeof data));
    EXPECT_EQ(size, 56);
    EXPECT_STREQ(data + 6, "peer-2");
    ASSERT_TRUE(host.send(from, "hello", 5));
    ASSERT_TRUE(waitForEvent(window, host.socket, FD_READ));
    EXPECT_EQ(received(host), "olleh");

    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    host.quit();
    host.destroy();
}

} // namespace
