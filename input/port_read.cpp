// The port read: a real port is started with a write and then polled, each
// poll adding one to every count whose timer bit is still 1, until the
// watched timers have all ended or the bound is reached.  Here the source says
// how long each timer runs and the counts follow from that.
#include "input/joystick_state.h"

#include <vantrel/seam/game_port.h>

#include <algorithm>

namespace vtl {

JoystickState& joystickState()
{
    static JoystickState state;
    return state;
}

uint8_t readGamePort()
{
    JoystickState& s = joystickState();
    const GamePortSample sample = gamePort().sample();

    uint8_t watched = 0;
    if (s.present[0])
        watched |= 0x03;
    if (s.present[1])
        watched |= 0x0C;

    // Number of reads made: up to the first read showing every watched timer
    // ended, at most the bound; with nothing watched one read is still made.
    uint32_t reads = 1;
    for (int t = 0; t < 4; ++t) {
        if (watched & (1u << t)) {
            const uint32_t end = std::min(sample.timerReads[t], kPortReadLimit - 1);
            reads = std::max(reads, end + 1);
        }
    }

    uint8_t last = sample.buttonBits & 0xF0;
    uint32_t count[4];
    for (int t = 0; t < 4; ++t) {
        count[t] = std::min(sample.timerReads[t], reads);
        if (sample.timerReads[t] >= reads)
            last |= static_cast<uint8_t>(1u << t);
    }

    for (int j = 0; j < 2; ++j) {
        const uint8_t bits = static_cast<uint8_t>(0x03 << (j * 2));
        const bool timedOut = reads == kPortReadLimit && (last & watched & bits);
        if (timedOut)
            s.present[j] = 0;
        if (!s.present[j]) {
            s.x[j] = s.calibration[j].centreX;
            s.y[j] = s.calibration[j].centreY;
        } else {
            s.x[j] = static_cast<int32_t>(count[j * 2]);
            s.y[j] = static_cast<int32_t>(count[j * 2 + 1]);
        }
    }
    return last;
}

uint32_t stickDirection(int stick)
{
    const JoystickState& s = joystickState();
    const JoystickCalibration& c = s.calibration[stick];
    uint32_t d = 0;
    // In 64 bits: thresholds come from a file and may be anything.
    if (s.x[stick] < int64_t{c.left} - 5)
        d = 4;
    else if (s.x[stick] > int64_t{c.right} + 5)
        d = 8;
    if (s.y[stick] < int64_t{c.up} - 5)
        d |= 1;
    else if (s.y[stick] > int64_t{c.down} + 5)
        d |= 2;
    return d;
}

} // namespace vtl
