// One backend reaching into another's folder: the layering check must refuse
// it.  Its own headers and the shared ones are fine.
#include "platform/backends/sdl/sdl_backend.h"
#include "platform/backends/backend_descriptor.h"
#include "platform/backends/headless/scripted_game_port.h"
// X11 belongs to the x11/ folder beside this one.
#include <X11/Xlib.h>
