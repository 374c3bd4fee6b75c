// What one backend gives the platform layer: a descriptor with its name, a
// probe, and one factory per device.  Each backend folder (backends/<name>/)
// defines exactly one descriptor in <name>_backend.cpp and is listed once in
// backend_table.cpp; nothing else in the platform layer names a backend.
//
// The devices are the four interfaces a backend implements:
//   video      VideoBackend    (platform/user/video_backend.h): the screen
//              and its windows, input, message boxes;
//   display    DisplayBackend  (platform/ddraw/display_backend.h): full
//              screen and the presentation of finished frames;
//   audio      AudioOutput     (platform/dsound/audio_output.h): the sound
//              output that pulls mixed frames;
//   game port  GamePortSource  (<vantrel/seam/game_port.h>): joystick timers
//              and buttons.
// backends/headless/ is the complete example.
#ifndef VANTREL_PLATFORM_BACKENDS_BACKEND_DESCRIPTOR_H
#define VANTREL_PLATFORM_BACKENDS_BACKEND_DESCRIPTOR_H

#include <memory>

namespace vtl {

class VideoBackend;
class DisplayBackend;
class AudioEngine;
class AudioOutput;
class GamePortSource;

struct BackendDescriptor {
    // The value that asks for this backend in VANTREL_VIDEO, VANTREL_AUDIO and
    // VANTREL_JOYSTICK, and what its VideoBackend::name() answers (the display
    // is picked by that name).  Lower case, no ':'.
    const char* name;
    // One line for people: what the backend runs on.
    const char* description;

    // Whether the backend can run in this process at all, asked before any
    // of its factories.  Cheap, opens nothing and has no lasting effect; a
    // backend that was not built answers false.
    bool (*available)();

    // Each factory opens its device and hands it over, or returns null when
    // the device cannot open here (no display, no sound card); the chooser
    // then tries the next backend.  A backend without a device of some kind
    // leaves that factory null.
    std::unique_ptr<VideoBackend> (*openVideo)();
    // Called only for the backend whose video was chosen.
    std::unique_ptr<DisplayBackend> (*openDisplay)();
    // `option` is what VANTREL_AUDIO adds for this backend (PATH of
    // wav:PATH, for the headless one), or null.  The output is not started
    // yet.
    std::unique_ptr<AudioOutput> (*openAudio)(AudioEngine& engine, const char* option);
    std::unique_ptr<GamePortSource> (*openGamePort)();
};

} // namespace vtl

#endif
