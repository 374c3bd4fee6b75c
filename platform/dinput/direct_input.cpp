// DirectInputCreateA/Ex and the input object: which devices there are, and
// making them.
#include "platform/dinput/direct_input.h"

#include "platform/dinput/device_kinds.h"
#include "platform/dinput/input_device.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/window.h>

#include <atomic>
#include <cstring>
#include <new>

namespace vtl {
namespace {

bool sameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

// The published versions of the interface up to the one provided.
HRESULT checkVersion(HINSTANCE instance, DWORD version)
{
    static const DWORD kVersions[] = {0x0300, 0x0500, 0x050A, 0x05B2, 0x0602, 0x061A, 0x0700};
    if (!instance)
        return DIERR_INVALIDPARAM;
    if (version == 0)
        return DIERR_NOTINITIALIZED;
    if (version > 0x0700)
        return DIERR_OLDDIRECTINPUTVERSION;
    for (DWORD known : kVersions)
        if (version == known)
            return DI_OK;
    return DIERR_BETADIRECTINPUTVERSION;
}

bool isInputInterface(REFIID iid)
{
    return sameGuid(iid, IID_IDirectInputA) || sameGuid(iid, IID_IDirectInput2A) || sameGuid(iid, IID_IDirectInput7A);
}

class DirectInput final : public IDirectInput7A {
public:
    // Version 0: made by CoCreateInstance, of no use until Initialize.
    explicit DirectInput(DWORD version) : version_(version) {}

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (sameGuid(iid, IID_IUnknown) || isInputInterface(iid)) {
            AddRef();
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG WINAPI AddRef() override { return ++refs_; }
    ULONG WINAPI Release() override
    {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT WINAPI CreateDevice(REFGUID device, IDirectInputDeviceA** made, LPUNKNOWN outer) override
    {
        VTL_TRACE(user, "IDirectInput::CreateDevice", &device, made, outer);
        if (!made)
            return vtlTraceCall_.result(E_POINTER);
        *made = nullptr;
        if (outer)
            return vtlTraceCall_.result(DIERR_NOAGGREGATION);
        if (!version_)
            return vtlTraceCall_.result(DIERR_NOTINITIALIZED);
        DeviceKind kind;
        unsigned stick;
        if (!deviceNamed(device, &kind, &stick))
            return vtlTraceCall_.result(DIERR_DEVICENOTREG);
        *made = new (std::nothrow) InputDevice(kind, stick, version_);
        return vtlTraceCall_.result(*made ? DI_OK : DIERR_OUTOFMEMORY);
    }

    HRESULT WINAPI EnumDevices(DWORD type, LPDIENUMDEVICESCALLBACKA callback, LPVOID context, DWORD flags) override
    {
        VTL_TRACE(user, "IDirectInput::EnumDevices", type, callback, context, flags);
        const DWORD kFlags = DIEDFL_ATTACHEDONLY | DIEDFL_FORCEFEEDBACK | DIEDFL_INCLUDEALIASES |
                             DIEDFL_INCLUDEPHANTOMS | 0x00040000; // DIEDFL_INCLUDEHIDDEN
        if (!callback || type > DIDEVTYPE_JOYSTICK || (flags & ~kFlags))
            return vtlTraceCall_.result(DIERR_INVALIDPARAM);
        if (!version_)
            return vtlTraceCall_.result(DIERR_NOTINITIALIZED);
        // None of the devices gives force feedback.
        if (flags & DIEDFL_FORCEFEEDBACK)
            return vtlTraceCall_.result(DI_OK);
        struct Candidate {
            DeviceKind kind;
            unsigned stick;
        };
        Candidate candidates[2 + kSticks] = {{DeviceKind::Mouse, 0}, {DeviceKind::Keyboard, 0}};
        unsigned count = 2;
        for (unsigned i = 0; i < kSticks; ++i) {
            StickReading reading;
            if (readStick(i, &reading))
                candidates[count++] = {DeviceKind::Joystick, i};
        }
        for (unsigned i = 0; i < count; ++i) {
            const DWORD deviceType = deviceTypeOf(candidates[i].kind);
            // DIDEVTYPE_DEVICE names devices that are none of the others.
            if (type != 0 && LOBYTE(deviceType) != type)
                continue;
            DIDEVICEINSTANCEA instance;
            instance.dwSize = version_ >= 0x0500 ? sizeof(DIDEVICEINSTANCEA) : sizeof(DIDEVICEINSTANCE_DX3A);
            describeDevice(candidates[i].kind, candidates[i].stick, &instance);
            // Only DIENUM_STOP stops: any other answer goes on.
            if (callback(&instance, context) == DIENUM_STOP)
                break;
        }
        return vtlTraceCall_.result(DI_OK);
    }

    HRESULT WINAPI GetDeviceStatus(REFGUID device) override
    {
        VTL_TRACE(user, "IDirectInput::GetDeviceStatus", &device);
        if (!version_)
            return vtlTraceCall_.result(DIERR_NOTINITIALIZED);
        DeviceKind kind;
        unsigned stick;
        if (deviceNamed(device, &kind, &stick))
            return vtlTraceCall_.result(DI_OK);
        for (unsigned i = 0; i < kSticks; ++i)
            if (sameGuid(device, stickInstanceGuid(i)))
                return vtlTraceCall_.result(DI_NOTATTACHED);
        return vtlTraceCall_.result(DIERR_DEVICENOTREG);
    }

    HRESULT WINAPI RunControlPanel(HWND owner, DWORD flags) override
    {
        VTL_TRACE(user, "IDirectInput::RunControlPanel", owner, flags);
        if (owner && !IsWindow(owner))
            return vtlTraceCall_.result(E_HANDLE);
        if (flags)
            return vtlTraceCall_.result(DIERR_INVALIDPARAM);
        if (!version_)
            return vtlTraceCall_.result(DIERR_NOTINITIALIZED);
        VTL_UNSUPPORTED("IDirectInput::RunControlPanel", "ignored");
        return vtlTraceCall_.result(DI_OK);
    }

    HRESULT WINAPI Initialize(HINSTANCE instance, DWORD version) override
    {
        VTL_TRACE(user, "IDirectInput::Initialize", instance, version);
        const HRESULT result = checkVersion(instance, version);
        if (result == DI_OK)
            version_ = version;
        return vtlTraceCall_.result(result);
    }

    HRESULT WINAPI FindDevice(REFGUID, LPCSTR name, LPGUID instance) override
    {
        VTL_TRACE(user, "IDirectInput2::FindDevice", name, instance);
        // Finding a device by its system path is for HID devices only.
        return vtlTraceCall_.result(name && instance ? DIERR_DEVICENOTREG : DIERR_INVALIDPARAM);
    }

    HRESULT WINAPI CreateDeviceEx(REFGUID device, REFIID iid, LPVOID* made, LPUNKNOWN outer) override
    {
        VTL_TRACE(user, "IDirectInput7::CreateDeviceEx", &device, &iid, made, outer);
        if (!made)
            return vtlTraceCall_.result(E_POINTER);
        IDirectInputDeviceA* created = nullptr;
        HRESULT result = CreateDevice(device, &created, outer);
        *made = nullptr;
        if (FAILED(result))
            return vtlTraceCall_.result(result);
        result = created->QueryInterface(iid, made);
        created->Release();
        return vtlTraceCall_.result(result);
    }

private:
    std::atomic<ULONG> refs_{1};
    DWORD version_;
};

} // namespace

IUnknown* makeUninitializedInput() { return static_cast<IDirectInputA*>(new (std::nothrow) DirectInput(0)); }

} // namespace vtl

HRESULT WINAPI DirectInputCreateEx(HINSTANCE instance, DWORD version, REFIID iid, LPVOID* made, LPUNKNOWN outer)
{
    VTL_TRACE(user, "DirectInputCreateEx", instance, version, &iid, made, outer);
    if (!vtl::isInputInterface(iid))
        return vtlTraceCall_.result(DIERR_NOINTERFACE);
    if (!made)
        return vtlTraceCall_.result(E_POINTER);
    *made = nullptr;
    if (outer)
        return vtlTraceCall_.result(DIERR_NOAGGREGATION);
    if (HRESULT r = vtl::checkVersion(instance, version); r != DI_OK)
        return vtlTraceCall_.result(r);
    vtl::DirectInput* input = new (std::nothrow) vtl::DirectInput(version);
    if (!input)
        return vtlTraceCall_.result(DIERR_OUTOFMEMORY);
    const HRESULT result = input->QueryInterface(iid, made);
    input->Release();
    return vtlTraceCall_.result(result);
}

HRESULT WINAPI DirectInputCreateA(HINSTANCE instance, DWORD version, LPDIRECTINPUTA* made, LPUNKNOWN outer)
{
    VTL_TRACE(user, "DirectInputCreateA", instance, version, made, outer);
    if (!made)
        return vtlTraceCall_.result(E_POINTER);
    void* object = nullptr;
    const HRESULT result = DirectInputCreateEx(instance, version, IID_IDirectInputA, &object, outer);
    *made = static_cast<IDirectInputA*>(object);
    return vtlTraceCall_.result(result);
}
