// The window calls as games of the era spell them beside the Ex forms:
// WNDCLASS and RegisterClass, CreateWindow, the unsuffixed names
// <windows.h> maps to the A calls, the desktop and the list of top-level
// windows, registered messages, the time of the last message, waiting for
// objects and messages at once, and the messages games handle that the
// system sends on its own (palette, sizing and moving, icons, hot keys).
#ifndef VANTREL_WIN32_WINDOW_CALLS_H
#define VANTREL_WIN32_WINDOW_CALLS_H

#include <vantrel/win32/types.h>
#include <vantrel/win32/window.h>

// Messages.
#define WM_GETICON 0x007F
#define WM_SETICON 0x0080
#define WM_DEADCHAR 0x0103
#define WM_SYSDEADCHAR 0x0107
#define WM_MBUTTONDBLCLK 0x0209
#define WM_SIZING 0x0214
#define WM_MOVING 0x0216
#define WM_ENTERSIZEMOVE 0x0231
#define WM_EXITSIZEMOVE 0x0232
#define WM_QUERYNEWPALETTE 0x030F
#define WM_PALETTEISCHANGING 0x0310
#define WM_PALETTECHANGED 0x0311
#define WM_HOTKEY 0x0312
#define WM_APP 0x8000
#define WM_KEYFIRST 0x0100
#define WM_KEYLAST 0x0109
#define WM_MOUSEFIRST 0x0200
#define WM_MOUSELAST 0x020E

// WM_SETCURSOR's hit test (the low word of lParam).
#define HTNOWHERE 0
#define HTCLIENT 1

// WM_SETICON and WM_GETICON.
#define ICON_SMALL 0
#define ICON_BIG 1

// WM_SIZING: the edge the user drags.
#define WMSZ_LEFT 1
#define WMSZ_RIGHT 2
#define WMSZ_TOP 3
#define WMSZ_TOPLEFT 4
#define WMSZ_TOPRIGHT 5
#define WMSZ_BOTTOM 6
#define WMSZ_BOTTOMLEFT 7
#define WMSZ_BOTTOMRIGHT 8

// MsgWaitForMultipleObjects: the kinds of queued message that end the wait.
#define QS_KEY 0x0001
#define QS_MOUSEMOVE 0x0002
#define QS_MOUSEBUTTON 0x0004
#define QS_POSTMESSAGE 0x0008
#define QS_TIMER 0x0010
#define QS_PAINT 0x0020
#define QS_SENDMESSAGE 0x0040
#define QS_HOTKEY 0x0080
#define QS_ALLPOSTMESSAGE 0x0100
#define QS_MOUSE (QS_MOUSEMOVE | QS_MOUSEBUTTON)
#define QS_INPUT (QS_MOUSE | QS_KEY)
#define QS_ALLEVENTS (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY)
#define QS_ALLINPUT (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY | QS_SENDMESSAGE)

typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA, *PWNDCLASSA, *LPWNDCLASSA;
typedef WNDCLASSA WNDCLASS;
typedef LPWNDCLASSA LPWNDCLASS;

typedef BOOL(CALLBACK* WNDENUMPROC)(HWND, LPARAM);

// RegisterClassExA without the small icon.
VANTREL_API ATOM RegisterClassA(const WNDCLASSA* wc);
// AdjustWindowRectEx with no extended style.
VANTREL_API BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);

// The desktop: a window of its own that is the parent of every top-level
// window, whose client area is the screen.
VANTREL_API HWND GetDesktopWindow();
// One message number per name (ignoring case) for the whole desktop,
// 0xC000 to 0xFFFF.
VANTREL_API UINT RegisterWindowMessageA(LPCSTR name);
// Every top-level window of the process, top first, until the callback
// returns FALSE.
VANTREL_API BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam);
// The next child of `parent` after `after` (null: the desktop's, that is,
// top-level windows) with the class and title given.
VANTREL_API HWND FindWindowExA(HWND parent, HWND after, LPCSTR className, LPCSTR title);
// Minimises a top-level window (it is not destroyed).
VANTREL_API BOOL CloseWindow(HWND hwnd);
VANTREL_API HWND SetActiveWindow(HWND hwnd);
VANTREL_API HWND GetActiveWindow();
// The time and the pointer's position of the last message GetMessage or
// PeekMessage took from the calling thread's queue.
VANTREL_API LONG GetMessageTime();
VANTREL_API DWORD GetMessagePos();
// Waits for the objects (as WaitForMultipleObjects) or for a message of the
// kinds in `wakeMask` that arrived since the thread last read its queue:
// WAIT_OBJECT_0 + count then.
VANTREL_API DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                            DWORD milliseconds, DWORD wakeMask);

// As <windows.h> spells them with UNICODE off.
#define CreateWindowA(className, title, style, x, y, width, height, parent, menu, instance, param)                 \
    CreateWindowExA(0L, className, title, style, x, y, width, height, parent, menu, instance, param)
#define CreateWindow CreateWindowA
#define RegisterClass RegisterClassA
#define SetWindowText SetWindowTextA
#define GetWindowText GetWindowTextA
#define CallWindowProc CallWindowProcA
#define FindWindowEx FindWindowExA
#define RegisterWindowMessage RegisterWindowMessageA

#endif
