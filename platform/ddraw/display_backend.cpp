// The display follows the window system: a real SDL window gets the SDL
// display, anything else the headless one.
#include "platform/ddraw/display_backend.h"
#include <vantrel/seam/window_backend.h>

#include <cstring>

vtl::DisplayBackend& vtl::displayBackend()
{
    static DisplayBackend* const backend = [] {
        DisplayBackend* chosen = nullptr;
#ifdef VANTREL_HAVE_SDL2
        if (std::strcmp(videoBackendName(), "sdl") == 0)
            chosen = createSdlDisplay();
#endif
        return chosen ? chosen : createHeadlessDisplay();
    }();
    return *backend;
}
