// The pointer's confinement, shape and capture, the keyboard's state table
// and hot keys, as a game calls them.
#include <vantrel/win32/cursor.h>
#include <vantrel/win32/keyboard_pointer.h>
#include <vantrel/win32/window.h>

#include "support/wine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT screen() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

class ClipCursorTest : public testing::Test {
protected:
    void SetUp() override
    {
        // 32-bit Wine keeps a clip only for the process whose window has
        // the X focus; a console test program has none there.
        const RECT probe{10, 10, 50, 50};
        RECT got{};
        if (runningUnderWine() && (!ClipCursor(&probe) || !GetClipCursor(&got) || !sameRect(got, probe)))
            GTEST_SKIP() << "this Wine keeps no pointer clip for a program without the focus";
        ClipCursor(nullptr);
    }
    void TearDown() override { ClipCursor(nullptr); }
};

TEST_F(ClipCursorTest, KeepsThePointerInsideUntilFreed)
{
    const RECT box{100, 80, 300, 200};
    ASSERT_TRUE(ClipCursor(&box));
    RECT got{};
    ASSERT_TRUE(GetClipCursor(&got));
    EXPECT_TRUE(sameRect(got, box));

    // Right and bottom edges are outside the rectangle.
    ASSERT_TRUE(SetCursorPos(500, 10));
    POINT p{};
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 299);
    EXPECT_EQ(p.y, 80);
    ASSERT_TRUE(SetCursorPos(150, 150));
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 150);
    EXPECT_EQ(p.y, 150);

    ASSERT_TRUE(ClipCursor(nullptr));
    ASSERT_TRUE(GetClipCursor(&got));
    EXPECT_TRUE(sameRect(got, screen()));
    ASSERT_TRUE(SetCursorPos(500, 10));
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 500);

    // A rectangle reaching past the screen is cut to it.
    const RECT s = screen();
    const RECT beyond{-50, -50, s.right + 50, 100};
    ASSERT_TRUE(ClipCursor(&beyond));
    ASSERT_TRUE(GetClipCursor(&got));
    EXPECT_TRUE(sameRect(got, (RECT{0, 0, s.right, 100})));
}

TEST_F(ClipCursorTest, AnUpsideDownRectangleIsRefusedAndChangesNothing)
{
    const RECT box{10, 10, 50, 50};
    ASSERT_TRUE(ClipCursor(&box));
    const RECT inverted{300, 10, 100, 50};
    EXPECT_FALSE(ClipCursor(&inverted));
    RECT got{};
    ASSERT_TRUE(GetClipCursor(&got));
    EXPECT_TRUE(sameRect(got, box));
}

TEST(SetCursor, AnswersTheShapeItReplaces)
{
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(nullptr), arrow); // the pointer goes away
    EXPECT_EQ(SetCursor(arrow), nullptr); // and comes back
    EXPECT_EQ(SetCursor(arrow), arrow);
}

LRESULT CALLBACK plainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A hidden pop-up window of this thread.
class ThreadWindow : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = plainProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VantrelKeyboardPointerTest";
        RegisterClassExA(&wc);
        window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(window);
        UnregisterClassA("VantrelKeyboardPointerTest", GetModuleHandleA(nullptr));
    }
    HWND window = nullptr;
};

TEST_F(ThreadWindow, GetCaptureAnswersTheCapturingWindowToItsOwnThreadOnly)
{
    SetCapture(window);
    EXPECT_EQ(GetCapture(), window);
    HWND seenElsewhere = window;
    std::thread([&] { seenElsewhere = GetCapture(); }).join();
    EXPECT_EQ(seenElsewhere, nullptr);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(KeyboardState, SetKeyboardStateIsWhatGetKeyStateAndGetKeyboardStateRead)
{
    BYTE saved[256];
    ASSERT_TRUE(GetKeyboardState(saved));

    BYTE keys[256];
    std::memset(keys, 0, sizeof keys);
    keys['Q'] = 0x80;         // down
    keys[VK_SPACE] = 0x01;    // up, toggled
    keys[VK_CONTROL] = 0x81;  // down and toggled
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_LT(GetKeyState('Q'), 0);
    EXPECT_EQ(GetKeyState(VK_SPACE), 1);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(GetKeyState(VK_CONTROL) & 1, 1);
    EXPECT_EQ(GetKeyState('W'), 0);

    BYTE read[256];
    ASSERT_TRUE(GetKeyboardState(read));
    EXPECT_EQ(read['Q'] & 0x81, 0x80);
    EXPECT_EQ(read[VK_SPACE] & 0x81, 0x01);
    EXPECT_EQ(read['W'] & 0x81, 0x00);

    SetKeyboardState(saved);
}

// A combination no desktop takes for itself.
constexpr UINT kModifiers = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
constexpr UINT kKey = VK_F11;

TEST_F(ThreadWindow, AHotKeyIsOneRegistrationUntilUnregistered)
{
    ASSERT_TRUE(RegisterHotKey(window, 7, kModifiers, kKey));
    // The same keys again, by anyone, are taken.
    SetLastError(0);
    EXPECT_FALSE(RegisterHotKey(window, 8, kModifiers, kKey));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
    SetLastError(0);
    EXPECT_FALSE(RegisterHotKey(nullptr, 9, kModifiers, kKey));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
    // MOD_NOREPEAT is no other combination.
    EXPECT_FALSE(RegisterHotKey(window, 10, kModifiers | MOD_NOREPEAT, kKey));

    SetLastError(0);
    EXPECT_FALSE(UnregisterHotKey(window, 8));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_NOT_REGISTERED));
    EXPECT_TRUE(UnregisterHotKey(window, 7));
    EXPECT_FALSE(UnregisterHotKey(window, 7));

    // The thread's own hot keys, for no window.
    ASSERT_TRUE(RegisterHotKey(nullptr, 11, kModifiers, kKey));
    EXPECT_TRUE(UnregisterHotKey(nullptr, 11));
}

TEST_F(ThreadWindow, HotKeysAreRegisteredForTheCallersOwnWindowsOnly)
{
    BOOL fromOtherThread = TRUE;
    DWORD error = 0;
    std::thread([&] {
        SetLastError(0);
        fromOtherThread = RegisterHotKey(window, 1, kModifiers, kKey);
        error = GetLastError();
    }).join();
    EXPECT_FALSE(fromOtherThread);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_WINDOW_OF_OTHER_THREAD));

    HWND gone = window;
    DestroyWindow(window);
    SetUp();
    if (gone == window)
        GTEST_SKIP() << "the new window took the old handle";
    SetLastError(0);
    EXPECT_FALSE(RegisterHotKey(gone, 1, kModifiers, kKey));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

} // namespace
