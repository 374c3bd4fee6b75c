// A game port driven by its caller: the headless backend (nothing plugged in
// unless told) and the source the joystick tests script.
#ifndef VANTREL_PLATFORM_BACKENDS_HEADLESS_SCRIPTED_GAME_PORT_H
#define VANTREL_PLATFORM_BACKENDS_HEADLESS_SCRIPTED_GAME_PORT_H

#include <vantrel/seam/game_port.h>

#include <deque>

namespace vtl {

class ScriptedGamePort : public GamePortSource {
public:
    ScriptedGamePort();

    // Puts a stick on the port at counts x and y (held until changed).
    void plug(int stick, uint32_t x, uint32_t y);
    // Takes the stick off: its timers never end.
    void unplug(int stick);
    // Presses or releases button 0 or 1 of a stick.
    void press(int stick, int button, bool down);
    // Readings to return, in order, before the held state again.
    void queue(const GamePortSample& reading) { queued_.push_back(reading); }
    // The held state as a reading (to edit and queue).
    const GamePortSample& held() const { return held_; }
    // How many times the port was read.
    unsigned reads() const { return reads_; }

    GamePortSample sample() override;

private:
    GamePortSample held_;
    std::deque<GamePortSample> queued_;
    unsigned reads_ = 0;
};

} // namespace vtl

#endif
