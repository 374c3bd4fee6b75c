// Polling the sticks: state words and axes in percent.
#include <vantrel/joystick.h>

#include "input/joystick_state.h"

namespace vtl {
namespace {

// The button bits of `stick` (0 or 1) as 0x10/0x20 of a state word; the port
// reads 0 while a button is pressed.
uint32_t buttonsOf(int stick, uint8_t port)
{
    const uint8_t pressed = static_cast<uint8_t>(~port);
    return (pressed >> (4 + stick * 2) & 0x03) << 4;
}

void poll()
{
    JoystickState& s = joystickState();
    const uint8_t port = readGamePort();
    for (int j = 0; j < 2; ++j) {
        uint32_t word = 0;
        if (s.present[j]) {
            word = buttonsOf(j, port) | stickDirection(j);
            if (s.mode != 0)
                word |= buttonsOf(1 - j, port) << 2;
            if (s.mode == 2) {
                const uint32_t second = stickDirection(1);
                if (second & 0x0C)
                    word |= 0x100;
                if (second & 0x03)
                    word |= 0x200;
            } else if (s.mode >= 3) {
                const uint32_t second = stickDirection(1);
                if (second & 0x04)
                    word |= 0x100;
                if (second & 0x01)
                    word |= 0x200;
                if (second & 0x08)
                    word |= 0x400;
                if (second & 0x02)
                    word |= 0x800;
            }
        }
        // A stick that is not read reports nothing rather than the last
        // thing it did, so an unplugged stick cannot leave a direction held.
        s.state[j] = word;
    }
    if (s.mode >= 2)
        s.state[1] = 0;
}

// Worked in 64 bits: a calibration file may hold any values.
int32_t percentOf(int64_t value, int64_t centre, int64_t minimum, int64_t maximum)
{
    const int64_t p = value < centre ? (value - centre) * 100 / (centre - minimum)
                                     : (value - centre) * 100 / (maximum - centre);
    return static_cast<int32_t>(p);
}

// The axes of `stick` in percent; both 0 while its calibration is not usable.
void axesInPercent(int stick, int32_t& x, int32_t& y)
{
    const JoystickState& s = joystickState();
    const JoystickCalibration& c = s.calibration[stick];
    const bool usable = c.minX < int64_t{c.centreX} - 5 && c.minY < int64_t{c.centreY} - 5 &&
                        c.maxX > int64_t{c.centreX} + 5 && c.maxY > int64_t{c.centreY} + 5;
    x = usable ? percentOf(s.x[stick], c.centreX, c.minX, c.maxX) : 0;
    y = usable ? percentOf(s.y[stick], c.centreY, c.minY, c.maxY) : 0;
}

} // namespace
} // namespace vtl

void ReadJoystick1(VTLDwordOut state, VTLLongOut x, VTLLongOut y)
{
    vtl::poll();
    state.store(vtl::joystickState().state[0]);
    int32_t px, py;
    vtl::axesInPercent(0, px, py);
    x.store(px);
    y.store(py);
}

void ReadJoystick1(DWORD* state, LONG* x, LONG* y) { ReadJoystick1(VTLDwordOut(state), VTLLongOut(x), VTLLongOut(y)); }

// Stick 2's percentages are signed values handed out in unsigned words.
void ReadJoystick2(VTLDwordOut state, VTLDwordOut x, VTLDwordOut y)
{
    state.store(vtl::joystickState().state[1]);
    int32_t px, py;
    vtl::axesInPercent(1, px, py);
    x.store(static_cast<DWORD>(px));
    y.store(static_cast<DWORD>(py));
}

void ReadJoystick2(DWORD* state, DWORD* x, DWORD* y)
{
    ReadJoystick2(VTLDwordOut(state), VTLDwordOut(x), VTLDwordOut(y));
}
