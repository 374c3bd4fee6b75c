// The Windows-shaped window system: classes, windows, the per-thread message
// queue, timers, geometry, input messages and system metrics.
//
// Values and semantics follow the interface games were written for; the
// backend (a real SDL2 window or the headless one) is chosen at run time.
#ifndef VANTREL_WIN32_WINDOW_H
#define VANTREL_WIN32_WINDOW_H

#include <vantrel/win32/errors.h> // the last error, which the window calls set
#include <vantrel/win32/types.h>

#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(p) ((((ULONG_PTR)(p)) >> 16) == 0)

// Messages.
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_ACTIVATEAPP 0x001C
#define WM_SETCURSOR 0x0020
#define WM_GETMINMAXINFO 0x0024
#define WM_WINDOWPOSCHANGING 0x0046
#define WM_WINDOWPOSCHANGED 0x0047
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_NCCALCSIZE 0x0083
#define WM_NCACTIVATE 0x0086
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_MOUSEWHEEL 0x020A
#define WM_DISPLAYCHANGE 0x007E
#define WM_USER 0x0400

// Window styles.
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW \
    (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_WINDOWEDGE 0x00000100L
#define WS_EX_STATICEDGE 0x00020000L
#define WS_EX_APPWINDOW 0x00040000L

// Class styles.
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_OWNDC 0x0020

#define CW_USEDEFAULT ((int)0x80000000)

// GetWindowLong indices.
#define GWL_WNDPROC (-4)
#define GWL_HINSTANCE (-6)
#define GWL_HWNDPARENT (-8)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWL_ID (-12)
#define GWLP_WNDPROC GWL_WNDPROC
#define GWLP_HWNDPARENT GWL_HWNDPARENT
#define GWLP_USERDATA GWL_USERDATA
#define GWLP_ID GWL_ID

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

// SetWindowPos.
#define HWND_TOP ((HWND)0)
#define HWND_BOTTOM ((HWND)1)
#define HWND_TOPMOST ((HWND)-1)
#define HWND_NOTOPMOST ((HWND)-2)
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define SWP_NOCOPYBITS 0x0100
#define SWP_NOOWNERZORDER 0x0200

// GetWindow.
#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5

// WINDOWPLACEMENT flags.
#define WPF_SETMINPOSITION 0x0001
#define WPF_RESTORETOMAXIMIZED 0x0002

// PeekMessage.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// WM_SIZE wParam.
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2

// WM_SYSCOMMAND wParam (the low four bits are the system's own).
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_CLOSE 0xF060
#define SC_KEYMENU 0xF100
#define SC_RESTORE 0xF120

// WM_ACTIVATE wParam.
#define WA_INACTIVE 0
#define WA_ACTIVE 1

// Mouse key state in wParam.
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

// System metrics and parameters.
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXDLGFRAME 7
#define SM_CYDLGFRAME 8
#define SM_CXFIXEDFRAME SM_CXDLGFRAME
#define SM_CYFIXEDFRAME SM_CYDLGFRAME
#define SM_CXFULLSCREEN 16
#define SM_CYFULLSCREEN 17
#define SM_CXFRAME 32
#define SM_CYFRAME 33
#define SM_CXMINIMIZED 57
#define SM_CYMINIMIZED 58
#define SPI_GETWORKAREA 48

// Stock objects and system resources.
#define WHITE_BRUSH 0
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define IDC_ARROW MAKEINTRESOURCEA(32512)

// MessageBox.
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_YESNO 0x00000004L
#define MB_ICONERROR 0x00000010L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONINFORMATION 0x00000040L
#define MB_SYSTEMMODAL 0x00001000L
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

// Virtual keys.
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_NUMPAD0 0x60
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D

typedef struct tagWNDCLASSEXA {
    UINT cbSize;
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
    HICON hIconSm;
} WNDCLASSEXA, *LPWNDCLASSEXA;
typedef WNDCLASSEXA WNDCLASSEX;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

typedef struct tagCREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
} CREATESTRUCTA, *LPCREATESTRUCTA;
typedef CREATESTRUCTA CREATESTRUCT;

typedef struct tagMINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
} MINMAXINFO, *LPMINMAXINFO;

typedef struct tagWINDOWPOS {
    HWND hwnd;
    HWND hwndInsertAfter;
    int x;
    int y;
    int cx;
    int cy;
    UINT flags;
} WINDOWPOS, *LPWINDOWPOS;

typedef struct tagWINDOWPLACEMENT {
    UINT length;
    UINT flags;
    UINT showCmd;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
} WINDOWPLACEMENT, *LPWINDOWPLACEMENT;

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

// Classes.
VANTREL_API ATOM RegisterClassExA(const WNDCLASSEXA* wc);
VANTREL_API BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
VANTREL_API HINSTANCE GetModuleHandleA(LPCSTR moduleName);
VANTREL_API HICON LoadIconA(HINSTANCE instance, LPCSTR name);
VANTREL_API HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
VANTREL_API HGDIOBJ GetStockObject(int object);

// Windows.
VANTREL_API HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                                 int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                 LPVOID param);
VANTREL_API BOOL DestroyWindow(HWND hwnd);
VANTREL_API HWND SetParent(HWND child, HWND newParent);
VANTREL_API HWND GetParent(HWND hwnd);
VANTREL_API HWND GetWindow(HWND hwnd, UINT relation);
VANTREL_API BOOL IsWindow(HWND hwnd);
VANTREL_API BOOL IsIconic(HWND hwnd);
VANTREL_API BOOL IsWindowVisible(HWND hwnd);
VANTREL_API HWND FindWindowA(LPCSTR className, LPCSTR title);
VANTREL_API BOOL SetForegroundWindow(HWND hwnd);
VANTREL_API HWND GetForegroundWindow();
VANTREL_API HWND GetLastActivePopup(HWND hwnd);
VANTREL_API HWND SetFocus(HWND hwnd);
VANTREL_API HWND GetFocus();
VANTREL_API HWND SetCapture(HWND hwnd);
VANTREL_API BOOL ReleaseCapture();
VANTREL_API BOOL EnableWindow(HWND hwnd, BOOL enable);
VANTREL_API BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
VANTREL_API int GetWindowTextA(HWND hwnd, LPSTR text, int size);
VANTREL_API HWND GetDlgItem(HWND dialog, int id);
VANTREL_API int GetDlgCtrlID(HWND hwnd);

VANTREL_API LONG SetWindowLongA(HWND hwnd, int index, LONG value);
VANTREL_API LONG GetWindowLongA(HWND hwnd, int index);
VANTREL_API LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
VANTREL_API LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);

// Geometry.
VANTREL_API BOOL GetClientRect(HWND hwnd, LPRECT rect);
VANTREL_API BOOL GetWindowRect(HWND hwnd, LPRECT rect);
VANTREL_API BOOL ClientToScreen(HWND hwnd, LPPOINT point);
VANTREL_API BOOL ScreenToClient(HWND hwnd, LPPOINT point);
VANTREL_API BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
VANTREL_API BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
VANTREL_API BOOL ShowWindow(HWND hwnd, int command);
VANTREL_API BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
VANTREL_API BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);
VANTREL_API BOOL UpdateWindow(HWND hwnd);
VANTREL_API BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
VANTREL_API BOOL ValidateRect(HWND hwnd, const RECT* rect);
VANTREL_API BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
VANTREL_API HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint);
VANTREL_API BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
VANTREL_API BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
VANTREL_API int GetSystemMetrics(int index);
VANTREL_API BOOL SystemParametersInfoA(UINT action, UINT param, PVOID data, UINT winIni);
VANTREL_API BOOL GetCursorPos(LPPOINT point);
VANTREL_API SHORT GetAsyncKeyState(int key);
VANTREL_API SHORT GetKeyState(int key);

// Messages and timers.
VANTREL_API BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last);
VANTREL_API BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove);
VANTREL_API BOOL TranslateMessage(const MSG* msg);
VANTREL_API LRESULT DispatchMessageA(const MSG* msg);
VANTREL_API BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
VANTREL_API LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
VANTREL_API void PostQuitMessage(int exitCode);
VANTREL_API LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
VANTREL_API LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
VANTREL_API BOOL WaitMessage();
VANTREL_API UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC proc);
VANTREL_API BOOL KillTimer(HWND hwnd, UINT_PTR id);
VANTREL_API DWORD GetTickCount();
VANTREL_API void Sleep(DWORD milliseconds);

VANTREL_API int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// MessageBoxA; the buttons' language is English whatever `languageId` asks.
VANTREL_API int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD languageId);

#define RegisterClassEx RegisterClassExA
#define UnregisterClass UnregisterClassA
#define CreateWindowEx CreateWindowExA
#define GetMessage GetMessageA
#define PeekMessage PeekMessageA
#define DispatchMessage DispatchMessageA
#define PostMessage PostMessageA
#define SendMessage SendMessageA
#define DefWindowProc DefWindowProcA
#define SetWindowLong SetWindowLongA
#define GetWindowLong GetWindowLongA
#define SetWindowLongPtr SetWindowLongPtrA
#define GetWindowLongPtr GetWindowLongPtrA
#define MessageBox MessageBoxA
#define MessageBoxEx MessageBoxExA
#define LoadIcon LoadIconA
#define LoadCursor LoadCursorA
#define FindWindow FindWindowA
#define GetModuleHandle GetModuleHandleA
#define SystemParametersInfo SystemParametersInfoA

#endif
