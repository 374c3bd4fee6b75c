// The SDL2 backend: real windows with their input, full screen and frames
// shown in them, a sound device, and SDL's joysticks as the game port.  The
// backend table tries it first; each device falls back to headless when SDL
// cannot open it.
//   sdl_video.cpp       VideoBackend    openSdlVideo      (sdl_video.h: its
//                       files by job; sdl_keys: key codes)
//   sdl_display.cpp     DisplayBackend  openSdlDisplay
//   sdl_audio.cpp       AudioOutput     openSdlAudio
//   sdl_game_port.cpp   GamePortSource  openSdlGamePort
//   sdl_picture.cpp     where a scaled window shows the game (display and
//                       pointer agree through it)
//   sdl_startup.cpp     SDL's hints and quiet, before any device starts it
//   native_window_loss.h  windows another program destroyed (x11/ with
//                       VANTREL_WITH_X11, without_x11/ otherwise)
#ifndef VANTREL_PLATFORM_BACKENDS_SDL_SDL_BACKEND_H
#define VANTREL_PLATFORM_BACKENDS_SDL_SDL_BACKEND_H

#include "platform/backends/backend_descriptor.h"

namespace vtl {

extern const BackendDescriptor kSdlBackend;

// Null when no display can be opened.
std::unique_ptr<VideoBackend> openSdlVideo();
// Shows frames in the windows openSdlVideo makes.
std::unique_ptr<DisplayBackend> openSdlDisplay();
// Null when no audio device opens.  `option` is ignored.
std::unique_ptr<AudioOutput> openSdlAudio(AudioEngine& engine, const char* option);
// Null when SDL's joystick subsystem does not start.
std::unique_ptr<GamePortSource> openSdlGamePort();

} // namespace vtl

#endif
