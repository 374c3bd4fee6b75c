// Picks the windowing backend once per process: VANTREL_VIDEO=sdl|headless,
// otherwise SDL when a display can be opened, otherwise headless.  Asking for
// sdl where no display opens falls back to headless too, so that a server
// still runs; videoBackendName() tells which one answered.
#include "platform/user/video_backend.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace vtl {
namespace {

std::atomic<VideoBackend*> gBackend{nullptr};
std::once_flag gOnce;

VideoBackend* choose()
{
    const char* wanted = std::getenv("VANTREL_VIDEO");
    if (wanted && std::strcmp(wanted, "headless") == 0)
        return makeHeadlessVideoBackend();
#ifdef VANTREL_HAVE_SDL2
    if (VideoBackend* sdl = makeSdlVideoBackend())
        return sdl;
#endif
    return makeHeadlessVideoBackend();
}

} // namespace

VideoBackend& videoBackend()
{
    std::call_once(gOnce, [] { gBackend.store(choose()); });
    return *gBackend.load();
}

VideoBackend* existingVideoBackend() { return gBackend.load(); }

const char* videoBackendName() { return videoBackend().name(); }

} // namespace vtl
