// The sound device object: opens the shared output and makes buffers.
#include "platform/dsound/dsound_device.h"

#include "platform/dsound/dsound_buffer.h"
#include "platform/kernel/trace.h"

#include <new>

namespace vtl {

HRESULT SoundDevice::QueryInterface(REFIID iid, LPVOID* object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDirectSound))
        return E_NOINTERFACE;
    *object = static_cast<IDirectSound*>(this);
    AddRef();
    return S_OK;
}

ULONG SoundDevice::AddRef()
{
    return ++references_;
}

ULONG SoundDevice::Release()
{
    ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT SoundDevice::CreateSoundBuffer(LPCDSBUFFERDESC description, IDirectSoundBuffer** buffer, LPUNKNOWN outer)
{
    VTL_TRACE(dsound, "IDirectSound::CreateSoundBuffer", this, description, buffer, outer);
    if (!buffer)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    *buffer = nullptr;
    if (outer)
        return vtlTraceCall_.result(DSERR_NOAGGREGATION);
    if (!engine_)
        return vtlTraceCall_.result(DSERR_UNINITIALIZED);
    if (level_ == 0)
        return vtlTraceCall_.result(DSERR_PRIOLEVELNEEDED);
    if (!description)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    HRESULT result;
    *buffer = SoundBuffer::create(engine_, *description, &result);
    return vtlTraceCall_.result(result);
}

HRESULT SoundDevice::GetCaps(LPDSCAPS caps)
{
    VTL_TRACE(dsound, "IDirectSound::GetCaps", this, caps);
    if (!caps || caps->dwSize != sizeof(DSCAPS))
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    if (!engine_)
        return vtlTraceCall_.result(DSERR_UNINITIALIZED);
    caps->dwFlags = 0;
    caps->dwMinSecondarySampleRate = DSBFREQUENCY_MIN;
    caps->dwMaxSecondarySampleRate = DSBFREQUENCY_MAX;
    caps->dwPrimaryBuffers = 0;
    caps->dwMaxHwMixingAllBuffers = 0;
    caps->dwFreeHwMixingAllBuffers = 0;
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundDevice::DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate)
{
    VTL_TRACE(dsound, "IDirectSound::DuplicateSoundBuffer", this, original, duplicate);
    if (!duplicate)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    *duplicate = nullptr;
    if (!engine_)
        return vtlTraceCall_.result(DSERR_UNINITIALIZED);
    // Every buffer of this interface is one of ours: the device makes them all.
    auto* source = static_cast<SoundBuffer*>(original);
    if (!source)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    *duplicate = source->duplicate();
    return vtlTraceCall_.result(*duplicate ? DS_OK : DSERR_OUTOFMEMORY);
}

HRESULT SoundDevice::SetCooperativeLevel(HWND window, DWORD level)
{
    VTL_TRACE(dsound, "IDirectSound::SetCooperativeLevel", this, window, level);
    if (!engine_)
        return vtlTraceCall_.result(DSERR_UNINITIALIZED);
    if (!window || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    level_ = level;
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundDevice::Compact()
{
    return engine_ ? DS_OK : DSERR_UNINITIALIZED;
}

HRESULT SoundDevice::GetSpeakerConfig(LPDWORD config)
{
    if (!config)
        return DSERR_INVALIDPARAM;
    if (!engine_)
        return DSERR_UNINITIALIZED;
    *config = speakers_;
    return DS_OK;
}

HRESULT SoundDevice::SetSpeakerConfig(DWORD config)
{
    VTL_TRACE(dsound, "IDirectSound::SetSpeakerConfig", this, config);
    if (!engine_)
        return vtlTraceCall_.result(DSERR_UNINITIALIZED);
    speakers_ = config;
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundDevice::Initialize(LPCGUID)
{
    if (engine_)
        return DSERR_ALREADYINITIALIZED;
    engine_ = AudioEngine::acquire();
    return engine_ ? DS_OK : DSERR_NODRIVER;
}

SoundDevice* SoundDevice::make()
{
    return new (std::nothrow) SoundDevice;
}

} // namespace vtl
