// The game port made of SDL devices.
//
// A device SDL knows as a game controller (from its mapping database: the
// one built into SDL, plus SDL_GAMECONTROLLERCONFIG and
// SDL_GAMECONTROLLERCONFIG_FILE, which SDL reads itself) is read through its
// mapping, so that any current pad is laid out the same way: its left stick,
// or its d-pad while one is held, is stick 1; its right stick is stick 2; A,
// B, X and Y are the port's four buttons (stick 1 buttons 1 and 2, stick 2
// buttons 1 and 2).  Such a pad fills the whole port by itself, so when the
// first device is a pad no second device is read.
//
// Other devices are read raw: the first is stick 1, the second stick 2; axes
// 0 and 1 of a device are its x and y timers, buttons 0 and 1 its two
// buttons.  With only one raw device attached it is wired as a four-button
// stick: its buttons 2 and 3 are the port's stick-2 buttons and, if it has
// them, its axes 2 and 3 the stick-2 timers (modes 2 and 3 read them as the
// second axis pair).  A raw second device after a raw first one is stick 2;
// a pad in second place is read by its left stick and A and B.
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
    // One attached device: a pad also has its mapping open, and then owns
    // the joystick through it.
    struct Slot {
        SDL_Joystick* joystick = nullptr;
        SDL_GameController* pad = nullptr;
    };

    void refreshDevices();
    void close(Slot& slot);

    bool started_ = false;
    bool padsStarted_ = false;
    Slot device_[2];
};

} // namespace vtl

#endif
