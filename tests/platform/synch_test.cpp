// Events, threads and waits over the handle table.
#include <vantrel/win32/synch.h>

#include <gtest/gtest.h>

#include <atomic>

TEST(Synch, AutomaticEventsWakeOneWaitAndManualOnesStaySet)
{
    HANDLE automatic = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    HANDLE manual = CreateEvent(nullptr, TRUE, TRUE, nullptr);
    ASSERT_NE(automatic, nullptr);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), DWORD(WAIT_TIMEOUT));
    EXPECT_TRUE(SetEvent(automatic));
    EXPECT_EQ(WaitForSingleObject(automatic, 0), DWORD(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(automatic, 0), DWORD(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(manual, 0), DWORD(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(manual, 0), DWORD(WAIT_OBJECT_0));
    EXPECT_TRUE(ResetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 0), DWORD(WAIT_TIMEOUT));

    // Any-of waits report the lowest signalled index.
    HANDLE pair[2] = {automatic, manual};
    SetEvent(manual);
    SetEvent(automatic);
    EXPECT_EQ(WaitForMultipleObjects(2, pair, FALSE, INFINITE), DWORD(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForMultipleObjects(2, pair, FALSE, INFINITE), DWORD(WAIT_OBJECT_0 + 1));
    EXPECT_EQ(WaitForMultipleObjects(2, pair, TRUE, 0), DWORD(WAIT_TIMEOUT));

    EXPECT_TRUE(CloseHandle(automatic));
    EXPECT_FALSE(CloseHandle(automatic));
    EXPECT_FALSE(SetEvent(automatic)); // a closed handle is refused, not followed
    EXPECT_EQ(WaitForMultipleObjects(2, pair, FALSE, 0), DWORD(WAIT_FAILED));
#ifndef _WIN32
    // The emulation's limits: Windows makes named events.
    EXPECT_EQ(CreateEvent(nullptr, FALSE, FALSE, "named"), nullptr);
#endif
    CloseHandle(manual);
}

namespace {
struct Worker {
    HANDLE go;
    std::atomic<int> rounds{0};
};
DWORD WINAPI work(LPVOID p)
{
    auto* w = static_cast<Worker*>(p);
    while (WaitForSingleObject(w->go, INFINITE) == WAIT_OBJECT_0)
        ++w->rounds;
    return 7;
}
} // namespace

TEST(Synch, ClosingAWaitedHandleEndsTheWaitAndThreadsSignalTheirEnd)
{
    Worker w;
    w.go = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, work, &w, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(WaitForSingleObject(thread, 0), DWORD(WAIT_TIMEOUT));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, DWORD(STILL_ACTIVE));
    CloseHandle(w.go); // the worker's wait fails and it returns
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), DWORD(WAIT_OBJECT_0));
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_TRUE(CloseHandle(thread));
#ifndef _WIN32
    // The emulation's limits: Windows makes suspended threads.
    EXPECT_EQ(CreateThread(nullptr, 0, work, &w, 4 /* suspended */, nullptr), nullptr);
#endif
}
