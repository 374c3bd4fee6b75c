// Requests to end the program become WM_CLOSE to the game's windows.
#ifndef VANTREL_PLATFORM_USER_QUIT_REQUESTS_H
#define VANTREL_PLATFORM_USER_QUIT_REQUESTS_H

namespace vtl {

// Posts WM_CLOSE to every live top-level window, from any thread; false when
// there was none.
bool closeTopLevelWindows();
// Has SIGINT and SIGTERM answered by closeTopLevelWindows (a second one
// within three seconds, or one with no window to close, ends the program at
// once).  The window system calls it when it starts, on every backend.
void watchQuitRequests();

} // namespace vtl

#endif
