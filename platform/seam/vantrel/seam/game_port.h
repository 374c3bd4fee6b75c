// The source of game-port readings: the four one-shot timers and the button
// bits.  The joystick functions (input/) time the timers the way the port was
// read; a backend only says how long each timer runs.
#ifndef VANTREL_SEAM_GAME_PORT_H
#define VANTREL_SEAM_GAME_PORT_H

#include <cstdint>

namespace vtl {

// Counts a real game port gives at the two ends of an axis (a 0 to 100 kOhm
// potentiometer timed with port reads of about one microsecond).
constexpr uint32_t kGamePortMinCount = 24;
constexpr uint32_t kGamePortMaxCount = 1124;
// A timer with no stick on it never ends.
constexpr uint32_t kTimerNeverEnds = UINT32_MAX;
// Bits 4 to 7 of the port byte with every button released (they read 0 while
// pressed): stick 1 button 1 0x10, button 2 0x20; stick 2 button 1 0x40,
// button 2 0x80.
constexpr uint8_t kButtonsReleased = 0xF0;

// The button bit of `button` (0 or 1) of `stick` (0 or 1) in the port byte.
constexpr uint8_t gamePortButtonBit(int stick, int button)
{
    // Port order: stick 1 button 1, stick 1 button 2, stick 2 button 1,
    // stick 2 button 2 in bits 4, 5, 6, 7.
    return static_cast<uint8_t>(0x10 << (stick * 2 + button));
}

struct GamePortSample {
    // How many successive reads each timer bit stays 1 after the port is
    // started: stick 1 x, stick 1 y, stick 2 x, stick 2 y.
    uint32_t timerReads[4];
    // The button bits, as in the port byte (0 = pressed); bits 0-3 are 0.
    uint8_t buttonBits;
};

class GamePortSource {
public:
    virtual ~GamePortSource() = default;
    // One start of the one-shots.
    virtual GamePortSample sample() = 0;
};

// The source the joystick functions read: the one installed with
// setGamePortSource, else the backend chosen by VANTREL_JOYSTICK (sdl or
// headless; by default SDL's joysticks when its joystick subsystem starts,
// else a port with nothing plugged in).
GamePortSource& gamePort();
// Installs `source` (null: back to the backend); returns the one installed
// before.  The caller keeps ownership.
GamePortSource* setGamePortSource(GamePortSource* source);

// The count a real port gives for an axis position: `value` from -32768 (left
// or up) to 32767 (right or down).
uint32_t axisToCount(int value);

} // namespace vtl

#endif
