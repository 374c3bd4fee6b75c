#include <vantrel/seam/window_backend.h>

// On Windows the system draws the windows and shows the display.
const char* vtl::videoBackendName() { return "windows"; }
