#include <vantrel/win32/gdi.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/windowsx.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include <vantrel/seam/window_backend.h>
#include "support/window_recorder.h"

TEST(WindowAttributes, UserDataKeepsWholePointersAndTheShortFormKeeps32Bits)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    static int target;
    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&target)), 0);
    EXPECT_EQ(reinterpret_cast<int*>(GetWindowLongPtrA(w, GWLP_USERDATA)), &target);
    SetWindowLongA(w, GWL_USERDATA, -5);
    EXPECT_EQ(GetWindowLongA(w, GWL_USERDATA), -5);
    EXPECT_EQ(GetWindowLongPtrA(w, GWL_USERDATA), -5);

    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(w, 12345), 0);
    EXPECT_EQ(GetLastError(), 1413u);
    EXPECT_EQ(SetWindowLongA(nullptr, GWL_USERDATA, 1), 0);
    EXPECT_EQ(GetLastError(), 1400u);
    // A pointer does not fit the 32-bit form.
    EXPECT_EQ(SetWindowLongA(w, GWL_WNDPROC, 0), 0);
    EXPECT_EQ(GetLastError(), 1413u);
    DestroyWindow(w);
}

TEST(WindowAttributes, StylesChangeButVisibilityFollowsShowWindow)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP | WS_SYSMENU, 0, 0, 100, 80);
    // A top-level window clips its siblings whatever it is given.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)),
              static_cast<DWORD>(WS_POPUP | WS_SYSMENU | WS_CLIPSIBLINGS));
    EXPECT_FALSE(IsWindowVisible(w));
    ShowWindow(w, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(w));
    DWORD caption = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    LONG old = SetWindowLongA(w, GWL_STYLE, static_cast<LONG>(caption));
    EXPECT_EQ(static_cast<DWORD>(old), static_cast<DWORD>(WS_POPUP | WS_SYSMENU | WS_VISIBLE | WS_CLIPSIBLINGS));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)), caption | WS_VISIBLE | WS_CLIPSIBLINGS);
    // The frame now takes room from the client area.
    RECT c;
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 100 - 6);
    EXPECT_EQ(c.bottom, 80 - 6 - 19);
    ShowWindow(w, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(w));
    EXPECT_TRUE(vtl::isMinimized(w));
    ShowWindow(w, SW_RESTORE);
    EXPECT_FALSE(IsIconic(w));
    DestroyWindow(w);
}

TEST(WindowAttributes, ChildIdsAndParents)
{
    WindowRecorder rec;
    HWND parent = rec.create(WS_POPUP, 0, 0, 100, 100);
    HWND child = rec.create(WS_CHILD, 0, 0, 10, 10, parent, 42);
    EXPECT_EQ(GetWindowLongA(child, GWL_ID), 42);
    EXPECT_EQ(GetDlgCtrlID(child), 42);
    EXPECT_EQ(GetDlgItem(parent, 42), child);
    EXPECT_EQ(GetParent(child), parent);
    HWND other = rec.create(WS_POPUP, 0, 0, 100, 100);
    EXPECT_EQ(SetParent(child, other), parent);
    EXPECT_EQ(GetDlgItem(parent, 42), nullptr);
    EXPECT_EQ(GetDlgItem(other, 42), child);
    EXPECT_EQ(SetParent(other, child), nullptr); // no cycles
    DestroyWindow(other);
    EXPECT_FALSE(IsWindow(child));
    DestroyWindow(parent);
}

TEST(WindowAttributes, GeometryFollowsTheFrameArithmetic)
{
    WindowRecorder rec;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r = {0, 0, 320, 200};
    ASSERT_TRUE(AdjustWindowRectEx(&r, style, FALSE, WS_EX_APPWINDOW));
    HWND w = rec.create(style, 100, 50, r.right - r.left, r.bottom - r.top);
    RECT c;
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 320);
    EXPECT_EQ(c.bottom, 200);
    POINT p = {0, 0};
    ClientToScreen(w, &p);
    EXPECT_EQ(p.x, 100 - r.left);
    EXPECT_EQ(p.y, 50 - r.top);
    ScreenToClient(w, &p);
    EXPECT_EQ(p.x, 0);

    rec.clear();
    MoveWindow(w, 10, 20, 400, 300, TRUE);
    auto moves = rec.only(WM_MOVE);
    auto sizes = rec.only(WM_SIZE);
    ASSERT_EQ(moves.size(), 1u);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), 10 - r.left);
    EXPECT_EQ(LOWORD(sizes[0].lParam), 400 - (r.right - r.left - 320));

    rec.clear();
    SetWindowPos(w, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT wr;
    GetWindowRect(w, &wr);
    EXPECT_EQ(wr.left, 10);
    EXPECT_EQ(wr.right, 510);
    EXPECT_TRUE(rec.only(WM_MOVE).empty());
    SetWindowPos(w, HWND_NOTOPMOST, 7, 8, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    GetWindowRect(w, &wr);
    EXPECT_EQ(wr.left, 7);
    EXPECT_EQ(wr.right - wr.left, 500);

    HWND child = rec.create(WS_CHILD | WS_VISIBLE, 5, 6, 20, 20, w);
    GetWindowRect(child, &wr);
    EXPECT_EQ(wr.left, 7 - r.left + 5);
    DestroyWindow(w);
}

TEST(WindowAttributes, TheHeadlessDesktopIsFixedAndItsFormatComesFromTheEnvironment)
{
    EXPECT_STREQ(vtl::videoBackendName(), "headless");
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.bottom, 728);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 16);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    setenv("VANTREL_DESKTOP", "bgr24", 1);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 24);
    EXPECT_EQ(vtl::desktop().format.formatCode, PF_RGB24 | PF_BGR);
    unsetenv("VANTREL_DESKTOP");
    ReleaseDC(nullptr, screen);
}

TEST(WindowAttributes, ShowingActivatesTheApplicationAndObserversSeeIt)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    std::vector<UINT> seen;
    int id = vtl::watchWindowMessages(
        w, [](HWND, UINT m, WPARAM, LPARAM, void* user) { static_cast<std::vector<UINT>*>(user)->push_back(m); },
        &seen);
    ShowWindow(w, SW_SHOW);
    auto activate = rec.only(WM_ACTIVATEAPP);
    ASSERT_EQ(activate.size(), 1u);
    EXPECT_EQ(activate[0].wParam, static_cast<WPARAM>(TRUE));
    ShowWindow(w, SW_MINIMIZE);
    activate = rec.only(WM_ACTIVATEAPP);
    ASSERT_EQ(activate.size(), 2u);
    EXPECT_EQ(activate[1].wParam, static_cast<WPARAM>(FALSE));
    auto sizes = rec.only(WM_SIZE);
    EXPECT_EQ(sizes.back().wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
    vtl::broadcastDisplayChange(32, 800, 600);
    auto change = rec.only(WM_DISPLAYCHANGE);
    ASSERT_EQ(change.size(), 1u);
    EXPECT_EQ(change[0].wParam, 32u);
    EXPECT_EQ(HIWORD(change[0].lParam), 600);
    vtl::unwatchWindowMessages(id);
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_DISPLAYCHANGE)), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_ACTIVATEAPP)), seen.end());
    DestroyWindow(w);
}

TEST(WindowAttributes, PaintComesAfterPostedMessagesAndOnlyWhileNeeded)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    PostMessageA(w, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    DispatchMessageA(&msg);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    InvalidateRect(w, nullptr, TRUE);
    rec.clear();
    UpdateWindow(w);
    EXPECT_EQ(rec.only(WM_PAINT).size(), 1u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DestroyWindow(w);
}

TEST(WindowAttributes, SystemIconsAndCursorsLoadAndUnknownOnesFail)
{
    EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(7)), nullptr);
    HINSTANCE self = GetModuleHandleA(nullptr);
    EXPECT_NE(self, nullptr);
    EXPECT_EQ(LoadIconA(self, MAKEINTRESOURCEA(101)), LoadIconA(self, MAKEINTRESOURCEA(101)));
    EXPECT_NE(vtl::libraryInstance(), nullptr);
    EXPECT_NE(GetStockObject(BLACK_BRUSH), nullptr);
    EXPECT_EQ(GetModuleHandleA("no-such-module.so"), nullptr);
}
