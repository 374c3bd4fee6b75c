// The one chooser: reads the per-device variables and walks the backend
// table for each device.  Behaviour of the variables (docs/platform.md):
//   VANTREL_VIDEO, VANTREL_JOYSTICK  a backend to prefer; unset, unknown or
//       unable to open: the first backend of the table that opens (SDL where
//       it can, else headless);
//   VANTREL_AUDIO  sdl | headless | wav:PATH: that output or no sound at all;
//       unset or unknown: as for video;
//   the display    always the video backend's own.
#include "platform/backends/backend_table.h"

#include "platform/ddraw/display_backend.h"
#include "platform/dsound/audio_output.h"
#include "platform/user/video_backend.h"
#include <vantrel/seam/game_port.h>

#include <cstdlib>
#include <cstring>

namespace vtl {

BackendRequest preferredBackend(const char* value)
{
    BackendRequest request;
    if (value)
        request.name = value;
    return request;
}

BackendRequest audioRequest(const char* value)
{
    BackendRequest request;
    request.required = true;
    if (!value)
        return request;
    if (std::strncmp(value, "wav:", 4) == 0) {
        request.name = "headless";
        request.option = value + 4;
    } else {
        request.name = value;
    }
    return request;
}

const BackendDescriptor* walkBackends(const BackendTable& table, const BackendRequest& request,
                                      const std::function<bool(const BackendDescriptor&)>& open)
{
    const BackendDescriptor* named = request.name.empty() ? nullptr : table.find(request.name);
    if (named) {
        if (named->available() && open(*named))
            return named;
        if (request.required)
            return nullptr;
    }
    for (size_t i = 0; i < table.count; ++i) {
        const BackendDescriptor* candidate = table.entries[i];
        if (candidate != named && candidate->available() && open(*candidate))
            return candidate;
    }
    return nullptr;
}

std::unique_ptr<VideoBackend> chooseVideo()
{
    std::unique_ptr<VideoBackend> video;
    walkBackends(backendTable(), preferredBackend(std::getenv("VANTREL_VIDEO")), [&](const BackendDescriptor& b) {
        video = b.openVideo ? b.openVideo() : nullptr;
        return video != nullptr;
    });
    return video;
}

std::unique_ptr<DisplayBackend> chooseDisplay(const char* videoName)
{
    // Not a walk: another backend's display could not show the windows of
    // the one that made them.
    std::unique_ptr<DisplayBackend> display;
    const BackendDescriptor* own = videoName ? backendTable().find(videoName) : nullptr;
    if (own && own->openDisplay)
        display = own->openDisplay();
    if (!display)
        display = backendTable().last().openDisplay();
    return display;
}

std::unique_ptr<AudioOutput> chooseAudio(AudioEngine& engine)
{
    std::unique_ptr<AudioOutput> output;
    const BackendRequest request = audioRequest(std::getenv("VANTREL_AUDIO"));
    const char* option = request.option.empty() ? nullptr : request.option.c_str();
    walkBackends(backendTable(), request, [&](const BackendDescriptor& b) {
        output = b.openAudio ? b.openAudio(engine, option) : nullptr;
        return output != nullptr;
    });
    return output;
}

std::unique_ptr<GamePortSource> chooseGamePort()
{
    std::unique_ptr<GamePortSource> port;
    walkBackends(backendTable(), preferredBackend(std::getenv("VANTREL_JOYSTICK")), [&](const BackendDescriptor& b) {
        port = b.openGamePort ? b.openGamePort() : nullptr;
        return port != nullptr;
    });
    return port;
}

} // namespace vtl
