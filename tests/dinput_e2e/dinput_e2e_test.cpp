// A game that only polls its input devices, on a real X desktop: keys and
// pointer motion made with xdotool reach the devices although the game
// never reads its window's queue once they are acquired.
#include <vantrel/win32/dinput.h>
#include <vantrel/win32/timing.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <string>

#include "support/x_desktop.h"

extern "C" const char* __lsan_default_suppressions() { return "leak:*libdbus-1.so*\n"; }

namespace {

constexpr const char* kTitle = "polled input";

LRESULT CALLBACK plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void readQueueFor(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
}

class PolledInput : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = whyNoRealDesktop();
        if (!why.empty())
            GTEST_SKIP() << why;
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = plainProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VantrelPolledInput";
        RegisterClassExA(&windowClass);
        window = CreateWindowExA(0, "VantrelPolledInput", kTitle, WS_POPUP | WS_VISIBLE, 100, 100, 320, 240,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        readQueueFor(300);
        xid = xWindowTitled(kTitle);
        ASSERT_FALSE(xid.empty());
        // No window manager under Xvfb: the test gives the window the focus.
        runCommand("xdotool mousemove --window " + xid + " 160 120 windowfocus --sync " + xid);
        for (int i = 0; i < 100 && GetForegroundWindow() != window; ++i)
            readQueueFor(20);
        ASSERT_EQ(GetForegroundWindow(), window);
        ASSERT_EQ(DirectInputCreateA(GetModuleHandleA(nullptr), 0x0700, &input, nullptr), DI_OK);
    }
    void TearDown() override
    {
        if (input)
            input->Release();
        if (window)
            DestroyWindow(window);
    }

    LPDIRECTINPUTDEVICE acquired(REFGUID guid, const DIDATAFORMAT& format, DWORD level)
    {
        LPDIRECTINPUTDEVICE device = nullptr;
        EXPECT_EQ(input->CreateDevice(guid, &device, nullptr), DI_OK);
        EXPECT_EQ(device->SetDataFormat(&format), DI_OK);
        EXPECT_EQ(device->SetCooperativeLevel(window, level), DI_OK);
        EXPECT_EQ(device->Acquire(), DI_OK);
        return device;
    }

    HWND window = nullptr;
    std::string xid;
    LPDIRECTINPUT input = nullptr;
};

// Polls the keyboard (and nothing else) until `key` reads `down`.
bool keyReads(LPDIRECTINPUTDEVICE keyboard, int key, bool down)
{
    for (int i = 0; i < 200; ++i) {
        BYTE keys[256];
        if (keyboard->GetDeviceState(sizeof keys, keys) != DI_OK)
            return false;
        if (((keys[key] & 0x80) != 0) == down)
            return true;
        Sleep(10);
    }
    return false;
}

} // namespace

TEST_F(PolledInput, KeysReachAKeyboardThatIsOnlyPolled)
{
    LPDIRECTINPUTDEVICE keyboard = acquired(GUID_SysKeyboard, c_dfDIKeyboard, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
    runCommand("xdotool keydown space");
    EXPECT_TRUE(keyReads(keyboard, DIK_SPACE, true));
    runCommand("xdotool keyup space keydown Control_R");
    EXPECT_TRUE(keyReads(keyboard, DIK_SPACE, false));
    EXPECT_TRUE(keyReads(keyboard, DIK_RCONTROL, true));
    runCommand("xdotool keyup Control_R");
    EXPECT_TRUE(keyReads(keyboard, DIK_RCONTROL, false));
    keyboard->Release();
}

TEST_F(PolledInput, AnExclusiveMouseReportsMotionWhileItHoldsThePointer)
{
    LPDIRECTINPUTDEVICE mouse = acquired(GUID_SysMouse, c_dfDIMouse, DISCL_EXCLUSIVE | DISCL_FOREGROUND);
    LONG x = 0, y = 0;
    for (int i = 0; i < 200 && (x < 30 || y < 20); ++i) {
        if (i % 20 == 0)
            runCommand("xdotool mousemove_relative -- 30 20");
        DIMOUSESTATE state;
        ASSERT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
        x += state.lX;
        y += state.lY;
        Sleep(10);
    }
    EXPECT_GE(x, 30);
    EXPECT_GE(y, 20);
    // Held: the motion took the real pointer nowhere outside the window.
    for (int i = 0; i < 10; ++i)
        runCommand("xdotool mousemove_relative -- 100 100");
    DIMOUSESTATE state;
    ASSERT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
    const XRect area = xGeometry(xid);
    const POINT pointer = xPointer();
    EXPECT_GE(pointer.x, area.x);
    EXPECT_LT(pointer.x, area.x + area.width);
    EXPECT_GE(pointer.y, area.y);
    EXPECT_LT(pointer.y, area.y + area.height);
    mouse->Release();
}
