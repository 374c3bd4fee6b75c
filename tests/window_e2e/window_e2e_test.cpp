#include <vantrel/dxwindow.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/window_backend.h"

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

std::string run(const std::string& command)
{
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p)
        return out;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, p))
        out += buffer;
    pclose(p);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
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

class RealWindow : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display";
        if (run("command -v xdotool").empty())
            GTEST_SKIP() << "xdotool is not installed";
        if (std::string(vtl::videoBackendName()) != "sdl")
            GTEST_SKIP() << "the display could not be opened";
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
    std::string xid = run("xdotool search --sync --name '^" + title + "$' | head -n1");
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
    std::string geometry;
    std::string expected = "x=" + std::to_string(client.left) + "|y=" + std::to_string(client.top) +
                           "|w=" + std::to_string(client.right - client.left) +
                           "|h=" + std::to_string(client.bottom - client.top);
    // The server applies requests asynchronously: wait for it to agree.
    pumpUntil([&] {
        geometry = run("xdotool getwindowgeometry --shell " + xid +
                       " | awk -F= '/^(X|Y|WIDTH|HEIGHT)=/{printf \"%s=%s|\", tolower(substr($1,1,1)), $2}'");
        return geometry.rfind(expected, 0) == 0;
    });
    EXPECT_EQ(geometry.substr(0, expected.size()), expected);

    // A real click at client (30, 40).
    gSeen.clear();
    run("xdotool mousemove --window " + xid + " 30 40 click 1");
    ASSERT_TRUE(pumpUntil([] { return last(WM_LBUTTONUP) != nullptr; }));
    const Seen* down = last(WM_LBUTTONDOWN);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(GET_X_LPARAM(down->lParam), 30);
    EXPECT_EQ(GET_Y_LPARAM(down->lParam), 40);
    EXPECT_NE(last(WM_MOUSEMOVE), nullptr);

    // Real keys, typed with the pointer over the window (no window manager
    // under a bare X server: focus follows the pointer).
    gSeen.clear();
    run("xdotool windowfocus " + xid + " 2>/dev/null; xdotool key --delay 20 a shift+b Escape");
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
