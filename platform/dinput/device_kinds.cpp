#include "platform/dinput/device_kinds.h"

#include "platform/dinput/key_codes.h"

#include <vantrel/seam/game_port.h>

#include <cstdio>
#include <cstring>

namespace vtl {
namespace {

// The counts a real port gives at the two ends of an axis, mapped onto
// 0 .. 65535 as the joystick driver does.
DWORD positionOf(uint32_t count)
{
    if (count <= kGamePortMinCount)
        return 0;
    if (count >= kGamePortMaxCount)
        return 65535;
    return DWORD(uint64_t(count - kGamePortMinCount) * 65535 / (kGamePortMaxCount - kGamePortMinCount));
}

bool sameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

// The product of a stick on the game port: Windows' "PIDVID" form with
// neither number set.
constexpr GUID kStickProduct = {0x00000000, 0x0000, 0x0000, {0x00, 0x00, 'P', 'I', 'D', 'V', 'I', 'D'}};

} // namespace

std::vector<DeviceObject> objectsOf(DeviceKind kind)
{
    std::vector<DeviceObject> objects;
    switch (kind) {
    case DeviceKind::Keyboard: {
        unsigned count = 0;
        const KeyCode* keys = keyboardKeys(&count);
        for (unsigned i = 0; i < count; ++i)
            objects.push_back({&GUID_Key, DWORD(DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(keys[i].dik)),
                               DWORD(keys[i].dik), 0, keys[i].name});
        break;
    }
    case DeviceKind::Mouse:
        objects.push_back({&GUID_XAxis, DIDFT_RELAXIS | DIDFT_MAKEINSTANCE(0), DIMOFS_X, DIDOI_ASPECTPOSITION, "X-axis"});
        objects.push_back({&GUID_YAxis, DIDFT_RELAXIS | DIDFT_MAKEINSTANCE(1), DIMOFS_Y, DIDOI_ASPECTPOSITION, "Y-axis"});
        objects.push_back({&GUID_ZAxis, DIDFT_RELAXIS | DIDFT_MAKEINSTANCE(2), DIMOFS_Z, DIDOI_ASPECTPOSITION, "Wheel"});
        objects.push_back({&GUID_Button, DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(3), DIMOFS_BUTTON0, 0, "Button 0"});
        objects.push_back({&GUID_Button, DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(4), DIMOFS_BUTTON1, 0, "Button 1"});
        objects.push_back({&GUID_Button, DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(5), DIMOFS_BUTTON2, 0, "Button 2"});
        break;
    case DeviceKind::Joystick:
        objects.push_back({&GUID_XAxis, DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(0), DIJOFS_X,
                           DIDOI_ASPECTPOSITION | DIDOI_POLLED, "X Axis"});
        objects.push_back({&GUID_YAxis, DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(1), DIJOFS_Y,
                           DIDOI_ASPECTPOSITION | DIDOI_POLLED, "Y Axis"});
        objects.push_back({&GUID_Button, DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(0), DIJOFS_BUTTON0, DIDOI_POLLED,
                           "Button 0"});
        objects.push_back({&GUID_Button, DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(1), DIJOFS_BUTTON1, DIDOI_POLLED,
                           "Button 1"});
        break;
    }
    return objects;
}

DWORD deviceTypeOf(DeviceKind kind)
{
    switch (kind) {
    case DeviceKind::Keyboard: return DIDEVTYPE_KEYBOARD | (DIDEVTYPEKEYBOARD_PCENH << 8);
    case DeviceKind::Mouse: return DIDEVTYPE_MOUSE | (DIDEVTYPEMOUSE_TRADITIONAL << 8);
    case DeviceKind::Joystick: break;
    }
    return DIDEVTYPE_JOYSTICK | (DIDEVTYPEJOYSTICK_TRADITIONAL << 8);
}

GUID stickInstanceGuid(unsigned stick)
{
    GUID g = GUID_Joystick;
    g.Data1 += 0x10 + stick;
    return g;
}

void describeDevice(DeviceKind kind, unsigned stick, DIDEVICEINSTANCEA* instance)
{
    DIDEVICEINSTANCEA full = {};
    full.dwSize = instance->dwSize;
    full.dwDevType = deviceTypeOf(kind);
    switch (kind) {
    case DeviceKind::Keyboard:
        full.guidInstance = full.guidProduct = GUID_SysKeyboard;
        std::snprintf(full.tszInstanceName, MAX_PATH, "Keyboard");
        std::snprintf(full.tszProductName, MAX_PATH, "Keyboard");
        break;
    case DeviceKind::Mouse:
        full.guidInstance = full.guidProduct = GUID_SysMouse;
        std::snprintf(full.tszInstanceName, MAX_PATH, "Mouse");
        std::snprintf(full.tszProductName, MAX_PATH, "Mouse");
        break;
    case DeviceKind::Joystick:
        full.guidInstance = stickInstanceGuid(stick);
        full.guidProduct = kStickProduct;
        std::snprintf(full.tszInstanceName, MAX_PATH, "Joystick %u", stick + 1);
        std::snprintf(full.tszProductName, MAX_PATH, "2-axis, 2-button joystick");
        break;
    }
    std::memcpy(instance, &full, instance->dwSize);
}

bool readStick(unsigned stick, StickReading* reading)
{
    if (stick >= kSticks)
        return false;
    const GamePortSample s = gamePort().sample();
    const uint32_t x = s.timerReads[stick * 2], y = s.timerReads[stick * 2 + 1];
    if (x == kTimerNeverEnds || y == kTimerNeverEnds)
        return false;
    reading->axis[0] = positionOf(x);
    reading->axis[1] = positionOf(y);
    for (int b = 0; b < 2; ++b)
        reading->button[b] = !(s.buttonBits & gamePortButtonBit(int(stick), b));
    return true;
}

bool deviceNamed(REFGUID guid, DeviceKind* kind, unsigned* stick)
{
    *stick = 0;
    if (sameGuid(guid, GUID_SysKeyboard)) {
        *kind = DeviceKind::Keyboard;
        return true;
    }
    if (sameGuid(guid, GUID_SysMouse)) {
        *kind = DeviceKind::Mouse;
        return true;
    }
    for (unsigned i = 0; i < kSticks; ++i) {
        StickReading reading;
        if (sameGuid(guid, stickInstanceGuid(i)) && readStick(i, &reading)) {
            *kind = DeviceKind::Joystick;
            *stick = i;
            return true;
        }
    }
    return false;
}

} // namespace vtl
