// Every name added for the window, display-settings, cursor and keyboard
// groups, called from source that compiles unchanged against the real
// Windows headers and against the compatibility headers.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK addedNamesProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PALETTECHANGED:
    case WM_QUERYNEWPALETTE:
    case WM_PALETTEISCHANGING:
    case WM_SIZING:
    case WM_MOVING:
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
    case WM_HOTKEY:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_MBUTTONDBLCLK:
    case WM_APP:
        return 0;
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

BOOL CALLBACK addedNamesEnum(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

} // namespace

TEST(AddedNames, WindowGroup)
{
    WNDCLASS wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = addedNamesProc;
    wc.hInstance = GetModuleHandle(NULL);
    wc.lpszClassName = "VantrelAddedNamesWindows";
    ATOM atom = RegisterClass(&wc);
    ASSERT_NE(atom, 0);
    LPWNDCLASS classPointer = &wc;
    (void)classPointer;

    RECT frame = {0, 0, 320, 200};
    EXPECT_TRUE(AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE));
    HWND w = CreateWindow("VantrelAddedNamesWindows", "added", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                          frame.right - frame.left, frame.bottom - frame.top, NULL, NULL, GetModuleHandle(NULL), NULL);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(SetWindowText(w, "renamed"));
    char text[16];
    EXPECT_GT(GetWindowText(w, text, sizeof text), 0);
    EXPECT_EQ(CallWindowProc(addedNamesProc, w, WM_APP, 0, 0), 0);

    HWND desktop = GetDesktopWindow();
    EXPECT_NE(desktop, nullptr);
    int listed = 0;
    EnumWindows(addedNamesEnum, reinterpret_cast<LPARAM>(&listed));
    EXPECT_GT(listed, 0);
    EXPECT_EQ(FindWindowEx(NULL, NULL, "VantrelAddedNamesWindows", "renamed"), w);
    EXPECT_EQ(FindWindowExA(w, NULL, NULL, NULL), nullptr);
    UINT registered = RegisterWindowMessage("VantrelAddedNamesMessage");
    EXPECT_EQ(RegisterWindowMessageA("VantrelAddedNamesMessage"), registered);
    SetActiveWindow(w);
    GetActiveWindow();
    EXPECT_TRUE(CloseWindow(w));

    PostMessage(w, WM_APP, 0, 0);
    MSG m;
    while (PeekMessage(&m, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
           PeekMessage(&m, NULL, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) || PeekMessage(&m, NULL, 0, 0, PM_REMOVE))
        DispatchMessage(&m);
    LONG time = GetMessageTime();
    DWORD position = GetMessagePos();
    (void)time;
    (void)position;
    HANDLE event = CreateEvent(NULL, TRUE, TRUE, NULL);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 0, QS_ALLINPUT), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_NE(MsgWaitForMultipleObjects(0, NULL, FALSE, 0, QS_KEY | QS_MOUSE | QS_INPUT | QS_ALLEVENTS | QS_PAINT |
                                                               QS_TIMER | QS_POSTMESSAGE | QS_SENDMESSAGE |
                                                               QS_HOTKEY | QS_ALLPOSTMESSAGE | QS_MOUSEMOVE |
                                                               QS_MOUSEBUTTON),
              static_cast<DWORD>(WAIT_FAILED));
    CloseHandle(event);

    HICON icon = LoadIcon(NULL, IDI_APPLICATION);
    SendMessage(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    EXPECT_EQ(SendMessage(w, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(icon));
    RECT sizing = {0, 0, 10, 10};
    SendMessage(w, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&sizing));
    const int edges[] = {WMSZ_LEFT, WMSZ_RIGHT, WMSZ_TOP, WMSZ_TOPLEFT, WMSZ_TOPRIGHT, WMSZ_BOTTOM, WMSZ_BOTTOMLEFT};
    (void)edges;

    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClass("VantrelAddedNamesWindows", GetModuleHandle(NULL)));
}

TEST(AddedNames, DisplaySettingsGroup)
{
    DEVMODE mode;
    ZeroMemory(&mode, sizeof mode);
    mode.dmSize = sizeof mode;
    EXPECT_TRUE(EnumDisplaySettings(NULL, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_TRUE(EnumDisplaySettingsA(NULL, ENUM_REGISTRY_SETTINGS, &mode));
    LPDEVMODE pointer = &mode;
    pointer->dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    EXPECT_EQ(ChangeDisplaySettings(&mode, CDS_TEST), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_TEST | CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
    const LONG answers[] = {DISP_CHANGE_RESTART, DISP_CHANGE_FAILED, DISP_CHANGE_BADMODE, DISP_CHANGE_NOTUPDATED,
                            DISP_CHANGE_BADFLAGS, DISP_CHANGE_BADPARAM};
    const DWORD flags[] = {CDS_UPDATEREGISTRY, CDS_GLOBAL, CDS_SET_PRIMARY, CDS_RESET, CDS_NORESET};
    (void)answers;
    (void)flags;
    POINTL position = mode.dmPosition;
    (void)position;
    (void)mode.dmDisplayFrequency;
    (void)mode.dmDisplayFlags;
}

TEST(AddedNames, CursorAndKeyboardGroup)
{
    RECT clip = {0, 0, 64, 64};
    EXPECT_TRUE(ClipCursor(&clip));
    EXPECT_TRUE(GetClipCursor(&clip));
    EXPECT_TRUE(ClipCursor(NULL));
    HCURSOR previous = SetCursor(LoadCursor(NULL, IDC_ARROW));
    SetCursor(previous);
    GetCapture();

    BYTE keys[256];
    EXPECT_TRUE(GetKeyboardState(keys));
    EXPECT_TRUE(SetKeyboardState(keys));
    EXPECT_TRUE(RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_NOREPEAT, VK_F10));
    EXPECT_TRUE(UnregisterHotKey(NULL, 1));
    const UINT modifiers = MOD_WIN;
    (void)modifiers;
    EXPECT_EQ(ERROR_HOTKEY_ALREADY_REGISTERED, 1409);
    EXPECT_EQ(ERROR_HOTKEY_NOT_REGISTERED, 1419);
}
