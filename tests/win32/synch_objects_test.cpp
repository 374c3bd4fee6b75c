// Critical sections, mutexes, semaphores, pulsed events, the interlocked
// calls and the thread calls, across real threads and with misuse.
#include <windows.h>

#include "support/wine.h"

#include <gtest/gtest.h>

namespace {

DWORD WINAPI releaseFromOtherThread(LPVOID mutex)
{
    return ReleaseMutex(static_cast<HANDLE>(mutex)) ? 0 : GetLastError();
}

DWORD WINAPI tryEnter(LPVOID section)
{
    return TryEnterCriticalSection(static_cast<LPCRITICAL_SECTION>(section));
}

DWORD WINAPI waitForPulse(LPVOID event)
{
    return WaitForSingleObject(static_cast<HANDLE>(event), 5000);
}

DWORD threadResult(LPTHREAD_START_ROUTINE start, LPVOID parameter)
{
    HANDLE thread = CreateThread(nullptr, 0, start, parameter, 0, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return code;
}

} // namespace

TEST(SynchObjects, CriticalSectionIsRecursiveForItsOwnerOnly)
{
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EXPECT_TRUE(TryEnterCriticalSection(&section));
    EXPECT_EQ(threadResult(tryEnter, &section), 0u);
    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    EXPECT_EQ(threadResult(tryEnter, &section), 1u);
    DeleteCriticalSection(&section);
}

TEST(SynchObjects, MutexBelongsToTheThreadThatTookIt)
{
    SetLastError(ERROR_ALREADY_EXISTS);
    HANDLE mutex = CreateMutex(nullptr, TRUE, nullptr);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0); // again, recursively
    EXPECT_EQ(threadResult(releaseFromOtherThread, mutex), static_cast<DWORD>(ERROR_NOT_OWNER));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(ReleaseMutex(mutex));
    SetLastError(0);
    EXPECT_FALSE(ReleaseMutex(mutex));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
    ASSERT_TRUE(CloseHandle(mutex));
    SetLastError(0);
    EXPECT_FALSE(ReleaseMutex(mutex));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(SynchObjects, NamedMutexOpensTheSameObjectTheSecondTime)
{
    HANDLE first = CreateMutex(nullptr, FALSE, "VantrelTestSingleInstance");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), 0u);
    HANDLE second = CreateMutex(nullptr, FALSE, "VantrelTestSingleInstance");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    SetLastError(0);
    EXPECT_EQ(CreateSemaphore(nullptr, 0, 1, "VantrelTestSingleInstance"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    CloseHandle(second);
    CloseHandle(first);
}

TEST(SynchObjects, SemaphoreCountsUpToItsMaximum)
{
    SetLastError(0);
    EXPECT_EQ(CreateSemaphore(nullptr, 2, 1, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    HANDLE semaphore = CreateSemaphore(nullptr, 1, 2, nullptr);
    ASSERT_NE(semaphore, nullptr);
    EXPECT_EQ(WaitForSingleObject(semaphore, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(semaphore, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    LONG previous = -1;
    EXPECT_TRUE(ReleaseSemaphore(semaphore, 2, &previous));
    EXPECT_EQ(previous, 0);
    SetLastError(0);
    EXPECT_FALSE(ReleaseSemaphore(semaphore, 1, &previous));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TOO_MANY_POSTS));
    CloseHandle(semaphore);
}

TEST(SynchObjects, SemaphoreRefusesToReleaseNothing)
{
    if (runningUnderWine())
        GTEST_SKIP() << "Wine accepts a release count of 0; Windows refuses it (the count must be greater than 0)";
    HANDLE semaphore = CreateSemaphore(nullptr, 0, 2, nullptr);
    SetLastError(0);
    EXPECT_FALSE(ReleaseSemaphore(semaphore, 0, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    CloseHandle(semaphore);
}

TEST(SynchObjects, PulseReleasesAWaiterAndLeavesTheEventReset)
{
    HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    EXPECT_TRUE(PulseEvent(event)); // nobody waits: nothing happens
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    HANDLE waiter = CreateThread(nullptr, 0, waitForPulse, event, 0, nullptr);
    // Pulse until the waiter has been waiting to see one.
    while (WaitForSingleObject(waiter, 10) == static_cast<DWORD>(WAIT_TIMEOUT))
        PulseEvent(event);
    DWORD code = 1;
    GetExitCodeThread(waiter, &code);
    EXPECT_EQ(code, WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(waiter);
    CloseHandle(event);
    SetLastError(0);
    EXPECT_FALSE(PulseEvent(event));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(SynchObjects, InterlockedCallsReturnWhatWindowsReturns)
{
    volatile LONG value = 5;
    EXPECT_EQ(InterlockedIncrement(&value), 6);
    EXPECT_EQ(InterlockedDecrement(&value), 5);
    EXPECT_EQ(InterlockedExchange(&value, 9), 5);
    EXPECT_EQ(InterlockedExchangeAdd(&value, 3), 9);
    EXPECT_EQ(InterlockedCompareExchange(&value, 1, 0), 12); // no match: unchanged
    EXPECT_EQ(InterlockedCompareExchange(&value, 1, 12), 12);
    EXPECT_EQ(value, 1);
}

TEST(SynchObjects, ThreadCallsNameTheCaller)
{
    EXPECT_NE(GetCurrentThreadId(), 0u);
    EXPECT_NE(GetCurrentProcessId(), 0u);
    EXPECT_TRUE(CloseHandle(GetCurrentProcess()));
    EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL));
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_ABOVE_NORMAL);
    SetLastError(0);
    EXPECT_FALSE(SetThreadPriority(GetCurrentThread(), 7));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL));
}
