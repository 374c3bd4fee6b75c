// The mouse pointer: showing it and moving it.
#ifndef VANTREL_WIN32_CURSOR_H
#define VANTREL_WIN32_CURSOR_H

#include <vantrel/win32/types.h>

// The display counter: starts at 0, ShowCursor(TRUE) adds one and
// ShowCursor(FALSE) takes one away; the pointer shows while it is 0 or more.
// Returns the new count.  The counter is the process's.
VANTREL_API int ShowCursor(BOOL show);
// Moves the pointer to a screen position: GetCursorPos reports it from then
// on, until the real pointer moves.
VANTREL_API BOOL SetCursorPos(int x, int y);

#endif
