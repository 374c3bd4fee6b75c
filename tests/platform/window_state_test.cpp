// Window state the system keeps for a window: owners, parents by style,
// the state given at creation, placement, and values it refuses.
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include "support/window_recorder.h"

namespace {

DWORD styleOf(HWND w) { return static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)); }

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(WindowState, OwnedPopupsKnowTheirOwnerAndGetParentFollowsTheStyle)
{
    WindowRecorder rec;
    HWND top = rec.create(WS_POPUP, 0, 0, 100, 100);
    HWND child = rec.create(WS_CHILD, 0, 0, 10, 10, top, 1);
    // Made with a child as parent: owned by the child's top-level window.
    HWND owned = rec.create(WS_POPUP, 0, 0, 50, 50, child);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
    EXPECT_EQ(GetParent(owned), top);
    EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrA(owned, GWLP_HWNDPARENT)), top);
    EXPECT_EQ(GetWindow(child, GW_OWNER), nullptr);
    EXPECT_EQ(GetWindow(top, GW_CHILD), child);

    // An overlapped owned window has an owner but no parent.
    SetWindowLongA(owned, GWL_STYLE, WS_OVERLAPPED);
    EXPECT_EQ(GetParent(owned), nullptr);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
    SetWindowLongA(child, GWL_STYLE, WS_POPUP);
    EXPECT_EQ(GetParent(child), nullptr); // a child has no owner

    SetLastError(0);
    EXPECT_EQ(CreateWindowExA(0, rec.className(), "", WS_POPUP, 0, 0, 1, 1, reinterpret_cast<HWND>(0x1234), nullptr,
                              nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), 1400u);

    // The owner takes its owned windows with it.
    DestroyWindow(top);
    EXPECT_FALSE(IsWindow(owned));
}

TEST(WindowState, ANullProcedureIsNotStoredAndHugeChildrenDoNotOverflow)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 100, 100);
    LONG_PTR proc = GetWindowLongPtrA(w, GWLP_WNDPROC);
    ASSERT_NE(proc, 0);
    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_WNDPROC, 0), proc);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), proc);
    rec.clear();
    SendMessageA(w, WM_USER, 0, 0); // still reaches the procedure
    EXPECT_EQ(rec.only(WM_USER).size(), 1u);

    HWND child = rec.create(WS_CHILD, 100, 100, 0x7FFFFFFF, 0x7FFFFFFF, w, 1);
    ASSERT_NE(child, nullptr);
    RECT r;
    GetClientRect(child, &r);
    EXPECT_GT(r.right, 0);
    EXPECT_GT(r.bottom, 0);
    DestroyWindow(w);
}

TEST(WindowState, MinimisedAtCreation)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP | WS_MINIMIZE, 0, 0, 100, 100);
    EXPECT_TRUE(IsIconic(w));
    std::vector<RecordedMessage> size = rec.only(WM_SIZE);
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(size[0].wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
    ShowWindow(w, SW_SHOW); // shown as it is
    EXPECT_TRUE(IsIconic(w));
    ShowWindow(w, SW_RESTORE);
    EXPECT_FALSE(IsIconic(w));
    DestroyWindow(w);
}

TEST(WindowState, PlacementKeepsTheNormalRectangleOfAMaximisedWindow)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 200, 150);
    WINDOWPLACEMENT p = {};
    p.length = sizeof p;
    ASSERT_TRUE(GetWindowPlacement(w, &p));
    EXPECT_EQ(p.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    RECT normal = p.rcNormalPosition;
    ShowWindow(w, SW_MAXIMIZE);
    ASSERT_TRUE(GetWindowPlacement(w, &p));
    EXPECT_EQ(p.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_TRUE(sameRect(p.rcNormalPosition, normal));

    // A new normal rectangle for the maximised window: it stays maximised
    // and comes back there.
    p.rcNormalPosition = RECT{30, 40, 230, 190};
    ASSERT_TRUE(SetWindowPlacement(w, &p));
    EXPECT_TRUE(styleOf(w) & WS_MAXIMIZE);
    ShowWindow(w, SW_MINIMIZE);
    ASSERT_TRUE(GetWindowPlacement(w, &p));
    EXPECT_EQ(p.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_EQ(p.flags & WPF_RESTORETOMAXIMIZED, static_cast<UINT>(WPF_RESTORETOMAXIMIZED));
    ShowWindow(w, SW_SHOWNORMAL);
    RECT r;
    GetWindowRect(w, &r);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(sameRect(r, RECT{work.left + 30, work.top + 40, work.left + 230, work.top + 190}));

    // Moved while minimised from maximised: it comes back maximised, and
    // restored from there to where it was moved.
    ShowWindow(w, SW_MAXIMIZE);
    ShowWindow(w, SW_MINIMIZE);
    SetWindowPos(w, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(w, SW_RESTORE);
    EXPECT_TRUE(styleOf(w) & WS_MAXIMIZE);
    ShowWindow(w, SW_RESTORE);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_FALSE(GetWindowPlacement(reinterpret_cast<HWND>(0x1234), &p));
    EXPECT_EQ(GetLastError(), 1400u);
    DestroyWindow(w);
}
