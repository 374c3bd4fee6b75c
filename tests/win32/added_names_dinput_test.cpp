// Every name added for the input devices and the clipboard, called from
// source that compiles unchanged against the real Windows headers and
// against the compatibility headers.
#define DIRECTINPUT_VERSION 0x0700
#include <windows.h>
#include <dinput.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

BOOL CALLBACK countDevice(LPCDIDEVICEINSTANCE, LPVOID context)
{
    ++*static_cast<int*>(context);
    return DIENUM_CONTINUE;
}

BOOL CALLBACK countObject(LPCDIDEVICEOBJECTINSTANCE, LPVOID context)
{
    ++*static_cast<int*>(context);
    return DIENUM_CONTINUE;
}

LRESULT CALLBACK plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makeWindow()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = plainProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "AddedNamesInput";
    RegisterClassExA(&windowClass);
    return CreateWindowExA(0, "AddedNamesInput", "input", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST(AddedNames, DirectInputGroup)
{
    HWND window = makeWindow();
    ASSERT_NE(window, nullptr);
    LPDIRECTINPUT input = nullptr;
    ASSERT_EQ(DirectInputCreate(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, &input, nullptr), DI_OK);
    LPDIRECTINPUT7 input7 = nullptr;
    ASSERT_EQ(DirectInputCreateEx(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput7,
                                  reinterpret_cast<LPVOID*>(&input7), nullptr),
              DI_OK);
    LPDIRECTINPUT2 input2 = nullptr;
    ASSERT_EQ(input->QueryInterface(IID_IDirectInput2, reinterpret_cast<LPVOID*>(&input2)), DI_OK);
    int devices = 0;
    EXPECT_EQ(input->EnumDevices(0, countDevice, &devices, DIEDFL_ATTACHEDONLY), DI_OK);
    EXPECT_GE(devices, 2);
    EXPECT_EQ(input->GetDeviceStatus(GUID_SysMouse), DI_OK);
    EXPECT_EQ(input->Initialize(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION), DI_OK);
    GUID found;
    input2->FindDevice(GUID_Joystick, "no such device", &found);

    LPDIRECTINPUTDEVICE keyboard = nullptr;
    ASSERT_EQ(input->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr), DI_OK);
    ASSERT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    ASSERT_EQ(keyboard->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    DIPROPDWORD buffer = {};
    buffer.diph.dwSize = sizeof buffer;
    buffer.diph.dwHeaderSize = sizeof buffer.diph;
    buffer.diph.dwHow = DIPH_DEVICE;
    buffer.dwData = 16;
    EXPECT_EQ(keyboard->SetProperty(DIPROP_BUFFERSIZE, &buffer.diph), DI_OK);
    EXPECT_EQ(keyboard->GetProperty(DIPROP_BUFFERSIZE, &buffer.diph), DI_OK);
    DIDEVCAPS caps = {};
    caps.dwSize = sizeof caps;
    EXPECT_EQ(keyboard->GetCapabilities(&caps), DI_OK);
    int objects = 0;
    EXPECT_EQ(keyboard->EnumObjects(countObject, &objects, DIDFT_BUTTON), DI_OK);
    EXPECT_GT(objects, 80);
    DIDEVICEOBJECTINSTANCE object = {};
    object.dwSize = sizeof object;
    EXPECT_EQ(keyboard->GetObjectInfo(&object, DIK_ESCAPE, DIPH_BYOFFSET), DI_OK);
    DIDEVICEINSTANCE instance = {};
    instance.dwSize = sizeof instance;
    EXPECT_EQ(keyboard->GetDeviceInfo(&instance), DI_OK);
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    EXPECT_EQ(keyboard->SetEventNotification(event), DI_OK);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    BYTE keys[256];
    EXPECT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DI_OK);
    DIDEVICEOBJECTDATA data[16];
    DWORD count = 16;
    EXPECT_TRUE(SUCCEEDED(keyboard->GetDeviceData(sizeof data[0], data, &count, DIGDD_PEEK)));
    EXPECT_EQ(keyboard->Unacquire(), DI_OK);
    keyboard->SetEventNotification(nullptr);
    CloseHandle(event);

    LPDIRECTINPUTDEVICE2 mouse = nullptr;
    ASSERT_EQ(input7->CreateDeviceEx(GUID_SysMouse, IID_IDirectInputDevice2, reinterpret_cast<LPVOID*>(&mouse),
                                     nullptr),
              DI_OK);
    EXPECT_EQ(mouse->SetDataFormat(&c_dfDIMouse2), DI_OK);
    EXPECT_EQ(mouse->SetDataFormat(&c_dfDIMouse), DI_OK);
    DIPROPDWORD mode = {};
    mode.diph.dwSize = sizeof mode;
    mode.diph.dwHeaderSize = sizeof mode.diph;
    mode.diph.dwHow = DIPH_DEVICE;
    mode.dwData = DIPROPAXISMODE_REL;
    EXPECT_EQ(mouse->SetProperty(DIPROP_AXISMODE, &mode.diph), DI_OK);
    EXPECT_EQ(mouse->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    ASSERT_EQ(mouse->Acquire(), DI_OK);
    EXPECT_TRUE(SUCCEEDED(mouse->Poll()));
    DIMOUSESTATE state;
    EXPECT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
    mouse->Unacquire();

    // Every object of the joystick formats is optional: any device takes them.
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIJoystick), DI_OK);
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIJoystick2), DI_OK);
    DIJOYSTATE2 joystick;
    EXPECT_EQ(sizeof joystick.rgbButtons, 128u);
    EXPECT_EQ(DIJOFS_BUTTON(3), DIJOFS_BUTTON3);

    mouse->Release();
    keyboard->Release();
    input2->Release();
    input7->Release();
    input->Release();
    DestroyWindow(window);
}

TEST(AddedNames, ClipboardGroup)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(EmptyClipboard());
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(text), "added", 6);
    GlobalUnlock(text);
    EXPECT_EQ(SetClipboardData(CF_TEXT, text), text);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_GE(CountClipboardFormats(), 1);
    HANDLE held = GetClipboardData(CF_TEXT);
    ASSERT_NE(held, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(held)), "added");
    GlobalUnlock(held);
    EXPECT_EQ(GetClipboardOwner(), nullptr);
    EXPECT_TRUE(CloseClipboard());
}
