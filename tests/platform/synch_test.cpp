// Events, threads and waits over the handle table.
#include <vantrel/win32/errors.h>
#include <vantrel/win32/synch.h>

#include <gtest/gtest.h>

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
    DWORD afterClose = 0;
    DWORD errorAfterClose = 0;
};
// Closes the handle it was woken through, as a sound stream's worker does
// when it stops, and ends on the wait that follows.
DWORD WINAPI work(LPVOID p)
{
    auto* w = static_cast<Worker*>(p);
    if (WaitForSingleObject(w->go, INFINITE) != WAIT_OBJECT_0)
        return 1;
    CloseHandle(w->go);
    w->afterClose = WaitForSingleObject(w->go, INFINITE);
    w->errorAfterClose = GetLastError();
    return 7;
}
} // namespace

TEST(Synch, AWaitOnAClosedHandleFailsAndThreadsSignalTheirEnd)
{
    Worker w;
    w.go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, work, &w, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(WaitForSingleObject(thread, 0), DWORD(WAIT_TIMEOUT));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, DWORD(STILL_ACTIVE));
    EXPECT_TRUE(SetEvent(w.go));
    ASSERT_EQ(WaitForSingleObject(thread, 5000), DWORD(WAIT_OBJECT_0));
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(w.afterClose, DWORD(WAIT_FAILED));
    EXPECT_EQ(w.errorAfterClose, DWORD(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(CloseHandle(thread));
#ifndef _WIN32
    // The emulation's limits: Windows makes suspended threads.
    EXPECT_EQ(CreateThread(nullptr, 0, work, &w, 4 /* suspended */, nullptr), nullptr);
#endif
}
