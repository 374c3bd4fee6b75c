// InstallJoystick: which sticks a game may use, from the saved calibration.
#include <vantrel/joystick.h>

#include "input/calibration_file.h"
#include "input/joystick_state.h"
#include <vantrel/seam/game_paths.h>

BYTE InstallJoystick(HFONT, RECT, BYTE mode, BYTE exclude, const char* fileName)
{
    vtl::JoystickState& s = vtl::joystickState();
    s.mode = mode;
    s.present[0] = s.present[1] = 1;

    const uint8_t needsCalibrating = vtl::loadCalibration(vtl::resolveGamePath(fileName).c_str());

    BYTE usable = 3;
    // In the one-stick modes the second timer pair belongs to stick 1, so
    // only stick 1 is judged; stick 2 stays present and keeps its bit.
    const int sticks = mode >= 2 ? 1 : 2;
    for (int j = 0; j < sticks; ++j) {
        const BYTE bit = static_cast<BYTE>(1 << j);
        if ((exclude & bit) || (s.present[j] && (needsCalibrating & bit))) {
            s.present[j] = 0;
            usable = static_cast<BYTE>(usable & ~bit);
        }
    }
    if (usable != 0)
        vtl::saveCalibration(vtl::resolveGamePath(fileName).c_str(), usable);
    return usable;
}

bool SaveJoystickCalibration(const char* fileName)
{
    const vtl::JoystickState& s = vtl::joystickState();
    const uint8_t present = static_cast<uint8_t>((s.present[0] ? 1 : 0) | (s.present[1] ? 2 : 0));
    return present != 0 && vtl::saveCalibration(vtl::resolveGamePath(fileName).c_str(), present);
}
