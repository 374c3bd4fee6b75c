// The mouse pointer: showing it and moving it.
#ifndef VANTREL_WIN32_CURSOR_H
#define VANTREL_WIN32_CURSOR_H

#include <vantrel/win32/types.h>

// The display counter: starts at 0, ShowCursor(TRUE) adds one and
// ShowCursor(FALSE) takes one away; the pointer shows while it is 0 or more.
// Returns the new count.  The counter is the process's; on a screen the
// real pointer is hidden while it is below 0.
VANTREL_API int ShowCursor(BOOL show);
// Moves the pointer to a screen position in the game's pixels: the real
// pointer goes to where that point is shown (in a scaled window or on a
// letterboxed full screen, onto its pixel of the picture), and GetCursorPos
// reports the position from then on, until the real pointer moves.
VANTREL_API BOOL SetCursorPos(int x, int y);

#endif
