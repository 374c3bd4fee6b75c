// What is settled before SDL starts any of its subsystems: its hints, and
// silence from the libraries it loads.  The library's contract is that Msg is
// its only output on standard error; SDL and ALSA would otherwise print on
// machines without a sound card, a display or a runtime directory.
#include "platform/backends/sdl/sdl_startup.h"

#include <SDL.h>

#include <cstdlib>
#include <mutex>

namespace vtl {
namespace {

// ALSA's error handler type is variadic; this one drops every report.
extern "C" void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

typedef void (*AlsaErrorHandler)(const char*, int, const char*, int, const char*, ...);
typedef int (*SetAlsaErrorHandler)(AlsaErrorHandler);

// SDL loads ALSA itself when it probes for sound; taking the same library
// first (the loader shares it) and giving it a silent handler keeps its
// "cannot find card" lines away.  Without ALSA there is nothing to silence.
void silenceAlsa()
{
    void* alsa = SDL_LoadObject("libasound.so.2");
    if (!alsa)
        return;
    if (auto set = reinterpret_cast<SetAlsaErrorHandler>(SDL_LoadFunction(alsa, "snd_lib_error_set_handler")))
        set(ignoreAlsaError);
    // Kept loaded: the handler must outlive SDL's own use of the library.
}

} // namespace

void prepareSdl()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Hints set here are defaults: a variable of the same name set by the
        // user wins over them (SDL reads its environment first).
        // The platform turns SIGINT and SIGTERM into WM_CLOSE itself.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        // Closing the last window is the game's WM_CLOSE, not a quit.
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        // SDL's software renderer draws into the window's surface, which SDL
        // shows through an OpenGL texture by default.  Where that renderer
        // runs there is rarely a GPU: with Mesa's software rasteriser (as
        // under Xvfb) the texture costs a swizzled upload and a draw per
        // frame, about 600 us of this process's time for 640x480 against
        // 30 us for X's shared-memory image (measured).
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        // Without a runtime directory no Wayland compositor can be reached,
        // and the Wayland client library says so on standard error while
        // SDL probes it: SDL then tries X11 alone, unless the user chose a
        // driver.
#ifdef __EMSCRIPTEN__
        // In a page the keys go to the game only while its canvas has the
        // focus: the rest of the page, and the browser's own shortcuts
        // outside it, keep theirs.
        SDL_SetHint(SDL_HINT_EMSCRIPTEN_KEYBOARD_ELEMENT, "#canvas");
        // A page has one canvas for every window, and one WebGL context on
        // it: the first window's renderer destroyed (a dialog closed before
        // the game's window draws) takes the context from the next.  SDL's
        // software renderer draws into memory and shows the frame through
        // the canvas's 2D context, which no window owns.
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
#else
        if (!std::getenv("WAYLAND_DISPLAY") && !std::getenv("XDG_RUNTIME_DIR") && !std::getenv("SDL_VIDEODRIVER"))
            SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
#endif
        // SDL's log goes to standard error; it is the library's own Msg that
        // reports what failed.
        SDL_LogSetAllPriority(SDL_LOG_PRIORITY_CRITICAL);
        silenceAlsa();
    });
}

} // namespace vtl
