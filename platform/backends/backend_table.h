// The backend table and the one chooser that walks it.
//
// The table lists every backend of the project in order of preference (SDL,
// then headless).  A backend left out of the build keeps its entry, with no
// factories and a probe that says no, so that asking for it by name behaves
// as asking for one that cannot open.  The last entry is the headless
// backend: it is always available and opens every device, so a walk that may
// fall back always ends with something.
//
// The interface folders ask for their device here and nowhere else:
// videoBackend() (user/), displayBackend() (ddraw/), AudioEngine (dsound/),
// gamePort() (gameport/).
#ifndef VANTREL_PLATFORM_BACKENDS_BACKEND_TABLE_H
#define VANTREL_PLATFORM_BACKENDS_BACKEND_TABLE_H

#include "platform/backends/backend_descriptor.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace vtl {

struct BackendTable {
    const BackendDescriptor* const* entries;
    size_t count;

    // The entry called `name`, or null.
    const BackendDescriptor* find(const std::string& name) const;
    // The fallback: the entry that always opens.
    const BackendDescriptor& last() const { return *entries[count - 1]; }
};

// The backends of this build.
const BackendTable& backendTable();

// What a per-device variable asks of the chooser.  A name the table does not
// have asks for nothing (as if the variable were unset).
struct BackendRequest {
    std::string name;   // the backend to try first; empty: none
    std::string option; // handed to the audio factory
    bool required = false; // that backend or nothing, no fall-back
};

// VANTREL_VIDEO and VANTREL_JOYSTICK name a backend to prefer: when it
// cannot open, the walk goes on through the table.
BackendRequest preferredBackend(const char* value);
// VANTREL_AUDIO: "wav:PATH" is the headless output recording to PATH; any
// other value names the one output to open, and none when it cannot open.
BackendRequest audioRequest(const char* value);

// Offers each backend to `open`, in order, until it returns true (its device
// opened): the requested one first when the table has it, then, unless the
// request is required, every entry of the table from the first.  A backend
// is offered at most once, and only while its probe says it is available.
// Returns the backend whose device opened, or null.
const BackendDescriptor* walkBackends(const BackendTable& table, const BackendRequest& request,
                                      const std::function<bool(const BackendDescriptor&)>& open);

// The devices, each read from its variable now and opened by the walk over
// backendTable().  chooseVideo and chooseGamePort always return one (the
// last entry's); chooseAudio returns null when the output asked for cannot
// open.  The display is the one of the backend whose video was chosen
// (`videoName`, see videoBackendName()), else the last entry's.
std::unique_ptr<VideoBackend> chooseVideo();
std::unique_ptr<DisplayBackend> chooseDisplay(const char* videoName);
std::unique_ptr<AudioOutput> chooseAudio(AudioEngine& engine);
std::unique_ptr<GamePortSource> chooseGamePort();

} // namespace vtl

#endif
