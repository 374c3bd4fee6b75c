// The game port made of SDL joysticks: the first device is stick 1, the
// second stick 2.  Axes 0 and 1 of a device are its x and y timers, buttons 0
// and 1 its two buttons.  With only one device attached, it is wired as a
// four-button stick: its buttons 2 and 3 are the port's stick-2 buttons and,
// if it has them, its axes 2 and 3 the stick-2 timers (modes 2 and 3 read
// them as the second axis pair).
#ifndef VANTREL_PLATFORM_BACKENDS_SDL_SDL_GAME_PORT_H
#define VANTREL_PLATFORM_BACKENDS_SDL_SDL_GAME_PORT_H

#include <vantrel/seam/game_port.h>

#include <SDL.h>

namespace vtl {

class SdlGamePort : public GamePortSource {
public:
    SdlGamePort();
    ~SdlGamePort() override;
    SdlGamePort(const SdlGamePort&) = delete;
    SdlGamePort& operator=(const SdlGamePort&) = delete;

    // False when SDL's joystick subsystem could not start (then no stick is
    // ever connected).
    bool started() const { return started_; }

    GamePortSample sample() override;

private:
    void refreshDevices();

    bool started_ = false;
    SDL_Joystick* device_[2] = {nullptr, nullptr};
};

} // namespace vtl

#endif
