// The SDL backend's descriptor.
#include "platform/backends/sdl/sdl_backend.h"

#include <SDL.h>

namespace vtl {
namespace {

// The SDL library loaded at run time is of the major version the backend
// was built against (SDL keeps its interface within one).
bool sdlAvailable()
{
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
