// What a backend reports, turned into the messages a window procedure reads.
// `top` is the top-level window the event happened in; mouse positions are
// in its client coordinates.  Input is posted to the queue of the window it
// is for (the child under the pointer, the capture window, the focus window);
// window changes made by the user (moved, resized, minimised, closed) are
// sent as the corresponding messages.
#ifndef VANTREL_PLATFORM_USER_INPUT_EVENTS_H
#define VANTREL_PLATFORM_USER_INPUT_EVENTS_H

#include <vantrel/win32/window.h>

namespace vtl {

enum MouseButton { kLeftButton, kRightButton, kMiddleButton };

// `extended`: the key is the right-hand or keypad twin of `vk` (right
// Shift, Ctrl or Alt, the keypad's Enter), which Windows tells apart by
// its scan code.
void inputKey(HWND top, int vk, bool down, bool repeat, bool extended = false);
void inputMouseMove(HWND top, int x, int y);
void inputMouseButton(HWND top, MouseButton button, bool down, int x, int y);
void inputClose(HWND top);
void inputFocus(HWND top, bool gained);
void inputMoved(HWND top, int clientScreenX, int clientScreenY);
void inputResized(HWND top, int clientWidth, int clientHeight);
// The player sized the picture a window's client area is shown scaled in:
// the game's client size stays, but the sizing is reported.
void inputPictureResized(HWND top);
void inputMinimized(HWND top, bool minimized);
void inputExposed(HWND top);

// Keeps GetKeyState in step with the key messages read so far, as a game
// reading its queue expects (GetAsyncKeyState answers for the moment).
void syncKeyState(const MSG& msg);

// The table GetKeyState reads (mouse buttons as of now), and replacing it.
void readKeyTable(BYTE keys[256]);
void writeKeyTable(const BYTE keys[256]);

// The pointer's last known position on the screen.
POINT lastCursorPos();
// Puts the pointer the game sees at a screen position (SetCursorPos).
void placeCursor(POINT screen);

// The keyboard scan code (set 1) of a virtual key, 0 when unknown; bit 8 set
// for keys whose lParam carries the extended-key bit.
UINT scanCodeOf(int vk);

// The deepest visible, enabled window under a point of top's client area,
// and the point in that window's client coordinates.
HWND windowAt(HWND top, POINT* point);

} // namespace vtl

#endif
