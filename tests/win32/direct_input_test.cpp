// Making the input object and its devices as games do, misuse included,
// and loading it by name.
#define DIRECTINPUT_VERSION 0x0700
#include <windows.h>
#include <dinput.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "support/wine.h"

namespace {

typedef HRESULT(WINAPI* DirectInputCreateCall)(HINSTANCE, DWORD, LPDIRECTINPUT*, LPUNKNOWN);

struct Enumeration {
    int calls = 0;
    BOOL answer = DIENUM_CONTINUE;
};

BOOL CALLBACK countDevices(LPCDIDEVICEINSTANCE, LPVOID context)
{
    Enumeration* e = static_cast<Enumeration*>(context);
    ++e->calls;
    return e->answer;
}

} // namespace

TEST(DirectInput, VersionsGamesSetAndTheOnesRefused)
{
    const HINSTANCE program = GetModuleHandleA(nullptr);
    for (DWORD version : {0x0300u, 0x0500u, 0x050Au, 0x05B2u, 0x0602u, 0x061Au, 0x0700u}) {
        LPDIRECTINPUT input = nullptr;
        ASSERT_EQ(DirectInputCreate(program, version, &input, nullptr), DI_OK) << std::hex << version;
        input->Release();
    }
    LPDIRECTINPUT input = reinterpret_cast<LPDIRECTINPUT>(1);
    EXPECT_EQ(DirectInputCreate(program, 0x0701, &input, nullptr), DIERR_OLDDIRECTINPUTVERSION);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(DirectInputCreate(program, 0x06FF, &input, nullptr), DIERR_BETADIRECTINPUTVERSION);
    EXPECT_EQ(DirectInputCreate(program, 0, &input, nullptr), DIERR_NOTINITIALIZED);
    EXPECT_EQ(DirectInputCreate(nullptr, DIRECTINPUT_VERSION, &input, nullptr), DIERR_INVALIDPARAM);
    LPVOID any = nullptr;
    EXPECT_EQ(DirectInputCreateEx(program, DIRECTINPUT_VERSION, IID_IUnknown, &any, nullptr), DIERR_NOINTERFACE);
    EXPECT_EQ(DirectInputCreateEx(program, DIRECTINPUT_VERSION, IID_IDirectInputDevice, &any, nullptr),
              DIERR_NOINTERFACE);
}

TEST(DirectInput, DevicesEnumeratedAndMadeByTheirGuids)
{
    LPDIRECTINPUT input = nullptr;
    ASSERT_EQ(DirectInputCreate(GetModuleHandleA(nullptr), 0x0500, &input, nullptr), DI_OK);
    Enumeration all;
    EXPECT_EQ(input->EnumDevices(0, countDevices, &all, 0), DI_OK);
    EXPECT_GE(all.calls, 2);
    // Only DIENUM_STOP stops.
    Enumeration other;
    other.answer = 42;
    EXPECT_EQ(input->EnumDevices(0, countDevices, &other, 0), DI_OK);
    EXPECT_EQ(other.calls, all.calls);
    Enumeration once;
    once.answer = DIENUM_STOP;
    EXPECT_EQ(input->EnumDevices(0, countDevices, &once, 0), DI_OK);
    EXPECT_EQ(once.calls, 1);
    Enumeration keyboards;
    EXPECT_EQ(input->EnumDevices(DIDEVTYPE_KEYBOARD, countDevices, &keyboards, DIEDFL_ATTACHEDONLY), DI_OK);
    EXPECT_GE(keyboards.calls, 1);
    EXPECT_EQ(input->EnumDevices(0, nullptr, nullptr, 0), DIERR_INVALIDPARAM);
    EXPECT_EQ(input->EnumDevices(0xDEADBEEF, countDevices, &all, 0), DIERR_INVALIDPARAM);

    LPDIRECTINPUTDEVICE device = reinterpret_cast<LPDIRECTINPUTDEVICE>(1);
    EXPECT_EQ(input->CreateDevice(GUID_Unknown, &device, nullptr), DIERR_DEVICENOTREG);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(input->CreateDevice(GUID_SysMouse, nullptr, nullptr), E_POINTER);
    ASSERT_EQ(input->CreateDevice(GUID_SysMouse, &device, nullptr), DI_OK);

    // A device needs a data format before it is acquired, and keeps it
    // while acquired.
    EXPECT_EQ(device->Acquire(), DIERR_INVALIDPARAM);
    DIMOUSESTATE state;
    EXPECT_EQ(device->GetDeviceState(sizeof state, &state), DIERR_NOTACQUIRED);
    DIDATAFORMAT wrong = c_dfDIMouse;
    wrong.dwObjSize = 4;
    EXPECT_EQ(device->SetDataFormat(&wrong), DIERR_INVALIDPARAM);
    ASSERT_EQ(device->SetDataFormat(&c_dfDIMouse), DI_OK);
    EXPECT_EQ(device->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    EXPECT_EQ(device->SetCooperativeLevel(nullptr, DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
              DIERR_INVALIDPARAM);
    ASSERT_EQ(device->Acquire(), DI_OK);
    EXPECT_EQ(device->SetDataFormat(&c_dfDIMouse2), DIERR_ACQUIRED);
    EXPECT_EQ(device->GetDeviceState(sizeof(DIMOUSESTATE2), &state), DIERR_INVALIDPARAM);
    DWORD count = 1;
    DIDEVICEOBJECTDATA data;
    EXPECT_EQ(device->GetDeviceData(sizeof data, &data, &count, 0), DIERR_NOTBUFFERED);
    DIPROPDWORD buffer = {};
    buffer.diph.dwSize = sizeof buffer;
    buffer.diph.dwHeaderSize = sizeof buffer.diph;
    buffer.diph.dwHow = DIPH_DEVICE;
    buffer.dwData = 8;
    EXPECT_EQ(device->SetProperty(DIPROP_BUFFERSIZE, &buffer.diph), DIERR_ACQUIRED);
    DIPROPDWORD mode = buffer;
    if (!runningUnderWine()) { // Wine's mouse gives DIERR_UNSUPPORTED for the axis mode
        ASSERT_EQ(device->GetProperty(DIPROP_AXISMODE, &mode.diph), DI_OK);
        EXPECT_EQ(mode.dwData, DWORD(DIPROPAXISMODE_REL)); // c_dfDIMouse's
    }
    LPDIRECTINPUTDEVICE2 polled = nullptr;
    ASSERT_EQ(device->QueryInterface(IID_IDirectInputDevice2, reinterpret_cast<LPVOID*>(&polled)), DI_OK);
    if (!runningUnderWine()) { // Wine answers DI_OK for a device that needs no polling
        EXPECT_EQ(polled->Poll(), DI_NOEFFECT);
    }
    polled->Release();
    EXPECT_EQ(device->Unacquire(), DI_OK);
    EXPECT_EQ(device->Unacquire(), DI_NOEFFECT);
    device->Release();
    input->Release();
}

TEST(DirectInput, MadeThroughTheComponentModelItWaitsForInitialize)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    LPDIRECTINPUT input = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_DirectInput, nullptr, CLSCTX_INPROC_SERVER, IID_IDirectInput,
                               reinterpret_cast<LPVOID*>(&input)),
              S_OK);
    LPDIRECTINPUTDEVICE device = reinterpret_cast<LPDIRECTINPUTDEVICE>(1);
    EXPECT_EQ(input->CreateDevice(GUID_SysMouse, &device, nullptr), DIERR_NOTINITIALIZED);
    EXPECT_EQ(device, nullptr);
    Enumeration none;
    EXPECT_EQ(input->EnumDevices(0, countDevices, &none, 0), DIERR_NOTINITIALIZED);
    EXPECT_EQ(none.calls, 0);
    EXPECT_EQ(input->GetDeviceStatus(GUID_SysMouse), DIERR_NOTINITIALIZED);

    const HINSTANCE program = GetModuleHandleA(nullptr);
    EXPECT_EQ(input->Initialize(nullptr, DIRECTINPUT_VERSION), DIERR_INVALIDPARAM);
    EXPECT_EQ(input->Initialize(program, 0x0123), DIERR_BETADIRECTINPUTVERSION);
    EXPECT_EQ(input->Initialize(program, 0xCAFE), DIERR_OLDDIRECTINPUTVERSION);
    ASSERT_EQ(input->Initialize(program, 0x0500), DI_OK);
    ASSERT_EQ(input->CreateDevice(GUID_SysMouse, &device, nullptr), DI_OK);
    device->Release();
    input->Release();
    CoUninitialize();
}

TEST(DirectInput, LoadedByNameAsGamesThatDoNotLinkItDo)
{
    const HMODULE library = LoadLibraryA("dinput.dll");
    ASSERT_NE(library, nullptr);
    const DirectInputCreateCall create = reinterpret_cast<DirectInputCreateCall>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "DirectInputCreateA")));
    ASSERT_NE(create, nullptr);
    EXPECT_NE(GetProcAddress(library, "DirectInputCreateEx"), nullptr);
    LPDIRECTINPUT input = nullptr;
    ASSERT_EQ(create(GetModuleHandleA(nullptr), 0x0300, &input, nullptr), DI_OK);
    input->Release();
    FreeLibrary(library);
}
