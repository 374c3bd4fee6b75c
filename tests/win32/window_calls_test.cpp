// The window calls as games spell them: WNDCLASS and CreateWindow, the
// desktop and the list of windows, activation, registered messages, the
// message time, waiting for objects and messages, icons and display modes.
#include <vantrel/win32/display_settings.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/window_calls.h>

#include "support/wine.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<UINT> gSeen;
LPVOID gCreateParam = nullptr;

LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    gSeen.push_back(message);
    if (message == WM_CREATE)
        gCreateParam = reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams;
    if (message == WM_APP + 1)
        return static_cast<LRESULT>(wParam * 2);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// A class registered the way games of the era register theirs.
class WindowCalls : public testing::Test {
protected:
    void SetUp() override
    {
        gSeen.clear();
        WNDCLASS wc = {};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = recordingProc;
        wc.hInstance = GetModuleHandle(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        ASSERT_NE(RegisterClass(&wc), 0);
    }
    void TearDown() override
    {
        for (HWND w : made)
            DestroyWindow(w);
        UnregisterClass(kClass, GetModuleHandle(nullptr));
    }
    HWND make(DWORD style, HWND parent = nullptr, const char* title = "window calls")
    {
        HWND w = CreateWindow(kClass, title, style, 10, 10, 200, 150, parent, nullptr, GetModuleHandle(nullptr),
                              nullptr);
        if (w)
            made.insert(made.begin(), w);
        return w;
    }
    static bool seen(UINT message)
    {
        for (UINT m : gSeen)
            if (m == message)
                return true;
        return false;
    }
    static void drain()
    {
        MSG m;
        while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(&m);
    }

    static constexpr const char* kClass = "VantrelWindowCallsTest";
    std::vector<HWND> made;
};

TEST_F(WindowCalls, RegisterClassAndCreateWindowMakeAWindowAsTheExFormsDo)
{
    // The same class twice is refused, with the same error as the Ex form.
    WNDCLASS again = {};
    again.lpfnWndProc = recordingProc;
    again.hInstance = GetModuleHandle(nullptr);
    again.lpszClassName = kClass;
    SetLastError(0);
    EXPECT_EQ(RegisterClass(&again), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    int param = 0;
    HWND w = CreateWindow(kClass, "first", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320, 240, nullptr,
                          nullptr, GetModuleHandle(nullptr), &param);
    ASSERT_NE(w, nullptr);
    made.push_back(w);
    EXPECT_TRUE(seen(WM_NCCREATE));
    EXPECT_TRUE(seen(WM_CREATE));
    EXPECT_EQ(gCreateParam, &param);

    EXPECT_TRUE(SetWindowText(w, "renamed"));
    char title[32] = "";
    EXPECT_EQ(GetWindowText(w, title, sizeof title), 7);
    EXPECT_STREQ(title, "renamed");
    EXPECT_EQ(CallWindowProc(recordingProc, w, WM_APP + 1, 21, 0), 42);

    // A class name nobody registered.
    SetLastError(0);
    EXPECT_EQ(CreateWindow("NoSuchClassAnywhere", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    // Wine answers ERROR_CLASS_DOES_NOT_EXIST.
    if (!runningUnderWine()) {
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    }
}

TEST_F(WindowCalls, TheDesktopWindowIsTheScreenAndParentsTopLevelWindows)
{
    HWND desktop = GetDesktopWindow();
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(GetDesktopWindow(), desktop);
    EXPECT_TRUE(IsWindow(desktop));
    RECT r = {};
    ASSERT_TRUE(GetWindowRect(desktop, &r));
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));
    ASSERT_TRUE(GetClientRect(desktop, &r));
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));

    // Made with the desktop as parent, a window is an ordinary top-level one.
    HWND w = make(WS_POPUP, desktop);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(GetParent(w), nullptr);
    EXPECT_EQ(GetWindow(w, GW_OWNER), nullptr);

    HDC dc = GetDC(desktop);
    EXPECT_NE(dc, nullptr);
    ReleaseDC(desktop, dc);
}

struct Listed {
    std::vector<HWND> windows;
    int stopAfter = -1;
};

BOOL CALLBACK listWindow(HWND hwnd, LPARAM lParam)
{
    Listed* listed = reinterpret_cast<Listed*>(lParam);
    listed->windows.push_back(hwnd);
    return listed->stopAfter < 0 || static_cast<int>(listed->windows.size()) < listed->stopAfter;
}

int indexOf(const std::vector<HWND>& list, HWND w)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == w)
            return static_cast<int>(i);
    return -1;
}

TEST_F(WindowCalls, EnumWindowsListsTopLevelWindowsTopFirstAndStopsWhenAsked)
{
    HWND older = make(WS_POPUP);
    HWND newer = make(WS_POPUP);
    HWND child = make(WS_CHILD, newer);
    ASSERT_TRUE(older && newer && child);

    Listed all;
    EXPECT_TRUE(EnumWindows(listWindow, reinterpret_cast<LPARAM>(&all)));
    const int o = indexOf(all.windows, older), n = indexOf(all.windows, newer);
    ASSERT_GE(o, 0);
    ASSERT_GE(n, 0);
    EXPECT_LT(n, o); // a new window goes on top
    EXPECT_EQ(indexOf(all.windows, child), -1);

    // The callback's FALSE ends the list, and EnumWindows answers FALSE.
    Listed one;
    one.stopAfter = 1;
    EXPECT_FALSE(EnumWindows(listWindow, reinterpret_cast<LPARAM>(&one)));
    EXPECT_EQ(one.windows.size(), 1u);
}

TEST_F(WindowCalls, FindWindowExWalksAParentsChildrenAfterTheOneGiven)
{
    HWND top = make(WS_POPUP, nullptr, "parent");
    ASSERT_NE(top, nullptr);
    HWND first = make(WS_CHILD, top, "same");
    HWND second = make(WS_CHILD, top, "same");
    HWND other = make(WS_CHILD, top, "other");
    ASSERT_TRUE(first && second && other);

    // Every child with the title, one after another, then none.
    std::vector<HWND> found;
    for (HWND at = FindWindowEx(top, nullptr, kClass, "same"); at; at = FindWindowEx(top, at, kClass, "same"))
        found.push_back(at);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_NE(found[0], found[1]);
    EXPECT_TRUE((found[0] == first || found[0] == second) && (found[1] == first || found[1] == second));
    EXPECT_EQ(FindWindowEx(top, nullptr, kClass, "other"), other);
    EXPECT_EQ(FindWindowEx(top, nullptr, "NoSuchClassAnywhere", nullptr), nullptr);

    // Without a parent: the top-level windows, as FindWindow searches them.
    EXPECT_EQ(FindWindowEx(nullptr, nullptr, kClass, "parent"), top);
    EXPECT_EQ(FindWindowEx(GetDesktopWindow(), nullptr, kClass, "parent"), top);
    EXPECT_EQ(FindWindowEx(nullptr, nullptr, kClass, "same"), nullptr);

    HWND gone = make(WS_POPUP);
    DestroyWindow(gone);
    SetLastError(0);
    EXPECT_EQ(FindWindowEx(gone, nullptr, nullptr, nullptr), nullptr);
    // Wine does not check the parent and sets no error.
    if (!runningUnderWine()) {
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    }
}

TEST_F(WindowCalls, CloseWindowMinimisesATopLevelWindowAndLeavesChildrenAlone)
{
    HWND top = make(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = make(WS_CHILD | WS_VISIBLE, top);
    ASSERT_TRUE(top && child);
    EXPECT_TRUE(CloseWindow(top));
    EXPECT_TRUE(IsIconic(top));
    EXPECT_TRUE(IsWindow(top)); // not destroyed
    EXPECT_FALSE(CloseWindow(child));
    EXPECT_FALSE(IsIconic(child));

    // Wine's CloseWindow does not check the window and answers TRUE.
    if (runningUnderWine())
        return;
    HWND gone = make(WS_POPUP);
    DestroyWindow(gone);
    SetLastError(0);
    EXPECT_FALSE(CloseWindow(gone));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowCalls, SetActiveWindowActivatesOneOfTheThreadsWindows)
{
    HWND a = make(WS_POPUP | WS_VISIBLE);
    HWND b = make(WS_POPUP | WS_VISIBLE);
    ASSERT_TRUE(a && b);
    SetActiveWindow(a);
    ASSERT_EQ(GetActiveWindow(), a);
    gSeen.clear();
    EXPECT_EQ(SetActiveWindow(b), a);
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_TRUE(seen(WM_ACTIVATE));

    // The active window is the thread's own: another thread has none.
    HWND elsewhere = b;
    std::thread([&] { elsewhere = GetActiveWindow(); }).join();
    EXPECT_EQ(elsewhere, nullptr);

    HWND gone = make(WS_POPUP);
    DestroyWindow(gone);
    SetLastError(0);
    EXPECT_EQ(SetActiveWindow(gone), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST(RegisteredMessages, OneNumberPerNameIgnoringCase)
{
    const UINT a = RegisterWindowMessage("VantrelTestMessageOne");
    const UINT b = RegisterWindowMessage("vantreltestmessageone");
    const UINT c = RegisterWindowMessage("VantrelTestMessageTwo");
    EXPECT_GE(a, 0xC000u);
    EXPECT_LE(a, 0xFFFFu);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

TEST(GetMessageTime, IsTheTimeAndPlaceOfTheLastMessageRead)
{
    ASSERT_TRUE(PostMessage(nullptr, WM_APP + 7, 0, 0));
    MSG m = {};
    ASSERT_TRUE(GetMessage(&m, nullptr, WM_APP + 7, WM_APP + 7));
    EXPECT_EQ(static_cast<DWORD>(GetMessageTime()), m.time);
    const DWORD pos = GetMessagePos();
    EXPECT_EQ(static_cast<short>(LOWORD(pos)), m.pt.x);
    EXPECT_EQ(static_cast<short>(HIWORD(pos)), m.pt.y);
}

class MsgWait : public testing::Test {
protected:
    void SetUp() override
    {
        event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
        ASSERT_NE(event, nullptr);
        MSG m;
        while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    void TearDown() override { CloseHandle(event); }
    HANDLE event = nullptr;
};

TEST_F(MsgWait, AnObjectOrANewMessageEndsTheWait)
{
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 20, QS_ALLINPUT), static_cast<DWORD>(WAIT_TIMEOUT));

    SetEvent(event);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 1000, QS_ALLINPUT), static_cast<DWORD>(WAIT_OBJECT_0));
    // The automatic event was taken by the wait.
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    PostMessage(nullptr, WM_APP, 0, 0);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 1000, QS_ALLINPUT),
              static_cast<DWORD>(WAIT_OBJECT_0 + 1));
    // A message of a kind the mask leaves out does not end it.
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 20, QS_KEY), static_cast<DWORD>(WAIT_TIMEOUT));

    // Another thread's signal ends a wait under way.
    std::thread setter([this] {
        Sleep(30);
        SetEvent(event);
    });
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 5000, QS_KEY), static_cast<DWORD>(WAIT_OBJECT_0));
    setter.join();

    // No objects: a wait for messages alone.
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_POSTMESSAGE), static_cast<DWORD>(WAIT_OBJECT_0));
}

TEST_F(MsgWait, AMessageAlreadySeenByPeekMessageDoesNotWake)
{
    PostMessage(nullptr, WM_APP, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 20, QS_ALLINPUT), static_cast<DWORD>(WAIT_TIMEOUT));
    PostMessage(nullptr, WM_APP + 1, 0, 0);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 1000, QS_ALLINPUT),
              static_cast<DWORD>(WAIT_OBJECT_0 + 1));
}

TEST_F(MsgWait, AClosedHandleFails)
{
    HANDLE closed = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(closed);
    SetLastError(0);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &closed, FALSE, 0, QS_ALLINPUT), static_cast<DWORD>(WAIT_FAILED));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(WindowCalls, SetIconAnswersTheIconItReplacesAndGetIconReadsItBack)
{
    HWND w = make(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(w, nullptr);
    HICON big = LoadIcon(nullptr, IDI_APPLICATION);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(SendMessage(w, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(SendMessage(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)), 0);
    EXPECT_EQ(SendMessage(w, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(big));
    EXPECT_EQ(SendMessage(w, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessage(w, WM_SETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(big));
    EXPECT_EQ(SendMessage(w, WM_GETICON, ICON_BIG, 0), 0);
}

TEST(DisplaySettings, ListTheModesAndDescribeTheCurrentOne)
{
    DEVMODE mode = {};
    mode.dmSize = sizeof mode;
    ASSERT_TRUE(EnumDisplaySettings(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    // Wine on a bare X server answers the X screen's size here and its own
    // default size from the metrics.
    if (!runningUnderWine()) {
        EXPECT_EQ(mode.dmPelsWidth, static_cast<DWORD>(GetSystemMetrics(SM_CXSCREEN)));
        EXPECT_EQ(mode.dmPelsHeight, static_cast<DWORD>(GetSystemMetrics(SM_CYSCREEN)));
    }
    EXPECT_TRUE(mode.dmFields & DM_PELSWIDTH);
    EXPECT_TRUE(mode.dmFields & DM_BITSPERPEL);

    // Numbered from 0 until the call fails; the classic 640 x 480 is there.
    bool found640 = false;
    DWORD n = 0;
    for (; n < 10000; ++n) {
        DEVMODE m = {};
        m.dmSize = sizeof m;
        if (!EnumDisplaySettings(nullptr, n, &m))
            break;
        EXPECT_GT(m.dmPelsWidth, 0u);
        EXPECT_GT(m.dmBitsPerPel, 0u);
        found640 = found640 || (m.dmPelsWidth == 640 && m.dmPelsHeight == 480);
    }
    EXPECT_GT(n, 0u);
    // Wine on a bare X server lists only the modes the server has.
    EXPECT_TRUE(found640 || runningUnderWine());
}

TEST(DisplaySettings, ChangeDisplaySettingsChecksWithoutChangingUnderCdsTest)
{
    DEVMODE mode = {};
    mode.dmSize = sizeof mode;
    ASSERT_TRUE(EnumDisplaySettings(nullptr, 0, &mode));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    const int before = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_EQ(ChangeDisplaySettings(&mode, CDS_TEST), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), before);

    DEVMODE bogus = mode;
    bogus.dmPelsWidth = 123;
    bogus.dmPelsHeight = 45;
    EXPECT_EQ(ChangeDisplaySettings(&bogus, CDS_TEST), DISP_CHANGE_BADMODE);
    // CDS_GLOBAL is valid only with CDS_UPDATEREGISTRY, and the flags are
    // checked before the mode (Wine checks the mode only).
    if (!runningUnderWine()) {
        EXPECT_EQ(ChangeDisplaySettings(&bogus, CDS_GLOBAL), DISP_CHANGE_BADFLAGS);
    }
}

} // namespace
