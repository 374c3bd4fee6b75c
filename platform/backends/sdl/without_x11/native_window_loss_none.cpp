// Built without X11 (VANTREL_WITH_X11=OFF): Xlib's error handler is left as
// SDL set it, so under X a window destroyed by another client still ends
// the program; nothing is watched here.
#include "platform/backends/sdl/native_window_loss.h"

namespace vtl {

void watchNativeWindowLoss() {}
void watchNativeWindow(SDL_Window*) {}
void unwatchNativeWindow(SDL_Window*) {}
void noteWindowSystemEvent(const SDL_Event&) {}
std::vector<Uint32> takeLostNativeWindows() { return {}; }

} // namespace vtl
