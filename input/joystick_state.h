// The joysticks' process-wide state and the port read every function shares.
#ifndef VANTREL_INPUT_JOYSTICK_STATE_H
#define VANTREL_INPUT_JOYSTICK_STATE_H

#include <cstdint>

namespace vtl {

// One stick's calibration, in the order the file stores it.
struct JoystickCalibration {
    int32_t left;    // x below left - 5 reads as left
    int32_t right;   // x above right + 5 reads as right
    int32_t up;      // y below up - 5 reads as up
    int32_t down;    // y above down + 5 reads as down
    int32_t centreX;
    int32_t centreY;
    int32_t minX;
    int32_t maxX;
    int32_t minY;
    int32_t maxY;
};
static_assert(sizeof(JoystickCalibration) == 40, "ten 32-bit values");

struct JoystickState {
    int32_t x[2] = {0, 0}; // counts of the last read
    int32_t y[2] = {0, 0};
    uint8_t present[2] = {0, 0};
    uint32_t state[2] = {0, 0}; // direction and button bits of the last poll
    uint8_t mode = 0;
    JoystickCalibration calibration[2] = {};
    // The stick's thresholds are the library's own, placed by CalibCenter
    // and CalibAdjust: they follow the calibration.  Thresholds loaded from
    // a calibration file are not, and a new calibration keeps them.
    bool derivedThresholds[2] = {false, false};
};

JoystickState& joystickState();

// Starts the one-shots and times them (bounded at kPortReadLimit reads), sets
// the counts of both sticks and returns the last port byte.  A stick not
// present, or one that timed out (and is then marked not present), gets its
// centre as its counts.
uint8_t readGamePort();
constexpr uint32_t kPortReadLimit = 8000;

// Direction bits (up 1, down 2, left 4, right 8) of `stick`'s current counts.
uint32_t stickDirection(int stick);

} // namespace vtl

#endif
