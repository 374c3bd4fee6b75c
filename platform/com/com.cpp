// CoCreateInstance for the library's own classes, and the class and
// interface ids games name.
#include "platform/dinput/direct_input.h"
#include "platform/dsound/dsound_device.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/dsound.h>
#include <vantrel/win32/objbase.h>

#include <atomic>

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const CLSID CLSID_DirectSound = {0x47D4D946, 0x62E8, 0x11CF, {0x93, 0xBC, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID IID_IDirectSound = {0x279AFA83, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
const IID IID_IDirectSoundBuffer = {0x279AFA85, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
const IID IID_IDirectSoundNotify = {0xB0210783, 0x89CD, 0x11D0, {0xAF, 0x08, 0x00, 0xA0, 0xC9, 0x25, 0xCD, 0x16}};

namespace {
std::atomic<int> gComUsers{0};
}

HRESULT CoInitialize(LPVOID)
{
    VTL_TRACE0(kernel, "CoInitialize");
    return vtlTraceCall_.result(gComUsers++ == 0 ? S_OK : S_FALSE);
}

void CoUninitialize()
{
    VTL_TRACE0(kernel, "CoUninitialize");
    if (gComUsers > 0)
        --gComUsers;
}

HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD, REFIID iid, LPVOID* object)
{
    VTL_TRACE(kernel, "CoCreateInstance", &clsid, outer, &iid, object);
    if (!object)
        return vtlTraceCall_.result(E_POINTER);
    *object = nullptr;
    if (outer)
        return vtlTraceCall_.result(CLASS_E_NOAGGREGATION);
    if (IsEqualCLSID(clsid, CLSID_DirectInput)) {
        IUnknown* input = vtl::makeUninitializedInput();
        if (!input)
            return vtlTraceCall_.result(E_OUTOFMEMORY);
        const HRESULT result = input->QueryInterface(iid, object);
        input->Release();
        return vtlTraceCall_.result(result);
    }
    if (!IsEqualCLSID(clsid, CLSID_DirectSound))
        return vtlTraceCall_.result(REGDB_E_CLASSNOTREG);
    vtl::SoundDevice* device = vtl::SoundDevice::make();
    if (!device)
        return vtlTraceCall_.result(E_OUTOFMEMORY);
    HRESULT result = device->QueryInterface(iid, object);
    device->Release();
    return vtlTraceCall_.result(result);
}

HRESULT DirectSoundCreate(LPCGUID guid, LPDIRECTSOUND* sound, LPUNKNOWN outer)
{
    VTL_TRACE(dsound, "DirectSoundCreate", guid, sound, outer);
    if (!sound)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    *sound = nullptr;
    if (outer)
        return vtlTraceCall_.result(DSERR_NOAGGREGATION);
    vtl::SoundDevice* device = vtl::SoundDevice::make();
    if (!device)
        return vtlTraceCall_.result(DSERR_OUTOFMEMORY);
    HRESULT result = device->Initialize(guid);
    if (FAILED(result)) {
        device->Release();
        return vtlTraceCall_.result(result);
    }
    *sound = device;
    return vtlTraceCall_.result(DS_OK);
}
