// Calibrating a stick: the centre at rest, then the extremes while the player
// moves it around.
#include <vantrel/joystick.h>

#include "input/joystick_state.h"

namespace vtl {
namespace {

// Where a direction starts: a quarter of the way from the centre to the
// extreme seen, or the centre itself while that extreme is unknown.
int32_t thresholdToward(int32_t centre, int32_t extreme, bool known)
{
    return known ? static_cast<int32_t>(centre + (int64_t{extreme} - centre) / 4) : centre;
}

void placeThresholds(JoystickCalibration& c)
{
    c.left = thresholdToward(c.centreX, c.minX, c.minX < c.centreX);
    c.right = thresholdToward(c.centreX, c.maxX, c.maxX > c.centreX);
    c.up = thresholdToward(c.centreY, c.minY, c.minY < c.centreY);
    c.down = thresholdToward(c.centreY, c.maxY, c.maxY > c.centreY);
}

// A stick with no thresholds yet (all four 0) gets the library's own; one
// whose thresholds came from a calibration file keeps them.
bool thresholdsAreOurs(const JoystickState& s, int stick)
{
    const JoystickCalibration& c = s.calibration[stick];
    return s.derivedThresholds[stick] || (c.left == 0 && c.right == 0 && c.up == 0 && c.down == 0);
}

void widen(int32_t value, int32_t centre, int32_t& minimum, int32_t& maximum)
{
    if (value > maximum && value != centre)
        maximum = value;
    else if (value < minimum && value != centre)
        minimum = value;
}

} // namespace
} // namespace vtl

void CalibCenter(BYTE stick)
{
    if (stick > 1)
        return;
    vtl::JoystickState& s = vtl::joystickState();
    s.present[stick] = 1;
    vtl::readGamePort();
    vtl::JoystickCalibration& c = s.calibration[stick];
    c.centreX = s.x[stick];
    c.centreY = s.y[stick];
    c.minX = c.minY = 32000;
    c.maxX = c.maxY = 1;
    s.derivedThresholds[stick] = vtl::thresholdsAreOurs(s, stick);
    if (s.derivedThresholds[stick])
        vtl::placeThresholds(c);
}

void CalibAdjust(BYTE stick)
{
    if (stick > 1)
        return;
    vtl::JoystickState& s = vtl::joystickState();
    vtl::readGamePort();
    vtl::JoystickCalibration& c = s.calibration[stick];
    vtl::widen(s.x[stick], c.centreX, c.minX, c.maxX);
    vtl::widen(s.y[stick], c.centreY, c.minY, c.maxY);
    if (s.derivedThresholds[stick])
        vtl::placeThresholds(c);
}

void GetMaxMin(BYTE stick, VTLDwordOut minX, VTLDwordOut minY, VTLDwordOut maxX, VTLDwordOut maxY)
{
    if (stick > 1)
        return;
    const vtl::JoystickCalibration& c = vtl::joystickState().calibration[stick];
    minX.store(static_cast<DWORD>(c.minX));
    minY.store(static_cast<DWORD>(c.minY));
    maxX.store(static_cast<DWORD>(c.maxX));
    maxY.store(static_cast<DWORD>(c.maxY));
}

void GetMaxMin(BYTE stick, DWORD* minX, DWORD* minY, DWORD* maxX, DWORD* maxY)
{
    GetMaxMin(stick, VTLDwordOut(minX), VTLDwordOut(minY), VTLDwordOut(maxX), VTLDwordOut(maxY));
}

void GetCenter(BYTE stick, VTLDwordOut x, VTLDwordOut y)
{
    if (stick > 1)
        return;
    const vtl::JoystickCalibration& c = vtl::joystickState().calibration[stick];
    x.store(static_cast<DWORD>(c.centreX));
    y.store(static_cast<DWORD>(c.centreY));
}

void GetCenter(BYTE stick, DWORD* x, DWORD* y) { GetCenter(stick, VTLDwordOut(x), VTLDwordOut(y)); }
