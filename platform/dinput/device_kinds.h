// What each kind of input device is made of: its objects (axes, buttons,
// keys), its identity (GUIDs, type, names), and the game port's sticks.
#ifndef VANTREL_PLATFORM_DINPUT_DEVICE_KINDS_H
#define VANTREL_PLATFORM_DINPUT_DEVICE_KINDS_H

#include <vantrel/win32/dinput.h>

#include <vector>

namespace vtl {

enum class DeviceKind { Keyboard, Mouse, Joystick };

struct DeviceObject {
    const GUID* type;   // GUID_XAxis, GUID_Button, GUID_Key, ...
    DWORD id;           // DIDFT_* type bits and DIDFT_MAKEINSTANCE
    DWORD nativeOffset; // where the kind's standard format puts it
    DWORD flags;        // DIDOI_*
    const char* name;
};

// The game port has two sticks; each is a joystick device while plugged in.
constexpr unsigned kSticks = 2;

std::vector<DeviceObject> objectsOf(DeviceKind kind);

// Fills the first dwSize bytes of a device instance (DX3 or later size).
void describeDevice(DeviceKind kind, unsigned stick, DIDEVICEINSTANCEA* instance);
DWORD deviceTypeOf(DeviceKind kind);
GUID stickInstanceGuid(unsigned stick);

// A stick's two axes from 0 to 65535 and its two buttons; false when the
// stick is not plugged in.
struct StickReading {
    DWORD axis[2];
    bool button[2];
};
bool readStick(unsigned stick, StickReading* reading);

// Which device a GUID names: false for none (or an unplugged stick).
bool deviceNamed(REFGUID guid, DeviceKind* kind, unsigned* stick);

} // namespace vtl

#endif
