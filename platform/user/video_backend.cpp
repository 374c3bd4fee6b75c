// The process's one windowing backend, chosen on first use by the backend
// table (platform/backends/backend_table.h): VANTREL_VIDEO=sdl|headless,
// otherwise SDL when a display can be opened, otherwise headless.  Asking
// for sdl where no display opens falls back to headless too, so that a
// server still runs; videoBackendName() tells which one answered.
#include "platform/user/video_backend.h"

#include "platform/backends/backend_table.h"
#include "platform/user/quit_requests.h"

#include <atomic>
#include <mutex>

namespace vtl {
namespace {

std::atomic<VideoBackend*> gBackend{nullptr};
std::once_flag gOnce;

} // namespace

VideoBackend& videoBackend()
{
    // Never destroyed: windows may still be torn down while the process exits.
    std::call_once(gOnce, [] {
        // Before any backend starts, so that SDL sees the signals taken and
        // leaves them alone.
        watchQuitRequests();
        gBackend.store(chooseVideo().release());
    });
    return *gBackend.load();
}

VideoBackend* existingVideoBackend() { return gBackend.load(); }

const char* videoBackendName() { return videoBackend().name(); }

} // namespace vtl
