// Called by every SDL device before it starts SDL: hints and quiet.
#ifndef VANTREL_PLATFORM_BACKENDS_SDL_SDL_STARTUP_H
#define VANTREL_PLATFORM_BACKENDS_SDL_SDL_STARTUP_H

namespace vtl {

// Once per process; later calls do nothing.
void prepareSdl();

} // namespace vtl

#endif
