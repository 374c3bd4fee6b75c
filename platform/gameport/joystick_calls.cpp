// The joy* calls of the multimedia system over the game port, as Windows'
// PC joystick driver answers them: ids 0 and 1 are the port's two sticks, a
// stick is there when both its timers end, and its timer counts map linearly
// onto 0 .. 65535.
#include <vantrel/seam/game_port.h>
#include <vantrel/win32/mmsystem.h>

#include <cstring>

#include "platform/kernel/trace.h"

namespace {

// The ids the driver answers for.
constexpr UINT kJoystickIds = 16;
constexpr UINT kPositionMax = 65535;
// The polling periods Windows' driver reports, in milliseconds.
constexpr UINT kPeriodMin = 10;
constexpr UINT kPeriodMax = 1000;

struct StickReading {
    DWORD x, y;
    DWORD buttons; // JOY_BUTTON1, JOY_BUTTON2
};

DWORD positionOf(uint32_t count)
{
    if (count <= vtl::kGamePortMinCount)
        return 0;
    if (count >= vtl::kGamePortMaxCount)
        return kPositionMax;
    return DWORD(uint64_t(count - vtl::kGamePortMinCount) * kPositionMax /
                 (vtl::kGamePortMaxCount - vtl::kGamePortMinCount));
}

// False when the stick is not plugged in (or the id is no stick of the port).
bool readStick(UINT id, StickReading& reading)
{
    if (id > JOYSTICKID2)
        return false;
    const vtl::GamePortSample s = vtl::gamePort().sample();
    const uint32_t x = s.timerReads[id * 2], y = s.timerReads[id * 2 + 1];
    if (x == vtl::kTimerNeverEnds || y == vtl::kTimerNeverEnds)
        return false;
    reading.x = positionOf(x);
    reading.y = positionOf(y);
    reading.buttons = 0;
    for (int button = 0; button < 2; ++button)
        if (!(s.buttonBits & vtl::gamePortButtonBit(int(id), button)))
            reading.buttons |= DWORD(1) << button;
    return true;
}

} // namespace

UINT joyGetNumDevs()
{
    VTL_TRACE0(winmm, "joyGetNumDevs");
    return vtlTraceCall_.result(kJoystickIds);
}

MMRESULT joyGetDevCapsA(UINT_PTR id, LPJOYCAPSA caps, UINT size)
{
    VTL_TRACE(winmm, "joyGetDevCapsA", static_cast<unsigned long long>(id), caps, size);
    StickReading reading;
    if (id >= kJoystickIds || !caps || size != sizeof(JOYCAPSA) || !readStick(UINT(id), reading))
        return vtlTraceCall_.result(MMRESULT(JOYERR_PARMS));
    std::memset(caps, 0, sizeof *caps);
    caps->wMid = 1;  // Microsoft
    caps->wPid = 12; // the PC joystick driver
    std::strcpy(caps->szPname, "Microsoft PC-joystick driver");
    caps->wXmax = kPositionMax;
    caps->wYmax = kPositionMax;
    caps->wNumButtons = 2;
    caps->wPeriodMin = kPeriodMin;
    caps->wPeriodMax = kPeriodMax;
    caps->wMaxAxes = 2;
    caps->wNumAxes = 2;
    caps->wMaxButtons = 2;
    return vtlTraceCall_.result(MMRESULT(JOYERR_NOERROR));
}

MMRESULT joyGetPos(UINT id, LPJOYINFO info)
{
    VTL_TRACE(winmm, "joyGetPos", id, info);
    if (id >= kJoystickIds)
        return vtlTraceCall_.result(MMRESULT(JOYERR_PARMS));
    if (!info)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALPARAM));
    StickReading reading;
    if (!readStick(id, reading))
        return vtlTraceCall_.result(MMRESULT(JOYERR_UNPLUGGED));
    info->wXpos = reading.x;
    info->wYpos = reading.y;
    info->wZpos = 0;
    info->wButtons = reading.buttons;
    return vtlTraceCall_.result(MMRESULT(JOYERR_NOERROR));
}

MMRESULT joyGetPosEx(UINT id, LPJOYINFOEX info)
{
    VTL_TRACE(winmm, "joyGetPosEx", id, info);
    if (id >= kJoystickIds)
        return vtlTraceCall_.result(MMRESULT(JOYERR_PARMS));
    if (!info)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALPARAM));
    if (info->dwSize != sizeof(JOYINFOEX))
        return vtlTraceCall_.result(MMRESULT(JOYERR_PARMS));
    StickReading reading;
    if (!readStick(id, reading))
        return vtlTraceCall_.result(MMRESULT(JOYERR_UNPLUGGED));
    const DWORD wanted = info->dwFlags;
    if (wanted & JOY_RETURNX)
        info->dwXpos = reading.x;
    if (wanted & JOY_RETURNY)
        info->dwYpos = reading.y;
    if (wanted & JOY_RETURNZ)
        info->dwZpos = 0;
    if (wanted & JOY_RETURNR)
        info->dwRpos = 0;
    if (wanted & JOY_RETURNU)
        info->dwUpos = 0;
    if (wanted & JOY_RETURNV)
        info->dwVpos = 0;
    if (wanted & (JOY_RETURNPOV | JOY_RETURNPOVCTS))
        info->dwPOV = JOY_POVCENTERED;
    if (wanted & JOY_RETURNBUTTONS) {
        info->dwButtons = reading.buttons;
        info->dwButtonNumber = DWORD((reading.buttons & 1) + ((reading.buttons >> 1) & 1));
    }
    return vtlTraceCall_.result(MMRESULT(JOYERR_NOERROR));
}
