// The list of backends: the one place that knows which ones were built.  The
// build defines VANTREL_HAVE_SDL2 for this file alone when the SDL backend's
// sources are compiled.
//
// A new backend adds its header and its entry here, in order of preference
// (before headless, which must stay last).
#include "platform/backends/backend_table.h"

#include "platform/backends/headless/headless_backend.h"
#ifdef VANTREL_HAVE_SDL2
#include "platform/backends/sdl/sdl_backend.h"
#endif

namespace vtl {
namespace {

#ifndef VANTREL_HAVE_SDL2
bool neverAvailable() { return false; }

// Known by name only: VANTREL_VIDEO=sdl falls back, VANTREL_AUDIO=sdl leaves
// the game without sound, as where SDL cannot open.
const BackendDescriptor kSdlBackend = {
    "sdl", "SDL2 (not in this build)", neverAvailable, nullptr, nullptr, nullptr, nullptr,
};
#endif

const BackendDescriptor* const kEntries[] = {
    &kSdlBackend,
    &kHeadlessBackend, // always last: it always opens
};

const BackendTable kTable = {kEntries, sizeof kEntries / sizeof kEntries[0]};

} // namespace

const BackendTable& backendTable() { return kTable; }

const BackendDescriptor* BackendTable::find(const std::string& name) const
{
    for (size_t i = 0; i < count; ++i)
        if (name == entries[i]->name)
            return entries[i];
    return nullptr;
}

} // namespace vtl
