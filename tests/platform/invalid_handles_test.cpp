// Waits, exit codes and closes on handles that name nothing of the kind:
// each fails with ERROR_INVALID_HANDLE, as on Windows, and a call that
// succeeds leaves the last error alone.
#include <vantrel/win32/errors.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

namespace {
DWORD WINAPI returnSeven(LPVOID) { return 7; }
} // namespace

TEST(InvalidHandles, WaitsExitCodesAndClosesFailWithInvalidHandle)
{
    const HANDLE never = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0xdeadbee0));
    HANDLE event = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, returnSeven, nullptr, 0, nullptr);
    ASSERT_NE(event, nullptr);
    ASSERT_NE(thread, nullptr);
    DWORD code = 0;

    for (HANDLE bad : {never, static_cast<HANDLE>(nullptr)}) {
        SetLastError(0xdeadbeef);
        EXPECT_EQ(WaitForSingleObject(bad, 0), WAIT_FAILED);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        SetLastError(0xdeadbeef);
        EXPECT_FALSE(GetExitCodeThread(bad, &code));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        SetLastError(0xdeadbeef);
        EXPECT_FALSE(SetEvent(bad));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        SetLastError(0xdeadbeef);
        EXPECT_FALSE(CloseHandle(bad));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    }
    // A handle of the wrong kind is as invalid as none.
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(GetExitCodeThread(event, &code));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(ResetEvent(thread));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    // One bad handle among good ones fails the whole wait.
    const HANDLE mixed[] = {event, never};
    SetLastError(0xdeadbeef);
    EXPECT_EQ(WaitForMultipleObjects(2, mixed, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    SetLastError(0xdeadbeef);
    EXPECT_EQ(WaitForMultipleObjects(0, mixed, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    // Good handles succeed without touching the last error.
    SetLastError(0xdeadbeef);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(GetLastError(), 0xdeadbeefu);

    // A closed handle is gone for every call.
    EXPECT_TRUE(CloseHandle(thread));
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(CloseHandle(event));
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(CloseHandle(event));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}
