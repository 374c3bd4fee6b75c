// The display follows the window system: the backend that made the windows
// shows the frames in them.
#include "platform/ddraw/display_backend.h"

#include "platform/backends/backend_table.h"
#include <vantrel/seam/window_backend.h>

vtl::DisplayBackend& vtl::displayBackend()
{
    // Never destroyed, like the window system's backend.
    static DisplayBackend* const backend = chooseDisplay(videoBackendName()).release();
    return *backend;
}
