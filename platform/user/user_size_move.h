// The player moving or sizing a top-level window through the window manager,
// as the modal loop of Windows reports it: WM_ENTERSIZEMOVE at the first
// step, WM_MOVING or WM_SIZING at each, WM_EXITSIZEMOVE at the end.
//
// A window manager tells of a drag only after each step and never of its
// end, so the loop opens with the first step the backend reports and closes
// once no step has come for a quarter of a second.  The rectangle of
// WM_MOVING and WM_SIZING is for reading: the screen has placed the window
// already, so a procedure that changes it changes nothing.
#ifndef VANTREL_PLATFORM_USER_USER_SIZE_MOVE_H
#define VANTREL_PLATFORM_USER_USER_SIZE_MOVE_H

#include <vantrel/win32/types.h>

namespace vtl {

// One step, with the outer rectangle the window has after it (on the
// screen, in the game's pixels).  Sent before the step's position messages.
void userSizeMoveStep(HWND top, bool sizing, const RECT& outer);

// Ends the calling thread's loops that have gone quiet; called whenever a
// thread reads its queue.
void closeQuietSizeMoves();

} // namespace vtl

#endif
