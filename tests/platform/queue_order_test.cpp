// Which message a thread reads next: posted messages before input whenever
// they were posted, the thread-only filters, timers set on another thread's
// window, and the calls that look windows up (FindWindowA, GetWindowTextA).
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "platform/backends/headless/headless_testing.h"
#include "support/window_recorder.h"

using namespace vtl;
namespace headless = vtl::testing::headless;

TEST(QueueOrder, PostedMessagesComeBeforeInputThatArrivedFirstAndQuitBetweenThem)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    ValidateRect(w, nullptr);
    WindowRecorder::drain();
    headless::key(w, 'A', true);
    PostMessageA(w, WM_USER, 1, 0);
    PostQuitMessage(3);
    PostMessageA(w, WM_USER, 2, 0);
    MSG msg;
    std::vector<UINT> order;
    while (order.size() < 6 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        order.push_back(msg.message);
    EXPECT_EQ(order, std::vector<UINT>({WM_USER, WM_USER, WM_QUIT, WM_KEYDOWN}));
    headless::key(w, 'A', false);
    WindowRecorder::drain();
    DestroyWindow(w);
}

TEST(QueueOrder, HandleOneAndMinusOneReadOnlyTheThreadsOwnMessages)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    PostMessageA(w, WM_USER, 1, 0);
    PostMessageA(nullptr, WM_USER, 2, 0);
    for (HWND filter : {reinterpret_cast<HWND>(1), reinterpret_cast<HWND>(-1)}) {
        MSG msg;
        ASSERT_TRUE(PeekMessageA(&msg, filter, 0, 0, PM_NOREMOVE));
        EXPECT_EQ(msg.hwnd, nullptr);
        EXPECT_EQ(msg.wParam, 2u);
    }
    MSG msg;
    ASSERT_EQ(GetMessageA(&msg, reinterpret_cast<HWND>(1), 0, 0), TRUE);
    EXPECT_EQ(msg.wParam, 2u);
    EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(1), 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, w);
    DestroyWindow(w);
}

TEST(QueueOrder, ATimerSetFromAnotherThreadTicksOnTheWindowsThread)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    UINT_PTR set = 0;
    std::thread([&] { set = SetTimer(w, 7, 10, nullptr); }).join();
    ASSERT_EQ(set, 7u);
    MSG msg;
    ASSERT_EQ(GetMessageA(&msg, w, WM_TIMER, WM_TIMER), TRUE);
    EXPECT_EQ(msg.wParam, 7u);
    BOOL killed = FALSE;
    DWORD error = 0;
    std::thread([&] {
        killed = KillTimer(w, 7);
        SetLastError(0);
        KillTimer(w, 7);
        error = GetLastError();
    }).join();
    EXPECT_TRUE(killed);
    EXPECT_EQ(error, 1402u);
    DestroyWindow(w);
}

TEST(QueueOrder, FindWindowGivesTheNewestMatchAndGetWindowTextAsksTheWindow)
{
    WindowRecorder rec;
    HWND older = rec.create(WS_POPUP, 0, 0, 10, 10);
    HWND newer = rec.create(WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(FindWindowA(rec.className(), nullptr), newer);
    DestroyWindow(newer);
    EXPECT_EQ(FindWindowA(rec.className(), nullptr), older);

    rec.handler = [](HWND, UINT m, WPARAM wp, LPARAM lp, LRESULT* result) {
        if (m != WM_GETTEXT)
            return false;
        std::strncpy(reinterpret_cast<char*>(lp), "asked", wp);
        *result = 5;
        return true;
    };
    char text[16] = "";
    EXPECT_EQ(GetWindowTextA(older, text, sizeof text), 5);
    EXPECT_STREQ(text, "asked");
    EXPECT_EQ(rec.only(WM_GETTEXT).size(), 1u);
    rec.handler = nullptr;
    SetWindowTextA(older, "Title");
    EXPECT_EQ(GetWindowTextA(older, text, 3), 2);
    EXPECT_STREQ(text, "Ti");
    DestroyWindow(older);
}
