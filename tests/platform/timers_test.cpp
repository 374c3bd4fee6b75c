#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "support/window_recorder.h"

namespace {

// Dispatches until `count` WM_TIMER messages have been seen.
std::vector<UINT_PTR> collectTicks(WindowRecorder& rec, size_t count)
{
    std::vector<UINT_PTR> ids;
    MSG msg;
    while (ids.size() < count && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER)
            ids.push_back(msg.wParam);
        DispatchMessageA(&msg);
    }
    (void)rec;
    return ids;
}

std::vector<UINT_PTR> gProcTicks;
void CALLBACK onTick(HWND, UINT message, UINT_PTR id, DWORD) { gProcTicks.push_back(message == WM_TIMER ? id : 0); }

} // namespace

TEST(Timers, FireInDueOrderAtAboutTheirRates)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    UINT_PTR fast = SetTimer(w, 1, 20, nullptr);
    UINT_PTR slow = SetTimer(w, 2, 50, nullptr);
    ASSERT_EQ(fast, 1u);
    ASSERT_EQ(slow, 2u);
    auto start = std::chrono::steady_clock::now();
    auto ticks = collectTicks(rec, 14);
    auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(ticks.size(), 14u);
    // The fast timer is due first.
    EXPECT_EQ(ticks[0], fast);
    std::map<UINT_PTR, int> counts;
    for (UINT_PTR id : ticks)
        ++counts[id];
    // Rates relative to each other, loosely: 5 : 2 ideally.
    EXPECT_GT(counts[fast], counts[slow]);
    EXPECT_GE(counts[slow], 1);
    // Never early: 10 fast ticks can not come before 200 ms.
    EXPECT_GE(elapsed, std::chrono::milliseconds(20 * (counts[fast] - 1)));
    EXPECT_TRUE(KillTimer(w, fast));
    EXPECT_TRUE(KillTimer(w, slow));
    EXPECT_FALSE(KillTimer(w, slow));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, w, WM_TIMER, WM_TIMER, PM_REMOVE));
    DestroyWindow(w);
}

// A window's timer keeps the id 0 it was given: SetTimer returns 1, which
// names no timer, a second SetTimer with id 0 resets the same timer, and
// only KillTimer(hwnd, 0) stops it.  It still arrives as WM_TIMER with id 0.
TEST(Timers, AWindowsTimerKeepsTheIdZeroAndSetTimerReturnsOne)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(SetTimer(w, 0, 10, nullptr), 1u);
    EXPECT_EQ(SetTimer(w, 0, 10, nullptr), 1u);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER)
        DispatchMessageA(&msg);
    EXPECT_EQ(msg.hwnd, w);
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(KillTimer(w, 1));
    EXPECT_TRUE(KillTimer(w, 0));
    EXPECT_FALSE(KillTimer(w, 0)); // the two SetTimer calls made one timer
    DestroyWindow(w);
}

TEST(Timers, CallbacksReplaceTheWindowMessageAndDestroyingTheWindowEndsItsTimers)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    gProcTicks.clear();
    UINT_PTR c = SetTimer(w, 9, 10, onTick);
    EXPECT_EQ(c, 9u);
    MSG msg;
    while (gProcTicks.empty() && GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    EXPECT_EQ(gProcTicks.front(), c);
    EXPECT_TRUE(rec.only(WM_TIMER).empty());
    KillTimer(w, c);

    // Destroying the window ends its timers; a dead window gets none.
    SetTimer(w, 3, 10, nullptr);
    DestroyWindow(w);
    EXPECT_FALSE(KillTimer(w, 3));
    EXPECT_EQ(SetTimer(w, 4, 10, nullptr), 0u);
}

TEST(Timers, ASlowReaderGetsOneTickNotABacklog)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    SetTimer(w, 1, 10, nullptr);
    Sleep(60);
    int ticks = 0;
    MSG msg;
    while (PeekMessageA(&msg, w, WM_TIMER, WM_TIMER, PM_REMOVE))
        ++ticks;
    EXPECT_EQ(ticks, 1);
    DestroyWindow(w);
}

// A main loop that looks with PM_NOREMOVE before it takes: the timer it saw
// is the one it takes, even when another timer falls due in between, and
// looking does not count as the tick.
TEST(Timers, ATimerSeenWithoutRemovingIsTheNextOneTaken)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    ASSERT_EQ(SetTimer(w, 7, 10, nullptr), 7u);
    MSG seen;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!PeekMessageA(&seen, w, WM_TIMER, WM_TIMER, PM_NOREMOVE) && std::chrono::steady_clock::now() < until) {
    }
    ASSERT_EQ(seen.message, static_cast<UINT>(WM_TIMER));
    ASSERT_EQ(seen.wParam, 7u);
    // A second timer, due at once, is set after the first was seen.
    ASSERT_EQ(SetTimer(w, 3, 1, nullptr), 3u);
    Sleep(20);
    MSG taken;
    ASSERT_TRUE(PeekMessageA(&taken, w, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(taken.wParam, 7u);
    MSG next;
    ASSERT_TRUE(PeekMessageA(&next, w, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(next.wParam, 3u);
    KillTimer(w, 7);
    KillTimer(w, 3);
    DestroyWindow(w);
}
