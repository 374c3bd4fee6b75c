// The class, interface, device and object ids of the input interfaces, as
// Windows numbers them.
#include <vantrel/win32/dinput.h>

namespace {
// The ids of the first interfaces share their last eight bytes.
constexpr GUID inputGuid(uint32_t first, uint16_t second, uint16_t third)
{
    return {first, second, third, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
}
} // namespace

const CLSID CLSID_DirectInput = inputGuid(0x25E609E0, 0xB259, 0x11CF);
const CLSID CLSID_DirectInputDevice = inputGuid(0x25E609E1, 0xB259, 0x11CF);
const IID IID_IDirectInputA = inputGuid(0x89521360, 0xAA8A, 0x11CF);
const IID IID_IDirectInput2A = inputGuid(0x5944E662, 0xAA8A, 0x11CF);
const IID IID_IDirectInput7A = {0x9A4CB684, 0x236D, 0x11D3, {0x8E, 0x9D, 0x00, 0xC0, 0x4F, 0x68, 0x44, 0xAE}};
const IID IID_IDirectInputDeviceA = inputGuid(0x5944E680, 0xC92E, 0x11CF);
const IID IID_IDirectInputDevice2A = inputGuid(0x5944E682, 0xC92E, 0x11CF);
const IID IID_IDirectInputDevice7A = {0x57D7C6BC, 0x2356, 0x11D3, {0x8E, 0x9D, 0x00, 0xC0, 0x4F, 0x68, 0x44, 0xAE}};

const GUID GUID_SysMouse = inputGuid(0x6F1D2B60, 0xD5A0, 0x11CF);
const GUID GUID_SysKeyboard = inputGuid(0x6F1D2B61, 0xD5A0, 0x11CF);
const GUID GUID_Joystick = inputGuid(0x6F1D2B70, 0xD5A0, 0x11CF);
const GUID GUID_XAxis = inputGuid(0xA36D02E0, 0xC9F3, 0x11CF);
const GUID GUID_YAxis = inputGuid(0xA36D02E1, 0xC9F3, 0x11CF);
const GUID GUID_ZAxis = inputGuid(0xA36D02E2, 0xC9F3, 0x11CF);
const GUID GUID_RxAxis = inputGuid(0xA36D02F4, 0xC9F3, 0x11CF);
const GUID GUID_RyAxis = inputGuid(0xA36D02F5, 0xC9F3, 0x11CF);
const GUID GUID_RzAxis = inputGuid(0xA36D02E3, 0xC9F3, 0x11CF);
const GUID GUID_Slider = inputGuid(0xA36D02E4, 0xC9F3, 0x11CF);
const GUID GUID_Button = inputGuid(0xA36D02F0, 0xC9F3, 0x11CF);
const GUID GUID_Key = inputGuid(0x55728220, 0xD33C, 0x11CF);
const GUID GUID_POV = inputGuid(0xA36D02F2, 0xC9F3, 0x11CF);
const GUID GUID_Unknown = inputGuid(0xA36D02F3, 0xC9F3, 0x11CF);

// Only their addresses matter (see MAKEDIPROP).
const GUID vantrelInputProperties[32] = {};
