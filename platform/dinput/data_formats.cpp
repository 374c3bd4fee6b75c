// The standard data formats, laid out as Windows' own: the mouse's x and y
// axes and first two buttons are required, every other object optional
// (every one of the joystick formats'), so that a device lacking the rest
// still takes the format.
#include <vantrel/win32/dinput.h>

namespace {

constexpr DWORD kAnyAxis = DIDFT_AXIS | DIDFT_ANYINSTANCE;
constexpr DWORD kAnyButton = DIDFT_BUTTON | DIDFT_ANYINSTANCE | DIDFT_OPTIONAL;

template <unsigned N>
struct Objects {
    DIOBJECTDATAFORMAT item[N];
};

constexpr Objects<256> keyboardObjects()
{
    Objects<256> k{};
    for (DWORD i = 0; i < 256; ++i)
        k.item[i] = {&GUID_Key, i, DIDFT_BUTTON | DIDFT_OPTIONAL | DIDFT_MAKEINSTANCE(i), 0};
    return k;
}

template <unsigned Buttons>
constexpr Objects<3 + Buttons> mouseObjects()
{
    Objects<3 + Buttons> m{};
    m.item[0] = {&GUID_XAxis, DIMOFS_X, kAnyAxis, 0};
    m.item[1] = {&GUID_YAxis, DIMOFS_Y, kAnyAxis, 0};
    m.item[2] = {&GUID_ZAxis, DIMOFS_Z, kAnyAxis | DIDFT_OPTIONAL, 0};
    for (DWORD i = 0; i < Buttons; ++i)
        m.item[3 + i] = {nullptr, DWORD(DIMOFS_BUTTON0 + i), i < 2 ? kAnyButton & ~DIDFT_OPTIONAL : kAnyButton, 0};
    return m;
}

// The six axes and two sliders of one aspect, from `offset` on.
template <unsigned N>
constexpr unsigned putAxes(Objects<N>& j, unsigned at, DWORD offset, DWORD aspect)
{
    const GUID* const kAxes[] = {&GUID_XAxis, &GUID_YAxis, &GUID_ZAxis, &GUID_RxAxis, &GUID_RyAxis, &GUID_RzAxis,
                                 &GUID_Slider, &GUID_Slider};
    for (DWORD i = 0; i < 8; ++i)
        j.item[at++] = {kAxes[i], DWORD(offset + i * 4), kAnyAxis | DIDFT_OPTIONAL, aspect};
    return at;
}

template <unsigned Buttons, unsigned N>
constexpr Objects<N> joystickObjects()
{
    Objects<N> j{};
    unsigned at = putAxes(j, 0, DWORD(DIJOFS_X), DIDOI_ASPECTPOSITION);
    for (DWORD i = 0; i < 4; ++i)
        j.item[at++] = {&GUID_POV, DWORD(DIJOFS_POV(i)), DIDFT_POV | DIDFT_ANYINSTANCE | DIDFT_OPTIONAL, 0};
    for (DWORD i = 0; i < Buttons; ++i)
        j.item[at++] = {nullptr, DWORD(DIJOFS_BUTTON(i)), kAnyButton, 0};
    if (N > at) {
        at = putAxes(j, at, offsetof(DIJOYSTATE2, lVX), DIDOI_ASPECTVELOCITY);
        at = putAxes(j, at, offsetof(DIJOYSTATE2, lAX), DIDOI_ASPECTACCEL);
        putAxes(j, at, offsetof(DIJOYSTATE2, lFX), DIDOI_ASPECTFORCE);
    }
    return j;
}

Objects<256> gKeyboard = keyboardObjects();
Objects<7> gMouse = mouseObjects<4>();
Objects<11> gMouse2 = mouseObjects<8>();
Objects<44> gJoystick = joystickObjects<32, 44>();
Objects<164> gJoystick2 = joystickObjects<128, 164>();

} // namespace

const DIDATAFORMAT c_dfDIKeyboard = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), DIDF_RELAXIS, 256, 256,
                                     gKeyboard.item};
const DIDATAFORMAT c_dfDIMouse = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), DIDF_RELAXIS,
                                  sizeof(DIMOUSESTATE), 7, gMouse.item};
const DIDATAFORMAT c_dfDIMouse2 = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), DIDF_RELAXIS,
                                   sizeof(DIMOUSESTATE2), 11, gMouse2.item};
const DIDATAFORMAT c_dfDIJoystick = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), DIDF_ABSAXIS,
                                     sizeof(DIJOYSTATE), 44, gJoystick.item};
const DIDATAFORMAT c_dfDIJoystick2 = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), DIDF_ABSAXIS,
                                      sizeof(DIJOYSTATE2), 164, gJoystick2.item};
