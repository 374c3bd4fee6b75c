// The devices fed as a player would feed them: keys, pointer and wheel
// through the headless backend, sticks through a game port the test holds.
#include <vantrel/seam/game_port.h>
#include <vantrel/win32/dinput.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include "platform/backends/headless/headless_testing.h"
#include "support/window_recorder.h"

#include <cstring>

using namespace vtl;
namespace headless = vtl::testing::headless;

namespace {

HINSTANCE program() { return GetModuleHandleA(nullptr); }

struct Devices {
    Devices()
    {
        window = recorder.create(WS_POPUP | WS_VISIBLE, 0, 0, 320, 200);
        EXPECT_EQ(DirectInputCreateA(program(), 0x0500, &input, nullptr), DI_OK);
    }
    ~Devices()
    {
        input->Release();
        DestroyWindow(window);
    }
    LPDIRECTINPUTDEVICE make(REFGUID guid, const DIDATAFORMAT& format, DWORD level, DWORD buffer = 0)
    {
        LPDIRECTINPUTDEVICE device = nullptr;
        EXPECT_EQ(input->CreateDevice(guid, &device, nullptr), DI_OK);
        EXPECT_EQ(device->SetDataFormat(&format), DI_OK);
        EXPECT_EQ(device->SetCooperativeLevel(window, level), DI_OK);
        if (buffer) {
            DIPROPDWORD size = {{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, buffer};
            EXPECT_EQ(device->SetProperty(DIPROP_BUFFERSIZE, &size.diph), DI_OK);
        }
        return device;
    }

    WindowRecorder recorder;
    HWND window = nullptr;
    LPDIRECTINPUT input = nullptr;
};

constexpr DWORD kForeground = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;

// A game port whose sticks the test moves.
class TestPort final : public GamePortSource {
public:
    GamePortSample sample() override
    {
        GamePortSample s{{kTimerNeverEnds, kTimerNeverEnds, kTimerNeverEnds, kTimerNeverEnds}, kButtonsReleased};
        if (plugged) {
            s.timerReads[0] = axisToCount(x);
            s.timerReads[1] = axisToCount(y);
            if (fire)
                s.buttonBits = uint8_t(s.buttonBits & ~gamePortButtonBit(0, 0));
        }
        return s;
    }
    bool plugged = true;
    int x = 0, y = 0; // -32768 .. 32767
    bool fire = false;
};

} // namespace

TEST(DeviceInput, KeyboardSeesKeysWithoutTheQueueBeingRead)
{
    Devices d;
    LPDIRECTINPUTDEVICE keyboard = d.make(GUID_SysKeyboard, c_dfDIKeyboard, kForeground, 8);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DI_NOEFFECT);

    headless::key(d.window, VK_SPACE, true);
    headless::key(d.window, VK_LEFT, true);
    headless::key(d.window, VK_LEFT, true, true); // auto-repeat is no change
    headless::key(d.window, 'Q', true);
    headless::key(d.window, 'Q', false);
    headless::key(d.window, VK_CONTROL, true, false, true); // the right-hand Ctrl
    BYTE keys[256];
    ASSERT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DI_OK);
    EXPECT_EQ(keys[DIK_RCONTROL], 0x80);
    EXPECT_EQ(keys[DIK_LCONTROL], 0);
    EXPECT_EQ(keys[DIK_SPACE], 0x80);
    EXPECT_EQ(keys[DIK_LEFT], 0x80);
    EXPECT_EQ(keys[DIK_Q], 0);
    EXPECT_EQ(keys[DIK_A], 0);

    DIDEVICEOBJECTDATA data[8];
    DWORD count = 8;
    ASSERT_EQ(keyboard->GetDeviceData(sizeof data[0], data, &count, 0), DI_OK);
    ASSERT_EQ(count, 5u);
    EXPECT_EQ(data[0].dwOfs, DWORD(DIK_SPACE));
    EXPECT_EQ(data[1].dwOfs, DWORD(DIK_LEFT));
    EXPECT_EQ(data[2].dwOfs, DWORD(DIK_Q));
    EXPECT_EQ(data[2].dwData, 0x80u);
    EXPECT_EQ(data[3].dwData, 0u);
    EXPECT_TRUE(DISEQUENCE_COMPARE(data[2].dwSequence, <, data[3].dwSequence));
    keyboard->Unacquire();
    EXPECT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DIERR_NOTACQUIRED);
    keyboard->Release();
}

TEST(DeviceInput, BufferKeepsTheOldestChangesAndReportsTheOverflowOnce)
{
    Devices d;
    LPDIRECTINPUTDEVICE keyboard = d.make(GUID_SysKeyboard, c_dfDIKeyboard, kForeground, 3);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    for (int vk : {'A', 'B', 'C', 'D'})
        headless::typeKey(d.window, vk);

    DWORD count = INFINITE;
    ASSERT_EQ(keyboard->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &count, DIGDD_PEEK), DI_BUFFEROVERFLOW);
    EXPECT_EQ(count, 3u);
    DIDEVICEOBJECTDATA data[3];
    count = 1;
    ASSERT_EQ(keyboard->GetDeviceData(sizeof data[0], data, &count, 0), DI_BUFFEROVERFLOW);
    EXPECT_EQ(data[0].dwOfs, DWORD(DIK_A));
    count = 3;
    ASSERT_EQ(keyboard->GetDeviceData(sizeof data[0], data, &count, 0), DI_OK);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(data[0].dwOfs, DWORD(DIK_A)); // A's release
    EXPECT_EQ(data[1].dwOfs, DWORD(DIK_B));

    // A flush takes everything without copying.
    headless::typeKey(d.window, 'E');
    count = INFINITE;
    EXPECT_EQ(keyboard->GetDeviceData(sizeof data[0], nullptr, &count, 0), DI_OK);
    EXPECT_EQ(count, 2u);
    count = 3;
    EXPECT_EQ(keyboard->GetDeviceData(sizeof data[0], data, &count, 0), DI_OK);
    EXPECT_EQ(count, 0u);
    keyboard->Release();
}

TEST(DeviceInput, MouseReportsMotionSinceTheLastReadAndItsButtons)
{
    Devices d;
    LPDIRECTINPUTDEVICE mouse = d.make(GUID_SysMouse, c_dfDIMouse, DISCL_EXCLUSIVE | DISCL_FOREGROUND, 16);
    ASSERT_EQ(mouse->Acquire(), DI_OK);
    headless::mouseMotion(d.window, 5, -3);
    headless::mouseMotion(d.window, 2, 0);
    headless::mouseWheel(d.window, -120);
    headless::mouseButton(d.window, kRightButton, true, 10, 10);
    DIMOUSESTATE state;
    ASSERT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 7);
    EXPECT_EQ(state.lY, -3);
    EXPECT_EQ(state.lZ, -120);
    EXPECT_EQ(state.rgbButtons[0], 0);
    EXPECT_EQ(state.rgbButtons[1], 0x80);
    ASSERT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 0);
    EXPECT_EQ(state.rgbButtons[1], 0x80);

    // One motion's two axes share a sequence number.
    DIDEVICEOBJECTDATA data[16];
    DWORD count = 16;
    ASSERT_EQ(mouse->GetDeviceData(sizeof data[0], data, &count, 0), DI_OK);
    ASSERT_EQ(count, 5u);
    EXPECT_EQ(data[0].dwOfs, DWORD(DIMOFS_X));
    EXPECT_EQ(LONG(data[0].dwData), 5);
    EXPECT_EQ(data[1].dwOfs, DWORD(DIMOFS_Y));
    EXPECT_EQ(data[0].dwSequence, data[1].dwSequence);
    EXPECT_EQ(data[4].dwOfs, DWORD(DIMOFS_BUTTON1));

    // In absolute mode the axes add up from where acquisition started.
    mouse->Unacquire();
    DIPROPDWORD mode = {{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, DIPROPAXISMODE_ABS};
    ASSERT_EQ(mouse->SetProperty(DIPROP_AXISMODE, &mode.diph), DI_OK);
    ASSERT_EQ(mouse->Acquire(), DI_OK);
    headless::mouseMotion(d.window, 4, 4);
    headless::mouseMotion(d.window, 4, 4);
    ASSERT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
    ASSERT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 8);
    mouse->Release();
}

TEST(DeviceInput, ForegroundDevicesLoseTheirWindowsFocus)
{
    Devices d;
    LPDIRECTINPUTDEVICE keyboard = d.make(GUID_SysKeyboard, c_dfDIKeyboard, kForeground);
    LPDIRECTINPUTDEVICE background = d.make(GUID_SysKeyboard, c_dfDIKeyboard, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    ASSERT_EQ(background->Acquire(), DI_OK);
    HANDLE changed = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    background->Unacquire();
    ASSERT_EQ(background->SetEventNotification(changed), DI_OK);
    ASSERT_EQ(background->Acquire(), DI_OK);

    headless::userFocus(d.window, false);
    BYTE keys[256];
    EXPECT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DIERR_NOTACQUIRED);
    EXPECT_EQ(keyboard->Acquire(), DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(background->GetDeviceState(sizeof keys, keys), DI_OK);
    headless::key(d.window, VK_RETURN, true);
    EXPECT_EQ(WaitForSingleObject(changed, 0), WAIT_OBJECT_0);

    headless::userFocus(d.window, true);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    headless::key(d.window, VK_RETURN, false);
    keyboard->Release();
    background->Release();
    CloseHandle(changed);
}

TEST(DeviceInput, AnExclusiveDeviceKeepsOthersFromTakingItExclusively)
{
    Devices d;
    LPDIRECTINPUTDEVICE first = d.make(GUID_SysMouse, c_dfDIMouse2, DISCL_EXCLUSIVE | DISCL_FOREGROUND);
    LPDIRECTINPUTDEVICE second = d.make(GUID_SysMouse, c_dfDIMouse2, DISCL_EXCLUSIVE | DISCL_FOREGROUND);
    LPDIRECTINPUTDEVICE shared = d.make(GUID_SysMouse, c_dfDIMouse2, kForeground);
    ASSERT_EQ(first->Acquire(), DI_OK);
    EXPECT_EQ(second->Acquire(), DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(shared->Acquire(), DI_OK);
    first->Release(); // releasing unacquires
    EXPECT_EQ(second->Acquire(), DI_OK);
    second->Release();
    shared->Release();
}

TEST(DeviceInput, SticksOfTheGamePortWithRangeDeadZoneAndPolling)
{
    TestPort port;
    GamePortSource* previous = setGamePortSource(&port);
    Devices d;
    GUID stick = {};
    auto collect = [](LPCDIDEVICEINSTANCEA instance, LPVOID context) -> BOOL {
        *static_cast<GUID*>(context) = instance->guidInstance;
        return DIENUM_CONTINUE;
    };
    ASSERT_EQ(d.input->EnumDevices(DIDEVTYPE_JOYSTICK, collect, &stick, DIEDFL_ATTACHEDONLY), DI_OK);
    ASSERT_NE(stick.Data1, 0u);
    LPDIRECTINPUTDEVICE joystick = d.make(stick, c_dfDIJoystick, kForeground, 8);

    DIPROPRANGE range = {{sizeof(DIPROPRANGE), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, -1000, 1000};
    ASSERT_EQ(joystick->SetProperty(DIPROP_RANGE, &range.diph), DI_OK);
    DIPROPDWORD dead = {{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), DIJOFS_Y, DIPH_BYOFFSET}, 5000};
    ASSERT_EQ(joystick->SetProperty(DIPROP_DEADZONE, &dead.diph), DI_OK);
    range = {{sizeof(DIPROPRANGE), sizeof(DIPROPHEADER), DIJOFS_X, DIPH_BYOFFSET}, 0, 0};
    ASSERT_EQ(joystick->GetProperty(DIPROP_RANGE, &range.diph), DI_OK);
    EXPECT_EQ(range.lMin, -1000);
    EXPECT_EQ(range.lMax, 1000);

    port.x = 32767;
    port.y = 8192; // a quarter of the way: inside the dead zone
    ASSERT_EQ(joystick->Acquire(), DI_OK);
    DIJOYSTATE state;
    ASSERT_EQ(joystick->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 1000);
    EXPECT_EQ(state.lY, 0);
    EXPECT_EQ(state.rgdwPOV[0], 0xFFFFFFFFu); // no hat: centred
    EXPECT_EQ(state.rgbButtons[0], 0);

    // Poll is IDirectInputDevice2's.
    LPDIRECTINPUTDEVICE2 polled = nullptr;
    ASSERT_EQ(joystick->QueryInterface(IID_IDirectInputDevice2, reinterpret_cast<void**>(&polled)), DI_OK);
    port.fire = true;
    EXPECT_EQ(polled->Poll(), DI_OK);
    DIDEVICEOBJECTDATA data[8];
    DWORD count = 8;
    ASSERT_EQ(joystick->GetDeviceData(sizeof data[0], data, &count, 0), DI_OK);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(data[0].dwOfs, DWORD(DIJOFS_BUTTON0));
    EXPECT_EQ(data[0].dwData, 0x80u);

    port.plugged = false;
    EXPECT_EQ(polled->Poll(), DIERR_INPUTLOST);
    EXPECT_EQ(polled->Poll(), DIERR_NOTACQUIRED);
    polled->Release();
    EXPECT_EQ(d.input->GetDeviceStatus(stick), DI_NOTATTACHED);
    joystick->Release();
    setGamePortSource(previous);
}

TEST(DeviceInput, AGamesOwnDataFormatPutsEachObjectWhereItSays)
{
    Devices d;
    // Two keys and nothing else, as a game reading only its fire keys does.
    DIOBJECTDATAFORMAT fireKeys[] = {
        {&GUID_Key, 0, DIDFT_BUTTON | DIDFT_MAKEINSTANCE(DIK_SPACE), 0},
        {&GUID_Key, 1, DIDFT_BUTTON | DIDFT_MAKEINSTANCE(DIK_LCONTROL), 0},
    };
    const DIDATAFORMAT format = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), 0, 4, 2, fireKeys};
    LPDIRECTINPUTDEVICE keyboard = d.make(GUID_SysKeyboard, format, kForeground, 4);
    DIDEVICEOBJECTINSTANCE object = {};
    object.dwSize = sizeof object;
    ASSERT_EQ(keyboard->GetObjectInfo(&object, 1, DIPH_BYOFFSET), DI_OK);
    EXPECT_EQ(object.dwType & DIDFT_INSTANCEMASK, DWORD(DIDFT_MAKEINSTANCE(DIK_LCONTROL)));
    EXPECT_EQ(keyboard->GetObjectInfo(&object, 2, DIPH_BYOFFSET), DIERR_OBJECTNOTFOUND);

    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    headless::key(d.window, 'A', true);
    headless::key(d.window, VK_SPACE, true);
    BYTE state[4] = {1, 1, 1, 1};
    ASSERT_EQ(keyboard->GetDeviceState(sizeof state, state), DI_OK);
    EXPECT_EQ(state[0], 0x80);
    EXPECT_EQ(state[1], 0);
    EXPECT_EQ(state[2], 0); // outside every object: zero
    DIDEVICEOBJECTDATA data[4];
    DWORD count = 4;
    ASSERT_EQ(keyboard->GetDeviceData(sizeof data[0], data, &count, 0), DI_OK);
    ASSERT_EQ(count, 1u); // A is in no slot of the format
    EXPECT_EQ(data[0].dwOfs, 0u);
    keyboard->Release();

    // A required object the device lacks, or one outside the data, is
    // refused; an optional one is left out.
    LPDIRECTINPUTDEVICE mouse = nullptr;
    ASSERT_EQ(d.input->CreateDevice(GUID_SysMouse, &mouse, nullptr), DI_OK);
    DIOBJECTDATAFORMAT hat[] = {{&GUID_POV, 0, DIDFT_POV | DIDFT_ANYINSTANCE, 0}};
    DIDATAFORMAT withHat = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), 0, 4, 1, hat};
    EXPECT_EQ(mouse->SetDataFormat(&withHat), DIERR_INVALIDPARAM);
    hat[0].dwType |= DIDFT_OPTIONAL;
    EXPECT_EQ(mouse->SetDataFormat(&withHat), DI_OK);
    DIOBJECTDATAFORMAT beyond[] = {{&GUID_XAxis, 4, DIDFT_AXIS | DIDFT_ANYINSTANCE, 0}};
    DIDATAFORMAT tooSmall = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), 0, 4, 1, beyond};
    EXPECT_EQ(mouse->SetDataFormat(&tooSmall), DIERR_INVALIDPARAM);
    mouse->Release();
}
