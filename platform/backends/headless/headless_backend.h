// The headless backend: windows, the display, sound and the game port kept
// in memory, for tests, servers and machines without a screen.  It is the
// last entry of the backend table, the one that always opens.
//
// It is also the template for a new backend: one file per device, each
// implementing one interface and ending in its factory, and one descriptor
// (headless_backend.cpp) that the table lists.
//   headless_video.cpp       VideoBackend    openHeadlessVideo
//   headless_display.cpp     DisplayBackend  openHeadlessDisplay
//   headless_audio.cpp       AudioOutput     openHeadlessAudio
//   scripted_game_port.cpp   GamePortSource  openHeadlessGamePort
// See "Writing a backend" in docs/platform.md.
#ifndef VANTREL_PLATFORM_BACKENDS_HEADLESS_HEADLESS_BACKEND_H
#define VANTREL_PLATFORM_BACKENDS_HEADLESS_HEADLESS_BACKEND_H

#include "platform/backends/backend_descriptor.h"

namespace vtl {

extern const BackendDescriptor kHeadlessBackend;

// The factories, each defined beside its device.  None of them fails.
std::unique_ptr<VideoBackend> openHeadlessVideo();
std::unique_ptr<DisplayBackend> openHeadlessDisplay();
// `wavPath`, when given, receives everything mixed as a 16-bit stereo WAV
// file.
std::unique_ptr<AudioOutput> openHeadlessAudio(AudioEngine& engine, const char* wavPath);
std::unique_ptr<GamePortSource> openHeadlessGamePort();

} // namespace vtl

#endif
