// Two players over UDP: one machine hosts, the other joins it by name or
// address.  Each side moves a marker on a timer and sends its position; each
// prints what the other sends.  Everything arrives as window messages, the
// way a game's window procedure would see it.
//
//   vantrel-two-player host [port] [--ticks N]
//   vantrel-two-player join <host name or address> [port] [--ticks N]
//
// The host listens on the port (5000 by default) and answers on port - 1;
// the joiner listens on port - 1.  With --ticks the program ends by itself
// after N timer ticks (20 per second).
#include <vantrel.h>

#include "unattended.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr UINT_PTR kTimer = 1;

struct Game {
    UDP net{};
    bool hosting = false;
    bool haveOpponent = false;
    unsigned long opponent = 0; // network order
    unsigned short port = 5000;
    std::string joinTarget;
    int ticksLeft = -1; // -1: run until closed
    int x = 0;
};

Game gGame;

const char* dotted(unsigned long address)
{
    in_addr a;
    a.s_addr = static_cast<decltype(a.s_addr)>(address);
    return inet_ntoa(a);
}

void onSocket(LPARAM lParam)
{
    if (WSAGETSELECTEVENT(lParam) != FD_READ)
        return;
    unsigned long from = 0;
    char data[256];
    int size = 0;
    while (gGame.net.recv(&from, data, &size, sizeof data - 1)) {
        data[size] = 0;
        // The host learns its opponent from the join datagram.
        if (gGame.hosting && size == 56 && data[0] == 1 && data[2] == 2) {
            gGame.opponent = from;
            gGame.haveOpponent = true;
            std::printf("%s joined: \"%s\"\n", dotted(from), data + 6);
            continue;
        }
        std::printf("%s says: %s\n", dotted(from), data);
    }
}

void onLookup(HWND hwnd, LPARAM lParam)
{
    _HOSTDATA* host = gGame.net.responce(WSAGETASYNCERROR(lParam));
    if (!host) {
        std::printf("cannot find %s (error %d)\n", gGame.joinTarget.c_str(), WSAGETASYNCERROR(lParam));
        DestroyWindow(hwnd);
        return;
    }
    std::printf("%s is %s\n", host->name, dotted(host->address));
    gGame.opponent = host->address;
    if (!gGame.net.join(gGame.opponent, gGame.port, "player", "two")) {
        std::printf("cannot join on port %u\n", gGame.port);
        DestroyWindow(hwnd);
        return;
    }
    gGame.haveOpponent = true;
}

void onTick(HWND hwnd)
{
    gGame.x = (gGame.x + 3) % 320;
    if (gGame.haveOpponent) {
        char text[64];
        const int n = std::snprintf(text, sizeof text, "%s at x=%d", gGame.hosting ? "host" : "joiner", gGame.x);
        gGame.net.send(gGame.opponent, text, static_cast<unsigned>(n));
    }
    if (gGame.ticksLeft > 0 && --gGame.ticksLeft == 0)
        DestroyWindow(hwnd);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case VTL_WM_SOCKET:
        onSocket(lParam);
        return 0;
    case VTL_WM_HOSTLOOKUP:
        onLookup(hwnd, lParam);
        return 0;
    case WM_TIMER:
        onTick(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int usage(FILE* to = stderr, int code = 2)
{
    std::fprintf(to, "usage: vantrel-two-player host [port] [--ticks N]\n"
                     "       vantrel-two-player join <host> [port] [--ticks N]\n");
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)
        return usage(stdout, 0);
    gGame.hosting = std::strcmp(argv[1], "host") == 0;
    if (!gGame.hosting && std::strcmp(argv[1], "join") != 0)
        return usage();
    int arg = 2;
    if (!gGame.hosting) {
        if (argc < 3)
            return usage();
        gGame.joinTarget = argv[arg++];
    }
    for (; arg < argc; ++arg) {
        if (std::strcmp(argv[arg], "--ticks") == 0 && arg + 1 < argc)
            gGame.ticksLeft = std::atoi(argv[++arg]);
        else
            gGame.port = static_cast<unsigned short>(std::atoi(argv[arg]));
    }

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VantrelTwoPlayer";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, gGame.hosting ? "Two players - host" : "Two players - join",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr,
                                nullptr, wc.hInstance, nullptr);
    if (!hwnd || !gGame.net.init(hwnd)) {
        std::fprintf(stderr, "cannot start\n");
        return 1;
    }

    if (gGame.hosting) {
        if (!gGame.net.host(gGame.port)) {
            std::fprintf(stderr, "cannot host on port %u (is it taken?)\n", gGame.port);
            return 1;
        }
        std::printf("hosting on port %u, waiting for a player\n", gGame.port);
    } else if (!gGame.net.resolve(gGame.joinTarget.c_str())) {
        std::fprintf(stderr, "cannot look up %s\n", gGame.joinTarget.c_str());
        return 1;
    }
    SetTimer(hwnd, kTimer, 50, nullptr);
    if (closeUnattendedAfter(hwnd, 30))
        std::printf("no display: closing after 30 seconds\n");

    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    gGame.net.quit();
    gGame.net.destroy();
    return 0;
}
