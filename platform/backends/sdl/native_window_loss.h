// Native windows taken away by another program.  Under X any client may
// destroy the game's window (xdotool windowclose does); Xlib then reports
// every later request on it as an error, and its default answer to an error
// is to end the process.  Such a window is the player closing the game: the
// backend hears of the loss here and sends the game WM_CLOSE.
//
// Built from platform/backends/sdl/x11/ where the library is built with X11
// (VANTREL_WITH_X11), else from platform/backends/sdl/without_x11/, where no
// window is ever lost this way.
#ifndef VANTREL_PLATFORM_BACKENDS_SDL_NATIVE_WINDOW_LOSS_H
#define VANTREL_PLATFORM_BACKENDS_SDL_NATIVE_WINDOW_LOSS_H

#include <SDL.h>

#include <vector>

namespace vtl {

// Once SDL's video runs: errors about watched windows that are gone no
// longer end the program, and SDL hands over the window system's own events
// (SDL_SYSWMEVENT) for noteWindowSystemEvent.  Other errors go where they
// went before.
void watchNativeWindowLoss();
// From its creation to just before SDL_DestroyWindow.  A window lost in
// between stays known after it, for the errors its destruction still causes.
void watchNativeWindow(SDL_Window* window);
void unwatchNativeWindow(SDL_Window* window);
// An SDL_SYSWMEVENT read from SDL's queue (a window's destruction is seen
// there even when nothing was asked of it since).
void noteWindowSystemEvent(const SDL_Event& event);
// The SDL ids of watched windows lost since the last call.
std::vector<Uint32> takeLostNativeWindows();

} // namespace vtl

#endif
