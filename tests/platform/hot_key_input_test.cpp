// Hot keys as the player presses them: WM_HOTKEY in place of the key-down,
// for exactly the modifiers registered, to the window or the thread.
#include <vantrel/win32/keyboard_pointer.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/window_calls.h>

#include <gtest/gtest.h>

#include "platform/backends/headless/headless_testing.h"
#include "support/window_recorder.h"

namespace headless = vtl::testing::headless;

namespace {

class HotKeyInput : public testing::Test {
protected:
    void SetUp() override
    {
        window = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
        ASSERT_NE(window, nullptr);
        WindowRecorder::drain();
        rec.clear();
    }
    void TearDown() override { DestroyWindow(window); }

    void press(int vk, bool repeat = false) { headless::key(window, vk, true, repeat); }
    void release(int vk) { headless::key(window, vk, false); }

    WindowRecorder rec;
    HWND window = nullptr;
};

TEST_F(HotKeyInput, TheHotKeyComesInPlaceOfItsKeyDownAndItsKeyUpStays)
{
    ASSERT_TRUE(RegisterHotKey(window, 42, MOD_CONTROL, VK_F5));
    press(VK_CONTROL);
    press(VK_F5);
    release(VK_F5);
    release(VK_CONTROL);
    WindowRecorder::drain();

    auto hot = rec.only(WM_HOTKEY, window);
    ASSERT_EQ(hot.size(), 1u);
    EXPECT_EQ(hot[0].wParam, 42u);
    EXPECT_EQ(LOWORD(hot[0].lParam), MOD_CONTROL);
    EXPECT_EQ(HIWORD(hot[0].lParam), VK_F5);
    for (const RecordedMessage& m : rec.only(WM_KEYDOWN))
        EXPECT_NE(m.wParam, static_cast<WPARAM>(VK_F5));
    ASSERT_EQ(rec.only(WM_KEYUP).size(), 2u); // F5, then Ctrl
    EXPECT_TRUE(UnregisterHotKey(window, 42));
}

TEST_F(HotKeyInput, OnlyTheExactModifiersMakeTheHotKey)
{
    ASSERT_TRUE(RegisterHotKey(window, 1, MOD_CONTROL, VK_F5));
    headless::typeKey(window, VK_F5); // no modifier
    press(VK_CONTROL);
    press(VK_SHIFT);
    headless::typeKey(window, VK_F5); // one modifier too many
    release(VK_SHIFT);
    release(VK_CONTROL);
    WindowRecorder::drain();
    EXPECT_TRUE(rec.only(WM_HOTKEY).empty());
    EXPECT_EQ(rec.only(WM_KEYDOWN).size(), 4u); // F5, Ctrl, Shift, F5
    EXPECT_TRUE(UnregisterHotKey(window, 1));
}

TEST_F(HotKeyInput, AHeldKeyRepeatsTheHotKeyUnlessRegisteredWithoutRepeats)
{
    ASSERT_TRUE(RegisterHotKey(window, 1, 0, VK_F6));
    ASSERT_TRUE(RegisterHotKey(window, 2, MOD_NOREPEAT, VK_F7));
    for (int vk : {VK_F6, VK_F7}) {
        press(vk);
        press(vk, true);
        press(vk, true);
        release(vk);
    }
    WindowRecorder::drain();
    int f6 = 0, f7 = 0;
    for (const RecordedMessage& m : rec.only(WM_HOTKEY))
        (m.wParam == 1 ? f6 : f7)++;
    EXPECT_EQ(f6, 3);
    EXPECT_EQ(f7, 1);
    EXPECT_TRUE(rec.only(WM_KEYDOWN).empty());
    UnregisterHotKey(window, 1);
    UnregisterHotKey(window, 2);
}

TEST_F(HotKeyInput, AThreadsHotKeyComesForNoWindow)
{
    ASSERT_TRUE(RegisterHotKey(nullptr, 5, MOD_ALT, 'K'));
    press(VK_MENU);
    press('K');
    release('K');
    release(VK_MENU);
    MSG m;
    bool found = false;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_HOTKEY) {
            found = true;
            EXPECT_EQ(m.hwnd, nullptr);
            EXPECT_EQ(m.wParam, 5u);
        }
        DispatchMessageA(&m);
    }
    EXPECT_TRUE(found);
    EXPECT_TRUE(UnregisterHotKey(nullptr, 5));
}

} // namespace
