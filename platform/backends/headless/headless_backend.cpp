// The headless backend's descriptor: what the backend table lists.  A new
// backend's <name>_backend.cpp has the same shape; its probe is where it
// finds out, cheaply and without opening anything, whether it can run here
// at all (its library loads, the right version); whether a device opens is
// each factory's own answer.
#include "platform/backends/headless/headless_backend.h"

namespace vtl {
namespace {

// Needs nothing from the machine.
bool headlessAvailable() { return true; }

} // namespace

const BackendDescriptor kHeadlessBackend = {
    "headless",
    "windows, display, sound and game port in memory only",
    headlessAvailable,
    openHeadlessVideo,
    openHeadlessDisplay,
    openHeadlessAudio,
    openHeadlessGamePort,
};

} // namespace vtl
