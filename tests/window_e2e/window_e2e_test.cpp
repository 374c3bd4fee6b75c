#include <vantrel/dxwindow.h>
#include <vantrel/win32/cursor.h>
#include <vantrel/win32/keyboard_pointer.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/window_calls.h>
#include <vantrel/win32/windowsx.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <vantrel/seam/window_backend.h>
#include "support/window_recorder.h"
#include "support/x_desktop.h"

// Under LeakSanitizer: the system's D-Bus library, which SDL's video start-up
// loads, keeps a buffer for the life of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:*libdbus-1.so*\n"; }

namespace {

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Seen> gSeen;

LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    gSeen.push_back(Seen{message, wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Reads and dispatches messages until `done` holds or five seconds pass.
bool pumpUntil(const std::function<bool()>& done)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    MSG msg;
    while (std::chrono::steady_clock::now() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        usleep(5000);
    }
    return done();
}

const Seen* last(UINT message)
{
    for (auto it = gSeen.rbegin(); it != gSeen.rend(); ++it) {
        if (it->message == message)
            return &*it;
    }
    return nullptr;
}

// Where the library says the client area is, as X would report it.
XRect libraryGeometry(HWND hwnd)
{
    POINT origin = {0, 0};
    RECT client = {0, 0, 0, 0};
    if (!ClientToScreen(hwnd, &origin) || !GetClientRect(hwnd, &client))
        return XRect{-1, -1, -1, -1};
    return XRect{origin.x, origin.y, client.right, client.bottom};
}

std::string describe(const XRect& r)
{
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height);
}

class RealWindow : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = whyNoRealDesktop();
        if (!why.empty())
            GTEST_SKIP() << why;
    }
};

} // namespace

TEST_F(RealWindow, CreateShowMoveResizeAndRealInput)
{
    std::string title = "VantrelE2E" + std::to_string(::getpid());
    DXWindow game(GetModuleHandleA(nullptr), title.c_str(), title.c_str());
    ASSERT_TRUE(game.doReg(recordingProc, 0, 0, 0));
    ASSERT_TRUE(game.createWindow(320, 240));
    ASSERT_NE(vtl::nativeWindow(game.hwnd()), nullptr);
    ASSERT_TRUE(game.show(SW_SHOWNORMAL));
    EXPECT_TRUE(pumpUntil([] { return last(WM_PAINT) != nullptr; }));

    // The X server knows the window by its title.
    std::string xid = xWindowTitled(title);
    ASSERT_FALSE(xid.empty());

    // Moving and resizing through the library moves the real window.
    gSeen.clear();
    ASSERT_TRUE(game.move(100, 120));
    ASSERT_TRUE(game.resize(400, 300));
    RECT client;
    ASSERT_TRUE(vtl::clientAreaOnScreen(game.hwnd(), &client));
    const Seen* moved = last(WM_MOVE);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(GET_X_LPARAM(moved->lParam), client.left);
    const Seen* sized = last(WM_SIZE);
    ASSERT_NE(sized, nullptr);
    EXPECT_EQ(LOWORD(sized->lParam), client.right - client.left);
    const XRect expected{client.left, client.top, client.right - client.left, client.bottom - client.top};
    XRect geometry{};
    // The server applies requests asynchronously: wait for it to agree.
    pumpUntil([&] {
        geometry = xGeometry(xid);
        return geometry == expected;
    });
    EXPECT_EQ(describe(geometry), describe(expected));

    // A real click at client (30, 40).
    gSeen.clear();
    xClick(30, 40, xid);
    ASSERT_TRUE(pumpUntil([] { return last(WM_LBUTTONUP) != nullptr; }));
    const Seen* down = last(WM_LBUTTONDOWN);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(GET_X_LPARAM(down->lParam), 30);
    EXPECT_EQ(GET_Y_LPARAM(down->lParam), 40);
    EXPECT_NE(last(WM_MOUSEMOVE), nullptr);

    // Real keys, typed with the pointer over the window (no window manager
    // under a bare X server: focus follows the pointer).
    gSeen.clear();
    runCommand("xdotool windowfocus " + xid + " 2>/dev/null; xdotool key --delay 20 a shift+b Escape");
    ASSERT_TRUE(pumpUntil([] {
        const Seen* up = last(WM_KEYUP);
        return up && up->wParam == VK_ESCAPE;
    }));
    std::string typed;
    std::vector<WPARAM> downs;
    for (const Seen& s : gSeen) {
        if (s.message == WM_CHAR)
            typed += static_cast<char>(s.wParam);
        if (s.message == WM_KEYDOWN)
            downs.push_back(s.wParam);
    }
    EXPECT_EQ(typed, std::string("aB\x1b"));
    std::vector<WPARAM> expectedDowns = {'A', VK_SHIFT, 'B', VK_ESCAPE};
    EXPECT_EQ(downs, expectedDowns);

    gSeen.clear();
    ASSERT_TRUE(game.destroy());
    EXPECT_NE(last(WM_DESTROY), nullptr);
    EXPECT_FALSE(IsWindow(game.hwnd()));
    EXPECT_TRUE(game.unReg());
}

// A window made visible at once and then moved: the client area the library
// reports is where X shows it, before and after each move, and the window's
// outer rectangle is the client area grown by the decorations the screen
// really draws (none without a window manager).
void checkPlacement(DWORD style, const std::string& title)
{
    ASSERT_TRUE(registerTestClass(title.c_str(), recordingProc));
    // The size asked for is measured with AdjustWindowRectEx's frame, so the
    // client area is exactly what the game's arithmetic wants.
    RECT asked = {0, 0, 300, 200};
    ASSERT_TRUE(AdjustWindowRectEx(&asked, style, FALSE, 0));
    const int width = asked.right - asked.left, height = asked.bottom - asked.top;
    HWND hwnd = CreateWindowExA(0, title.c_str(), title.c_str(), style | WS_VISIBLE, 0, 0, width, height, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    std::string xid = xWindowTitled(title);
    ASSERT_FALSE(xid.empty());

    auto agrees = [&](int x, int y) {
        const XRect expected{x, y, 300, 200};
        XRect seen{};
        pumpUntil([&] {
            seen = xGeometry(xid);
            return seen == expected && libraryGeometry(hwnd) == expected;
        });
        EXPECT_EQ(describe(seen), describe(expected)) << "X";
        EXPECT_EQ(describe(libraryGeometry(hwnd)), describe(expected)) << "ClientToScreen and GetClientRect";
        RECT outer;
        ASSERT_TRUE(GetWindowRect(hwnd, &outer));
        EXPECT_EQ(outer.left, x);
        EXPECT_EQ(outer.top, y);
        EXPECT_EQ(outer.right, x + 300);
        EXPECT_EQ(outer.bottom, y + 200);
        RECT area;
        ASSERT_TRUE(vtl::clientAreaOnScreen(hwnd, &area));
        EXPECT_EQ(area.left, x);
        EXPECT_EQ(area.top, y);
    };
    agrees(0, 0);

    // Moved at once, before the screen has settled.
    gSeen.clear();
    ASSERT_TRUE(MoveWindow(hwnd, 150, 90, width, height, TRUE));
    agrees(150, 90);
    const Seen* moved = last(WM_MOVE);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(GET_X_LPARAM(moved->lParam), 150);
    EXPECT_EQ(GET_Y_LPARAM(moved->lParam), 90);

    ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    agrees(40, 60);

    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_TRUE(UnregisterClassA(title.c_str(), GetModuleHandleA(nullptr)));
}

TEST_F(RealWindow, ClientToScreenIsWhereXShowsTheClientArea)
{
    checkPlacement(WS_OVERLAPPEDWINDOW, "VantrelFramed" + std::to_string(::getpid()));
    checkPlacement(WS_POPUP, "VantrelPopup" + std::to_string(::getpid()));
}

// Another X client destroying the game's window (xdotool windowclose calls
// XDestroyWindow) is the player closing it: the procedure gets WM_CLOSE,
// DefWindowProcA destroys what is left, and the program goes on (Xlib's
// errors about the window that is gone do not end it).  Requests made on
// the window in between, before its destruction is read, change nothing.
TEST_F(RealWindow, AWindowDestroyedByAnotherClientIsClosedAndTheProgramGoesOn)
{
    std::string title = "VantrelTakenAway" + std::to_string(::getpid());
    DXWindow game(GetModuleHandleA(nullptr), title.c_str(), title.c_str());
    ASSERT_TRUE(game.doReg(recordingProc, 0, 0, 0));
    ASSERT_TRUE(game.createWindow(320, 240));
    ASSERT_TRUE(game.show(SW_SHOWNORMAL));
    const std::string xid = xWindowTitled(title);
    ASSERT_FALSE(xid.empty());
    EXPECT_TRUE(pumpUntil([] { return last(WM_PAINT) != nullptr; }));

    gSeen.clear();
    runCommand("xdotool windowclose " + xid);
    EXPECT_TRUE(game.move(30, 40));
    InvalidateRect(game.hwnd(), nullptr, TRUE);
    ASSERT_TRUE(pumpUntil([] { return last(WM_DESTROY) != nullptr; }));
    EXPECT_FALSE(IsWindow(game.hwnd()));
    int closes = 0;
    for (const Seen& s : gSeen) {
        if (s.message == WM_DESTROY)
            break;
        closes += s.message == WM_CLOSE;
    }
    EXPECT_EQ(closes, 1) << "WM_CLOSE once, before WM_DESTROY";

    // The connection to the X server still serves new windows.
    const std::string again = title + "Again";
    DXWindow next(GetModuleHandleA(nullptr), again.c_str(), again.c_str());
    ASSERT_TRUE(next.doReg(recordingProc, 0, 0, 0));
    ASSERT_TRUE(next.createWindow(200, 150));
    ASSERT_TRUE(next.show(SW_SHOWNORMAL));
    EXPECT_FALSE(xWindowTitled(again).empty());
    EXPECT_TRUE(next.unReg());
    game.window = nullptr; // destroyed behind its back, as the player's close does
    EXPECT_TRUE(game.unReg());
}

namespace {

// A framed window shown at (100, 120), its X window found by title.
struct ShownWindow {
    explicit ShownWindow(const std::string& title)
        : game(GetModuleHandleA(nullptr), title.c_str(), title.c_str())
    {
        ok = game.doReg(recordingProc, 0, 0, 0) && game.createWindow(320, 240) && game.show(SW_SHOWNORMAL) &&
             game.move(100, 120);
        xid = ok ? xWindowTitled(title) : "";
        pumpUntil([] { return last(WM_PAINT) != nullptr; });
    }
    ~ShownWindow()
    {
        ClipCursor(nullptr);
        game.destroy();
        game.unReg();
    }
    DXWindow game;
    bool ok = false;
    std::string xid;
};

// Reads messages for a while, for the X server's answers to arrive.
void pumpFor(int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    pumpUntil([&] { return std::chrono::steady_clock::now() >= end; });
}

bool inside(POINT p, const RECT& r) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

} // namespace

// ClipCursor holds the real pointer: moved by the player (relative motion,
// which the X server's barriers stop; a warp would pass them) it stays over
// the native pixels that show the rectangle while the game's window has the
// focus, in a window shown at its own size as in one scaled twice, and goes
// anywhere once freed.
TEST_F(RealWindow, ClipCursorHoldsTheRealPointer)
{
    for (const char* scale : {"1", "2"}) {
        SCOPED_TRACE(std::string("VANTREL_SCALE=") + scale);
        setenv("VANTREL_SCALE", scale, 1);
        ShownWindow shown("VantrelClip" + std::string(scale) + std::to_string(::getpid()));
        unsetenv("VANTREL_SCALE");
        ASSERT_TRUE(shown.ok);
        ASSERT_FALSE(shown.xid.empty());
        runCommand("xdotool windowfocus " + shown.xid + " 2>/dev/null");
        pumpFor(1000); // the focus arrives, and the scaled window settles
        POINT origin{0, 0};
        ASSERT_TRUE(ClientToScreen(shown.game.hwnd(), &origin));
        const RECT box{origin.x + 50, origin.y + 40, origin.x + 150, origin.y + 120};
        ASSERT_TRUE(SetCursorPos(origin.x + 100, origin.y + 80));
        pumpFor(300);
        ASSERT_TRUE(ClipCursor(&box));
        pumpFor(300);

        runCommand("xdotool mousemove_relative -- 400 300");
        pumpFor(500);
        // Where the rectangle is shown on the real screen.
        RECT client{};
        GetClientRect(shown.game.hwnd(), &client);
        const XRect native = xGeometry(shown.xid);
        const int times = native.width / client.right;
        ASSERT_EQ(times, std::atoi(scale));
        const RECT shownBox{native.x + 50 * times, native.y + 40 * times, native.x + 150 * times, native.y + 120 * times};
        const POINT held = xPointer();
        EXPECT_TRUE(inside(held, shownBox)) << held.x << "," << held.y;
        POINT seen{};
        ASSERT_TRUE(GetCursorPos(&seen));
        EXPECT_TRUE(inside(seen, box)) << seen.x << "," << seen.y;

        ASSERT_TRUE(ClipCursor(nullptr));
        runCommand("xdotool mousemove_relative -- 400 300");
        pumpFor(300);
        EXPECT_FALSE(inside(xPointer(), shownBox));
    }
}

// Another client sizing and moving the game's window, as a window manager
// does for the player: the game hears the modal loop's messages, and a
// framed window keeps its client size (its picture is scaled).
TEST_F(RealWindow, SizingAndMovingByThePlayerComeAsTheSizeMoveLoop)
{
    ShownWindow shown("VantrelSizeMove" + std::to_string(::getpid()));
    ASSERT_TRUE(shown.ok);
    ASSERT_FALSE(shown.xid.empty());
    pumpFor(1500); // past the settling of the show and the move
    RECT before{};
    GetClientRect(shown.game.hwnd(), &before);
    gSeen.clear();
    runCommand("xdotool windowsize " + shown.xid + " 480 360");
    ASSERT_TRUE(pumpUntil([] { return last(WM_EXITSIZEMOVE) != nullptr; }));
    std::vector<UINT> loop;
    for (const Seen& s : gSeen) {
        if (s.message == WM_ENTERSIZEMOVE || s.message == WM_SIZING || s.message == WM_EXITSIZEMOVE)
            loop.push_back(s.message);
    }
    ASSERT_GE(loop.size(), 3u);
    EXPECT_EQ(loop.front(), static_cast<UINT>(WM_ENTERSIZEMOVE));
    EXPECT_EQ(loop[1], static_cast<UINT>(WM_SIZING));
    EXPECT_EQ(loop.back(), static_cast<UINT>(WM_EXITSIZEMOVE));
    RECT client{};
    GetClientRect(shown.game.hwnd(), &client);
    EXPECT_EQ(client.right, before.right);
    EXPECT_EQ(client.bottom, before.bottom);

    gSeen.clear();
    runCommand("xdotool windowmove " + shown.xid + " 200 150");
    ASSERT_TRUE(pumpUntil([] { return last(WM_EXITSIZEMOVE) != nullptr; }));
    EXPECT_NE(last(WM_MOVING), nullptr);
    EXPECT_NE(last(WM_MOVE), nullptr);
}
