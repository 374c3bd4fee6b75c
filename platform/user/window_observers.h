// The message observers of platform/window_backend.h.
#ifndef VANTREL_PLATFORM_USER_WINDOW_OBSERVERS_H
#define VANTREL_PLATFORM_USER_WINDOW_OBSERVERS_H

#include <vantrel/win32/types.h>

namespace vtl {

void notifyWindowObservers(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers, once, the window system's listener of the display device
// (<vantrel/seam/display_change.h>): each display change becomes a
// WM_DISPLAYCHANGE broadcast to the top-level windows.  Called when a window
// is made; before the first one there is nobody to tell.
void listenToTheDisplay();

} // namespace vtl

#endif
