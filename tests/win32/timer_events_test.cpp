// Multimedia timer events as a game uses them for its tick: periodic and
// one-shot callbacks on the timer thread, events signalled instead of
// calls, killing from inside the callback, and ids that are not running.
#include <windows.h>

#include <mmsystem.h>

#include "support/wine.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct Ticks {
    std::atomic<int> calls{0};
    std::atomic<UINT> id{0};          // the id the callback was given
    std::atomic<int> killAt{0};       // the call that kills its own event
    std::atomic<MMRESULT> killed{~0u}; // what that timeKillEvent returned
    std::atomic<int> inside{0};       // callbacks running now
    std::atomic<bool> overlapped{false};
    std::atomic<DWORD> thread{0};
    std::atomic<bool> otherThread{false};
};

void CALLBACK tick(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    Ticks& t = *reinterpret_cast<Ticks*>(user);
    if (t.inside.fetch_add(1) != 0)
        t.overlapped = true;
    DWORD none = 0;
    if (!t.thread.compare_exchange_strong(none, GetCurrentThreadId()) && none != GetCurrentThreadId())
        t.otherThread = true;
    t.id = id;
    const int call = t.calls.fetch_add(1) + 1;
    if (call == t.killAt)
        t.killed = timeKillEvent(id);
    Sleep(1); // long enough for another event to fall due meanwhile
    t.inside.fetch_sub(1);
}

// What timeKillEvent answers for an id that is not running, as Windows
// documents it; Wine answers TIMERR_NOCANDO (and 0 for the id 0), so the
// check is skipped there.
void expectNotRunning(UINT id)
{
    if (!runningUnderWine()) {
        EXPECT_EQ(timeKillEvent(id), MMRESULT(MMSYSERR_INVALPARAM)) << id;
    }
}

// Waits up to two seconds for `calls` to reach `count`.
bool reaches(const std::atomic<int>& calls, int count)
{
    for (int waited = 0; waited < 2000 && calls < count; waited += 5)
        Sleep(5);
    return calls >= count;
}

} // namespace

TEST(TimerEvents, PeriodicEventRunsUntilKilledAndOneShotRunsOnce)
{
    Ticks periodic, once;
    const MMRESULT every = timeSetEvent(5, 1, tick, DWORD_PTR(&periodic), TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
    const MMRESULT single = timeSetEvent(10, 0, tick, DWORD_PTR(&once), TIME_ONESHOT);
    ASSERT_NE(every, 0u);
    ASSERT_NE(single, 0u);
    EXPECT_NE(every, single);
    EXPECT_TRUE(reaches(periodic.calls, 5));
    EXPECT_EQ(timeKillEvent(every), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(periodic.id, every);
    EXPECT_EQ(once.id, single);

    const int afterKill = periodic.calls;
    Sleep(50);
    // At most the call that was running as the event was killed.
    EXPECT_LE(periodic.calls, afterKill + 1);
    EXPECT_EQ(once.calls, 1);
    // Both have ended: their ids are no longer running.
    expectNotRunning(every);
    expectNotRunning(single);
}

TEST(TimerEvents, CallbacksRunOneAtATimeOnOneThread)
{
    Ticks shared;
    const MMRESULT a = timeSetEvent(2, 0, tick, DWORD_PTR(&shared), TIME_PERIODIC);
    const MMRESULT b = timeSetEvent(3, 0, tick, DWORD_PTR(&shared), TIME_PERIODIC);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_TRUE(reaches(shared.calls, 20));
    EXPECT_EQ(timeKillEvent(a), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(timeKillEvent(b), MMRESULT(MMSYSERR_NOERROR));
    Sleep(20);
    EXPECT_FALSE(shared.overlapped);
    EXPECT_FALSE(shared.otherThread);
#ifndef __EMSCRIPTEN__
    // A page has one thread: there the calls come in the program's waits.
    EXPECT_NE(shared.thread, GetCurrentThreadId());
#endif
}

TEST(TimerEvents, CallbackKillsItsOwnEvent)
{
    Ticks t;
    t.killAt = 3;
    const MMRESULT id = timeSetEvent(2, 0, tick, DWORD_PTR(&t), TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(reaches(t.calls, 3));
    Sleep(30);
    EXPECT_EQ(t.calls, 3);
    EXPECT_EQ(t.killed, MMRESULT(MMSYSERR_NOERROR));
    expectNotRunning(id);
}

TEST(TimerEvents, SynchronousKillWaitsForTheRunningCall)
{
    Ticks t;
    const MMRESULT id = timeSetEvent(1, 0, tick, DWORD_PTR(&t), TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(reaches(t.calls, 2));
    ASSERT_EQ(timeKillEvent(id), MMRESULT(MMSYSERR_NOERROR));
    // No call is running once the kill has returned, nor starts after it.
    EXPECT_EQ(t.inside, 0);
    const int calls = t.calls;
    Sleep(20);
    EXPECT_EQ(t.calls, calls);
}

TEST(TimerEvents, EventsAreSetOrPulsedInsteadOfACall)
{
    const HANDLE set = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ASSERT_NE(set, nullptr);
    const MMRESULT once = timeSetEvent(5, 0, reinterpret_cast<LPTIMECALLBACK>(set), 0,
                                       TIME_ONESHOT | TIME_CALLBACK_EVENT_SET);
    ASSERT_NE(once, 0u);
    EXPECT_EQ(WaitForSingleObject(set, 2000), WAIT_OBJECT_0);

    // A pulse releases a thread that waits, tick after tick.
    const MMRESULT beat = timeSetEvent(5, 0, reinterpret_cast<LPTIMECALLBACK>(set), 0,
                                       TIME_PERIODIC | TIME_CALLBACK_EVENT_PULSE);
    ASSERT_NE(beat, 0u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(WaitForSingleObject(set, 2000), WAIT_OBJECT_0);
    EXPECT_EQ(timeKillEvent(beat), MMRESULT(MMSYSERR_NOERROR));
    CloseHandle(set);
}

TEST(TimerEvents, RefusesWhatWindowsRefuses)
{
    Ticks t;
    TIMECAPS caps{};
    ASSERT_EQ(timeGetDevCaps(&caps, sizeof caps), MMRESULT(TIMERR_NOERROR));
    EXPECT_EQ(timeSetEvent(0, 0, tick, DWORD_PTR(&t), TIME_PERIODIC), 0u);
    EXPECT_EQ(timeSetEvent(caps.wPeriodMax + 1, 0, tick, DWORD_PTR(&t), TIME_PERIODIC), 0u);
    expectNotRunning(0);
    expectNotRunning(0xDEAD);
    Sleep(10);
    EXPECT_EQ(t.calls, 0);
}
