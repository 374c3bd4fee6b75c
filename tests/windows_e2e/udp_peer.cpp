// One side of a UDP exchange through the library's UDP class, built for
// Linux and for Windows from this one source so that the two talk to each
// other on loopback.
//
//   vantrel-udp-peer host PORT COUNT
//   vantrel-udp-peer join PORT COUNT TEXT1 TEXT2
//
// The host opens PORT, prints "ready" and waits for the join datagram; the
// joiner joins 127.0.0.1 at PORT with TEXT1 and TEXT2.  Then each sends the
// other COUNT datagrams (sizes from one byte to 8 KiB, contents set by the
// sending role) and waits for the COUNT it is sent.  Every datagram is kept
// as four bytes of length (little-endian) and its bytes: sent ones in
// ROLE-sent.bin, received ones in ROLE-received.bin, the join datagram as
// the host received it in host-join.bin, for the test to compare.  Exits 0
// once every datagram has gone out and come in, 1 after 20 s without.
#include <vantrel.h>

#include "message_pump.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Datagram = std::vector<unsigned char>;

// Around the join datagram's 56 bytes, the byte counts that change how a
// length is written, the largest payload of one Ethernet frame, and more.
const unsigned kSizes[] = {1, 2, 55, 56, 57, 255, 256, 1472, 1473, 8192};

Datagram payload(const std::string& role, unsigned index)
{
    Datagram d(kSizes[index % (sizeof kSizes / sizeof kSizes[0])]);
    const unsigned seed = role == "host" ? 0x5A : 0xC3;
    for (size_t j = 0; j < d.size(); ++j)
        d[j] = static_cast<unsigned char>(seed + index * 37 + j * 11 + (j >> 8));
    return d;
}

struct Exchange {
    UDP udp{};
    std::vector<Datagram> received;
    unsigned long peer = 0; // where the host answers: the joiner's address
};
Exchange gExchange;

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == VTL_WM_SOCKET && WSAGETSELECTEVENT(lParam) == FD_READ) {
        static unsigned char buffer[65536];
        unsigned long from = 0;
        int size = 0;
        while (gExchange.udp.recv(&from, buffer, &size, static_cast<int>(sizeof buffer))) {
            if (gExchange.received.empty())
                gExchange.peer = from;
            gExchange.received.emplace_back(buffer, buffer + size);
        }
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool save(const char* path, const std::vector<Datagram>& datagrams, size_t first)
{
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    bool written = true;
    for (size_t i = first; i < datagrams.size(); ++i) {
        const size_t n = datagrams[i].size();
        const unsigned char length[4] = {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                                         static_cast<unsigned char>(n >> 16), static_cast<unsigned char>(n >> 24)};
        written = written && std::fwrite(length, 1, 4, f) == 4 &&
                  std::fwrite(datagrams[i].data(), 1, n, f) == n;
    }
    return std::fclose(f) == 0 && written;
}

int fail(const char* what)
{
    std::fprintf(stderr, "udp peer: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string role = argc > 1 ? argv[1] : "";
    const bool host = role == "host";
    if (!(host && argc == 4) && !(role == "join" && argc == 6))
        return fail("usage: host PORT COUNT | join PORT COUNT TEXT1 TEXT2");
    const unsigned short port = static_cast<unsigned short>(std::atoi(argv[2]));
    const unsigned count = static_cast<unsigned>(std::atoi(argv[3]));
    const unsigned long loopback = inet_addr("127.0.0.1");

    DXWindow window(GetModuleHandleA(nullptr), "VantrelUdpPeer", "udp peer");
    if (!window.doReg(windowProcedure, 0, 0, 0) || !window.createWindow(160, 120))
        return fail("no window");
    UDP& udp = gExchange.udp;
    if (!udp.init(window.hwnd()))
        return fail("UDP::init failed");
    if (host) {
        if (!udp.host(port))
            return fail("UDP::host failed");
        std::printf("ready\n");
        std::fflush(stdout);
        if (!pumpUntil(20000, [] { return !gExchange.received.empty(); }))
            return fail("no join datagram");
    } else if (!udp.join(loopback, port, argv[4], argv[5])) {
        return fail("UDP::join failed");
    }

    // The host's first datagram is the join; the payloads follow it.
    const size_t first = host ? 1 : 0;
    const unsigned long to = host ? gExchange.peer : loopback;
    std::vector<Datagram> sent;
    for (unsigned i = 0; i < count; ++i) {
        sent.push_back(payload(role, i));
        if (!udp.send(to, sent.back().data(), static_cast<unsigned>(sent.back().size())))
            return fail("UDP::send failed");
        // Paced, so that no burst outruns the other side's socket buffer.
        pumpFor(10);
    }
    const bool all = pumpUntil(20000, [&] { return gExchange.received.size() >= first + count; });

    if (host) {
        const std::vector<Datagram> join(gExchange.received.begin(), gExchange.received.begin() + 1);
        if (!save("host-join.bin", join, 0))
            return fail("cannot write host-join.bin");
        in_addr peer{};
        peer.s_addr = static_cast<decltype(peer.s_addr)>(gExchange.peer);
        std::printf("joined from %s\n", inet_ntoa(peer));
    }
    if (!save((role + "-sent.bin").c_str(), sent, 0) ||
        !save((role + "-received.bin").c_str(), gExchange.received, first))
        return fail("cannot write what was exchanged");
    udp.quit();
    udp.destroy();
    window.destroy();
    window.unReg();
    if (!all)
        return fail("not every datagram came in");
    std::printf("exchanged %u datagrams each way\n", count);
    return 0;
}
