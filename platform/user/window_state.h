// State changes shared by the window calls and the backends' events: moving
// and sizing, showing and minimising, activation, focus and capture.  Each
// sends the messages a window procedure expects for the change.
#ifndef VANTREL_PLATFORM_USER_WINDOW_STATE_H
#define VANTREL_PLATFORM_USER_WINDOW_STATE_H

#include "platform/user/window_table.h"

namespace vtl {

// The system's own WINDOWPOS flags, which games see but never pass.
constexpr UINT kSwpNoClientSize = 0x0800;
constexpr UINT kSwpNoClientMove = 0x1000;
constexpr UINT kSwpStateChanged = 0x8000;

// Where the system parks a minimised top-level window, and its size there.
constexpr LONG kMinimizedPosition = -32000;
constexpr int kMinimizedWidth = 160;
constexpr int kMinimizedHeight = 24;

// The outer rectangle the game sees.  A window minimised by a show command
// is at the minimised position; `rect` keeps where the screen's window is,
// since a backend told to move it there would take the player's window off
// the screen instead of iconifying it.
RECT reportedRect(const Window& w);

// New outer rectangle, between WM_WINDOWPOSCHANGING (whose WINDOWPOS the
// procedure may change) and WM_WINDOWPOSCHANGED; with `fromBackend` the
// screen already shows it, is not told again and the procedure can not
// change it.
void setWindowRect(const WindowRef& w, const RECT& rect, bool repaint, bool fromBackend);

// What DefWindowProcA does with WM_WINDOWPOSCHANGED: WM_MOVE and WM_SIZE
// for what the change did to the client area.
void sendClientChange(const WindowRef& w, const WINDOWPOS& pos);

// WM_SIZE for the window's present state (minimised, maximised, restored).
void sendSizeMessage(const WindowRef& w);

// WS_MINIMIZE or WS_MAXIMIZE given to CreateWindowExA, applied once the
// window is made and has heard its first size: the state without the show.
void applyCreationState(const WindowRef& w, DWORD style);

// DestroyWindow's first step for a visible window: hidden the way the
// system hides it (a top-level window without WM_SHOWWINDOW).
void hideForDestroy(const WindowRef& w);

// The decorations the screen draws around a native window changed (a window
// manager framed it, or took its frame away): the client area stays where
// it is and the outer rectangle follows, so no message is due.
void setScreenFrame(Window& w, const RECT& frame);

// ShowWindow's work; returns whether the window was visible before.
bool applyShowCommand(const WindowRef& w, int command, bool fromBackend);

// Activation of a top-level window of this process: WM_ACTIVATEAPP to every
// top-level window of the thread when the application as a whole gains or
// loses the foreground.
void activateWindow(HWND top);
void deactivateWindow(HWND top);
HWND foregroundWindow();

HWND focusWindow();
HWND captureWindow();
void forgetFocusAndCapture(HWND hwnd);

// Adds to a window's update region (`area` in client coordinates, null for
// the whole client area) and wakes its thread for the WM_PAINT.  An area
// outside the client area adds nothing.
void invalidateArea(const WindowRef& w, const RECT* area, bool erase);
inline void invalidate(const WindowRef& w) { invalidateArea(w, nullptr, true); }
// Takes an area (null: all) out of the update region.
void validateArea(Window& w, const RECT* area);

} // namespace vtl

#endif
