// The game port on Windows' joysticks: the first joystick is stick 1 (its x
// and y axes, buttons 1 and 2), the second stick 2.  A joystick that does not
// answer is no stick: its timers never end and its buttons read released.
#include "platform/shared/system_game_port.h"

#include <windows.h>

#include <mmsystem.h>

#include <mutex>

namespace {

struct AxisRange {
    UINT min, max;
};

// Where the driver's range puts `position`, as -32768 (left, up) to 32767.
int axisValue(DWORD position, const AxisRange& range)
{
    if (range.max <= range.min)
        return 0;
    const DWORD clamped = position < range.min ? range.min : position > range.max ? range.max : position;
    return static_cast<int>(uint64_t(clamped - range.min) * 65535 / (range.max - range.min)) - 32768;
}

class JoystickPort final : public vtl::GamePortSource {
public:
    vtl::GamePortSample sample() override
    {
        vtl::GamePortSample s{{vtl::kTimerNeverEnds, vtl::kTimerNeverEnds, vtl::kTimerNeverEnds,
                               vtl::kTimerNeverEnds},
                              vtl::kButtonsReleased};
        std::lock_guard<std::mutex> lock(mutex_);
        for (int stick = 0; stick < 2; ++stick)
            read(s, stick);
        return s;
    }

private:
    struct Stick {
        bool known = false; // the ranges below are the device's
        AxisRange x{}, y{};
    };

    void read(vtl::GamePortSample& s, int stick)
    {
        const UINT id = stick == 0 ? JOYSTICKID1 : JOYSTICKID2;
        JOYINFOEX info{};
        info.dwSize = sizeof info;
        info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
        Stick& known = sticks_[stick];
        if (joyGetPosEx(id, &info) != JOYERR_NOERROR) {
            known.known = false; // unplugged: a new one may have other ranges
            return;
        }
        if (!known.known) {
            JOYCAPSA caps{};
            if (joyGetDevCapsA(id, &caps, sizeof caps) != JOYERR_NOERROR)
                return;
            known.x = AxisRange{caps.wXmin, caps.wXmax};
            known.y = AxisRange{caps.wYmin, caps.wYmax};
            known.known = true;
        }
        s.timerReads[stick * 2] = vtl::axisToCount(axisValue(info.dwXpos, known.x));
        s.timerReads[stick * 2 + 1] = vtl::axisToCount(axisValue(info.dwYpos, known.y));
        for (int button = 0; button < 2; ++button)
            if (info.dwButtons & (DWORD(1) << button))
                s.buttonBits = static_cast<uint8_t>(s.buttonBits & ~vtl::gamePortButtonBit(stick, button));
    }

    std::mutex mutex_;
    Stick sticks_[2];
};

} // namespace

vtl::GamePortSource& vtl::systemGamePort()
{
    static JoystickPort port;
    return port;
}
