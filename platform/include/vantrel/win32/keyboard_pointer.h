// The keyboard's state table and hot keys, and the pointer's confinement,
// shape and capture.
#ifndef VANTREL_WIN32_KEYBOARD_POINTER_H
#define VANTREL_WIN32_KEYBOARD_POINTER_H

#include <vantrel/win32/types.h>

typedef BYTE* PBYTE;

// RegisterHotKey's modifiers.
#define MOD_ALT 0x0001
#define MOD_CONTROL 0x0002
#define MOD_SHIFT 0x0004
#define MOD_WIN 0x0008
#define MOD_NOREPEAT 0x4000

#define ERROR_HOTKEY_ALREADY_REGISTERED 1409L
#define ERROR_HOTKEY_NOT_REGISTERED 1419L

// Keeps the pointer inside a screen rectangle in the game's pixels (cut to
// the screen); null frees it.  On a screen the real pointer is held over
// the part of the game's window that shows the rectangle.
VANTREL_API BOOL ClipCursor(const RECT* rect);
// The rectangle the pointer is kept in: the screen when it is free.
VANTREL_API BOOL GetClipCursor(LPRECT rect);
// The pointer's shape from now on (null hides it); returns the last one.
VANTREL_API HCURSOR SetCursor(HCURSOR cursor);
// The window of the calling thread that has the mouse captured, or null.
VANTREL_API HWND GetCapture();

// The 256 keys as the thread's messages left them: 0x80 down, 0x01 toggled.
VANTREL_API BOOL GetKeyboardState(PBYTE keys);
// Replaces that table (what GetKeyState answers); the keys themselves are
// not pressed.
VANTREL_API BOOL SetKeyboardState(LPBYTE keys);

// While the game has the keyboard, the key `vk` pressed with exactly the
// `modifiers` comes as WM_HOTKEY (wParam `id`, lParam the modifiers and
// the key) to `hwnd`, or to the calling thread's queue for null, in place
// of its key-down message.
VANTREL_API BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT vk);
VANTREL_API BOOL UnregisterHotKey(HWND hwnd, int id);

#endif
