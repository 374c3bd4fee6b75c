// The SDL backend's descriptor.
#include "platform/backends/sdl/sdl_backend.h"

#include <SDL.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace vtl {
namespace {

#ifdef __EMSCRIPTEN__
// SDL in the browser draws, listens and plays through the page's document; a
// program of the web build run by node has none (the unit tests), and takes
// the headless backend.
EM_JS(int, vantrel_sdl_has_page, (), { return typeof document !== "undefined" ? 1 : 0; });
#endif

// The SDL library loaded at run time is of the major version the backend
// was built against (SDL keeps its interface within one).
bool sdlAvailable()
{
#ifdef __EMSCRIPTEN__
    if (!vantrel_sdl_has_page())
        return false;
#endif
    SDL_version linked;
    SDL_GetVersion(&linked);
    return linked.major == SDL_MAJOR_VERSION;
}

} // namespace

const BackendDescriptor kSdlBackend = {
    "sdl",
    "SDL2: windows under X11 or Wayland, its audio devices and joysticks",
    sdlAvailable,
    openSdlVideo,
    openSdlDisplay,
    openSdlAudio,
    openSdlGamePort,
};

} // namespace vtl
