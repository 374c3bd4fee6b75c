// The device calls this platform does not provide: force feedback, the
// control panel, output to the device.  Each says so once.
#include "platform/dinput/input_device.h"

#include "platform/kernel/trace.h"

namespace vtl {

HRESULT InputDevice::RunControlPanel(HWND, DWORD)
{
    VTL_TRACE0(user, "IDirectInputDevice::RunControlPanel");
    VTL_UNSUPPORTED("IDirectInputDevice::RunControlPanel", "ignored");
    return vtlTraceCall_.result(DI_OK);
}

HRESULT InputDevice::Initialize(HINSTANCE instance, DWORD version, REFGUID)
{
    VTL_TRACE(user, "IDirectInputDevice::Initialize", instance, version);
    // Made initialised by CreateDevice: a second Initialize changes nothing.
    return vtlTraceCall_.result(instance ? DI_OK : DIERR_INVALIDPARAM);
}

HRESULT InputDevice::CreateEffect(REFGUID, LPCDIEFFECT, LPDIRECTINPUTEFFECT* made, LPUNKNOWN)
{
    VTL_TRACE0(user, "IDirectInputDevice::CreateEffect");
    VTL_UNSUPPORTED("IDirectInputDevice::CreateEffect", "fails");
    if (made)
        *made = nullptr;
    return vtlTraceCall_.result(DIERR_UNSUPPORTED);
}

HRESULT InputDevice::EnumEffects(LPDIENUMEFFECTSCALLBACKA callback, LPVOID, DWORD)
{
    VTL_TRACE0(user, "IDirectInputDevice::EnumEffects");
    return vtlTraceCall_.result(callback ? DI_OK : DIERR_INVALIDPARAM); // there are none
}

HRESULT InputDevice::GetEffectInfo(LPDIEFFECTINFOA, REFGUID)
{
    VTL_TRACE0(user, "IDirectInputDevice::GetEffectInfo");
    return vtlTraceCall_.result(DIERR_DEVICENOTREG);
}

HRESULT InputDevice::GetForceFeedbackState(LPDWORD)
{
    VTL_TRACE0(user, "IDirectInputDevice::GetForceFeedbackState");
    return vtlTraceCall_.result(DIERR_UNSUPPORTED);
}

HRESULT InputDevice::SendForceFeedbackCommand(DWORD)
{
    VTL_TRACE0(user, "IDirectInputDevice::SendForceFeedbackCommand");
    return vtlTraceCall_.result(DIERR_UNSUPPORTED);
}

HRESULT InputDevice::EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK callback, LPVOID, DWORD)
{
    VTL_TRACE0(user, "IDirectInputDevice::EnumCreatedEffectObjects");
    return vtlTraceCall_.result(callback ? DI_OK : DIERR_INVALIDPARAM);
}

HRESULT InputDevice::Escape(LPDIEFFESCAPE)
{
    VTL_TRACE0(user, "IDirectInputDevice::Escape");
    return vtlTraceCall_.result(DIERR_UNSUPPORTED);
}

HRESULT InputDevice::SendDeviceData(DWORD, LPCDIDEVICEOBJECTDATA, LPDWORD count, DWORD)
{
    VTL_TRACE0(user, "IDirectInputDevice::SendDeviceData");
    VTL_UNSUPPORTED("IDirectInputDevice::SendDeviceData", "fails");
    if (count)
        *count = 0;
    return vtlTraceCall_.result(DIERR_UNSUPPORTED);
}

HRESULT InputDevice::EnumEffectsInFile(LPCSTR, LPDIENUMEFFECTSINFILECALLBACK, LPVOID, DWORD)
{
    VTL_TRACE0(user, "IDirectInputDevice::EnumEffectsInFile");
    return vtlTraceCall_.result(DIERR_UNSUPPORTED);
}

HRESULT InputDevice::WriteEffectToFile(LPCSTR, DWORD, LPDIFILEEFFECT, DWORD)
{
    VTL_TRACE0(user, "IDirectInputDevice::WriteEffectToFile");
    return vtlTraceCall_.result(DIERR_UNSUPPORTED);
}

} // namespace vtl
