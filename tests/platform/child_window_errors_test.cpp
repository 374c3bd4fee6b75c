// CreateWindowExA's refusals of a child window, with the codes Windows gives.
#include <vantrel/win32/errors.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include "support/window_recorder.h"

TEST(ChildWindows, AChildWithoutAParentIsATopLevelChildAndABadParentAnInvalidHandle)
{
    WindowRecorder rec;
    SetLastError(0x1234);
    EXPECT_EQ(CreateWindowExA(0, rec.className(), "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));

    SetLastError(0x1234);
    EXPECT_EQ(CreateWindowExA(0, rec.className(), "", WS_CHILD, 0, 0, 10, 10, reinterpret_cast<HWND>(-1), nullptr,
                              GetModuleHandleA(nullptr), nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), 1400u); // ERROR_INVALID_WINDOW_HANDLE

    // With a real parent the same call makes the child.
    HWND parent = rec.create(WS_POPUP, 0, 0, 50, 50);
    HWND child = rec.create(WS_CHILD, 0, 0, 10, 10, parent, 7);
    EXPECT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), parent);
    DestroyWindow(parent);
}
