// Display changes, told by the display device to whoever listens.
//
// The DirectDraw-shaped device calls notifyDisplayChange after it sets or
// leaves a full-screen mode; it knows nothing of its listeners.  The window
// system registers one when it makes its first window, and turns each
// change into the WM_DISPLAYCHANGE broadcast windows expect
// (broadcastDisplayChange in <vantrel/seam/window_backend.h>).
#ifndef VANTREL_SEAM_DISPLAY_CHANGE_H
#define VANTREL_SEAM_DISPLAY_CHANGE_H

namespace vtl {

// Called on the thread that changed the mode, with the new mode.
typedef void (*DisplayChangeListener)(unsigned bitsPerPixel, int width, int height, void* user);

// Adds a listener; returns an id (> 0) for stopListeningToDisplayChanges.
// Listeners are told in the order they were added.
int listenToDisplayChanges(DisplayChangeListener listener, void* user);
void stopListeningToDisplayChanges(int id);

// Tells every listener of a new display mode.
void notifyDisplayChange(unsigned bitsPerPixel, int width, int height);

} // namespace vtl

#endif
