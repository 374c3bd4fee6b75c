// What the rest of the library may ask of the window system beyond the
// Windows-shaped calls in <vantrel/win32/window.h> and <vantrel/win32/gdi.h>.
//
// The display uses it to present into a window (its native handle and client
// area), to hear about minimising and display changes, to hand out device
// contexts over its surfaces' pixels, and to learn the desktop it runs on.
// Nothing here names a backend: on the headless backend a window simply has
// no native handle.  These declarations are stable; add to them, do not
// change them.
#ifndef VANTREL_SEAM_WINDOW_BACKEND_H
#define VANTREL_SEAM_WINDOW_BACKEND_H

#include <vantrel/win32/pixel_format.h>
#include <vantrel/win32/types.h>

namespace vtl {

// ---- The desktop -----------------------------------------------------------

// The screen a windowed display shares.  `format` is what windowed mode
// reports: VANTREL_DESKTOP when set (pal8, rgb555, rgb565, bgr555, bgr565,
// rgb24, bgr24, rgb32, bgr32, or native for the real screen's own format),
// otherwise rgb565 on every backend.  GetDeviceCaps(BITSPIXEL) on the
// desktop's device context answers format.bitsPerPixel.
struct Desktop {
    int width;
    int height;
    RECT workArea; // the desktop less task bars and panels
    VTLPixelFormat format;
};
Desktop desktop();

// The desktop while the display device holds a full-screen mode of width x
// height: as a mode change does on the system this emulates, the desktop
// becomes the mode's size, so desktop(), GetSystemMetrics' screen, the work
// area (the whole mode) and a window covering the screen are all in the
// mode's pixels, while the backend shows that screen scaled onto the real
// one.  The format stays the desktop's.  0 x 0 gives the desktop back the
// real screen's size.  Top-level windows on a screen are placed anew.
void setDesktopMode(int width, int height);

// "sdl" or "headless": the backend this process chose on first use.
const char* videoBackendName();

// ---- Windows ---------------------------------------------------------------

// The backend's own window behind a top-level HWND: an SDL_Window* on the SDL
// backend; null on the headless backend, for child windows and for anything
// that is not a window.
void* nativeWindow(HWND hwnd);

// The client area of a window in screen coordinates (right and bottom
// exclusive).  False when hwnd is not a window.
bool clientAreaOnScreen(HWND hwnd, RECT* area);

// True while a top-level window is minimised (also what IsIconic answers).
bool isMinimized(HWND hwnd);

// Observers see every message delivered to a window (sent or dispatched),
// just before its window procedure runs, on the window's own thread: the way
// for the display to learn of WM_SIZE with SIZE_MINIMIZED, WM_ACTIVATEAPP and
// WM_DISPLAYCHANGE without owning the game's procedure.  hwnd null watches
// every window.  Returns an id (> 0) for unwatchWindowMessages.
typedef void (*WindowObserver)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* user);
int watchWindowMessages(HWND hwnd, WindowObserver observer, void* user);
void unwatchWindowMessages(int id);

// Sends WM_DISPLAYCHANGE (wParam = bits per pixel, lParam = MAKELPARAM(width,
// height)) to every top-level window of the calling thread, as the system
// does after a mode switch.  The window system does so itself for every
// change the display device reports (<vantrel/seam/display_change.h>).
void broadcastDisplayChange(unsigned bitsPerPixel, int width, int height);

// Shows finished pixels in a top-level window's client area at once, the way
// a window's own painting shows: 0x00RRGGBB pixels, rows `pitch` bytes
// apart, placed at the client area's top-left corner and clipped to it.
// False where the window has no surface of its own (headless backend, child
// windows) or one in a format other than 16, 24 or 32 bits.
bool showWindowImage(HWND hwnd, const unsigned char* pixels, DWORD pitch, int width, int height);

// ---- Device contexts over memory pixels ------------------------------------

// A device context that draws text into `pixels` (rows `pitch` bytes apart,
// width x height pixels of `format`).  The memory stays the caller's and must
// outlive the context.  Starts with the defaults a new context has: opaque
// background, white background colour, black text, the default font.
// Returns null for a null pointer, a non-positive size or an unknown format.
HDC createMemoryDC(unsigned char* pixels, DWORD pitch, int width, int height, const VTLPixelFormat& format);
// Frees a context from createMemoryDC (null and unknown handles are ignored).
// A font selected into it is not deleted.
void destroyMemoryDC(HDC dc);

// ---- The library module ----------------------------------------------------

// The library's own module instance, recorded by its load-time entry point.
HINSTANCE libraryInstance();

} // namespace vtl

#endif
