// A player in front of the configuration dialog: the real window appears
// and shows the dialog, a click on "Windowed" and on OK starts the display in
// a window; Escape cancels.  Then a real click on an image button reaches
// the game's window procedure.
#include <vantrel/bitplanefx.h>
#include <vantrel/buttons.h>
#include <vantrel/dxwindow.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/window.h>

#include "display/config_dialog.h"
#include <vantrel/seam/dialog_manager.h>
#include <vantrel/seam/window_backend.h>
#include "support/button_faces.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string run(const std::string& command)
{
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p)
        return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0)
        out.append(buffer, n);
    pclose(p);
    return out;
}

std::string firstLine(std::string s)
{
    const size_t end = s.find_first_of("\r\n");
    return end == std::string::npos ? s : s.substr(0, end);
}

bool waitFor(const std::function<bool()>& done, int seconds = 10)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

// A window's pixels as the X server shows them (xwd's dump, read as 32-bit
// 0x00RRGGBB).
struct Screenshot {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

uint32_t bigEndian(const std::string& d, size_t at)
{
    return uint32_t(uint8_t(d[at])) << 24 | uint32_t(uint8_t(d[at + 1])) << 16 | uint32_t(uint8_t(d[at + 2])) << 8 |
           uint8_t(d[at + 3]);
}

bool screenshot(const std::string& xid, Screenshot* shot)
{
    const std::string d = run("xwd -silent -id " + xid + " 2>/dev/null");
    if (d.size() < 100)
        return false;
    const uint32_t headerSize = bigEndian(d, 0), width = bigEndian(d, 16), height = bigEndian(d, 20);
    const uint32_t byteOrder = bigEndian(d, 28), bpp = bigEndian(d, 44), bytesPerLine = bigEndian(d, 48);
    const uint32_t colours = bigEndian(d, 76);
    const size_t start = headerSize + size_t{colours} * 12;
    if (bpp != 32 || d.size() < start + size_t{bytesPerLine} * height)
        return false;
    shot->width = static_cast<int>(width);
    shot->height = static_cast<int>(height);
    shot->pixels.resize(size_t{width} * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const size_t p = start + size_t{y} * bytesPerLine + x * 4;
            const uint32_t v = byteOrder == 0 ? uint32_t(uint8_t(d[p])) | uint32_t(uint8_t(d[p + 1])) << 8 |
                                                    uint32_t(uint8_t(d[p + 2])) << 16
                                              : bigEndian(d, p) & 0xFFFFFF;
            shot->pixels[size_t{y} * width + x] = v & 0xFFFFFF;
        }
    }
    return true;
}

// What the dialog's own thread tells the player's thread: where things are.
struct Layout {
    std::mutex mutex;
    bool ready = false;
    RECT logo{}, windowed{}, ok{};
} gLayout;

void publishLayout(HWND hwnd, UINT message, WPARAM, LPARAM, void*)
{
    if (message != WM_PAINT)
        return;
    const RECT ok = vtl::dialogItemRect(hwnd, IDOK);
    if (ok.right == 0)
        return;
    std::lock_guard<std::mutex> lock(gLayout.mutex);
    gLayout.logo = vtl::dialogItemRect(hwnd, IDC_LOGO);
    gLayout.windowed = vtl::dialogItemRect(hwnd, IDC_WINDOWED);
    gLayout.ok = ok;
    gLayout.ready = true;
}

std::vector<std::pair<UINT, WPARAM>> gGameMessages;

LRESULT CALLBACK gameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        gGameMessages.emplace_back(message, wParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Ends a dialog the player's thread could not finish, so that a failing
// test does not hang.
void closeDialogIfOpen()
{
    if (HWND d = FindWindowA(nullptr, "Configuration"))
        PostMessageA(d, WM_CLOSE, 0, 0);
}

class PlayerAtTheDialog : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display";
        if (firstLine(run("command -v xdotool")).empty() || firstLine(run("command -v xwd")).empty())
            GTEST_SKIP() << "xdotool or xwd is not installed";
        if (std::string(vtl::videoBackendName()) != "sdl")
            GTEST_SKIP() << "the display could not be opened";
        unsetenv("VANTREL_CONFIG");
        watch = vtl::watchWindowMessages(nullptr, publishLayout, nullptr);
    }
    void TearDown() override
    {
        if (watch)
            vtl::unwatchWindowMessages(watch);
    }
    int watch = 0;
};

TEST_F(PlayerAtTheDialog, ClicksAnImageButton)
{
    const std::string title = "VantrelButtonE2E" + std::to_string(::getpid());
    DXWindow game(GetModuleHandleA(nullptr), title.c_str(), title.c_str());
    ASSERT_TRUE(game.doReg(gameProc, 0, 0, 0));
    ASSERT_TRUE(game.createWindow(320, 240));
    ASSERT_TRUE(game.show(SW_SHOWNORMAL));
    VTLHND second;
    RLEFX face{};
    ASSERT_TRUE(buttontest::makeFace(face, 16, 0xF800));
    BITPLANEFX target{};
    second.hwnd = game.hwnd();
    RECT rect{10, 20, 109, 69};
    HWND button = VTLCreateRLEButton(&second, GetModuleHandleA(nullptr), 42, nullptr, &rect, &face, &face, &face,
                                     &target);
    ASSERT_NE(button, nullptr);
    gGameMessages.clear();
    // The player finds the window and clicks (60, 30) of the button, an
    // opaque pixel of its pressed face, while the game reads its messages.
    std::thread player([&] {
        const std::string xid = firstLine(run("timeout 15 xdotool search --sync --onlyvisible --name '^" + title + "$'"));
        if (!xid.empty())
            run("xdotool mousemove --window " + xid + " 70 50; sleep 0.3; xdotool click 1");
    });
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    MSG msg;
    while (gGameMessages.empty() && std::chrono::steady_clock::now() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    player.join();
    ASSERT_EQ(gGameMessages.size(), 1u);
    EXPECT_EQ(gGameMessages[0].second, 42u);
    DestroyButton(button, GetModuleHandleA(nullptr));
    face.release();
    second.hwnd = nullptr;
    game.destroy();
    game.unReg();
}

TEST_F(PlayerAtTheDialog, ChoosesAWindowThenCancels)
{
    const std::string title = "VantrelDialogE2E" + std::to_string(::getpid());
    DXWindow game(GetModuleHandleA(nullptr), title.c_str(), title.c_str());
    ASSERT_TRUE(game.doReg(gameProc, 0, 0, 0));
    ASSERT_TRUE(game.createWindow(320, 240));
    VTLHND handle;
    handle.gfxSetup(game.hwnd(), 320, 240, 16);

    // The player: waits for the dialog, looks at it, clicks Windowed and OK.
    std::atomic<bool> sawDialog{false}, sawLogo{false}, sawFace{false};
    std::thread player([&] {
        RECT logo, windowed, ok;
        const bool laidOut = waitFor([&] {
            std::lock_guard<std::mutex> lock(gLayout.mutex);
            logo = gLayout.logo;
            windowed = gLayout.windowed;
            ok = gLayout.ok;
            return gLayout.ready;
        });
        const std::string xid = firstLine(run("timeout 15 xdotool search --sync --name '^Configuration$'"));
        if (!laidOut || xid.empty()) {
            closeDialogIfOpen();
            return;
        }
        sawDialog = true;
        Screenshot shot;
        waitFor([&] {
            if (!screenshot(xid, &shot) || shot.width < ok.right || shot.height < ok.bottom)
                return false;
            std::set<uint32_t> colours;
            for (int y = logo.top; y < logo.bottom; ++y)
                for (int x = logo.left; x < logo.right; ++x)
                    colours.insert(shot.at(x, y));
            sawLogo = colours.size() > 20;
            sawFace = shot.at(2, shot.height - 2) == vtl::kDialogFace;
            return sawLogo && sawFace;
        });
        if (const char* keep = std::getenv("VANTREL_E2E_SCREENSHOT"))
            run("xwd -silent -id " + xid + " > " + keep);
        const auto click = [&](const RECT& r, int x) {
            run("xdotool mousemove --window " + xid + " " + std::to_string(x) + " " +
                std::to_string((r.top + r.bottom) / 2) + " click 1");
        };
        click(windowed, windowed.left + 6);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        click(ok, (ok.left + ok.right) / 2);
        // Should the clicks have missed, the dialog still ends (and the
        // test fails on what it returned).
        if (!waitFor([] { return FindWindowA(nullptr, "Configuration") == nullptr; }, 5))
            closeDialogIfOpen();
    });
    const signed char started = handle.gfxBegin();
    player.join();
    EXPECT_TRUE(sawDialog);
    EXPECT_TRUE(sawLogo) << "the logo did not show";
    EXPECT_TRUE(sawFace) << "the dialog's face did not show";
    ASSERT_EQ(started, 1);
    EXPECT_FALSE(handle.fullscreen());
    EXPECT_NE(handle.primary, nullptr);
    EXPECT_NE(handle.clipper, nullptr);
    handle.gfxEnd();

    // A second run: the player presses Escape.
    VTLHND second;
    second.gfxSetup(game.hwnd(), 320, 240, 16);
    std::thread escape([&] {
        const std::string xid = firstLine(run("timeout 15 xdotool search --sync --name '^Configuration$'"));
        if (xid.empty()) {
            closeDialogIfOpen();
            return;
        }
        // Without a window manager the keyboard follows the pointer.
        run("xdotool mousemove --window " + xid + " 20 20; xdotool windowfocus " + xid +
            " 2>/dev/null; sleep 0.3; xdotool key Escape");
        if (!waitFor([] { return FindWindowA(nullptr, "Configuration") == nullptr; }, 5)) {
            ADD_FAILURE() << "Escape did not close the dialog";
            closeDialogIfOpen();
        }
    });
    EXPECT_EQ(second.gfxBegin(), 0);
    escape.join();
    EXPECT_FALSE(second.configured);

    second.gfxEnd();
    game.destroy();
    game.unReg();
}

} // namespace
