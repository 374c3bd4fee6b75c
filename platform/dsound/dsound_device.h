// The sound device object behind IDirectSound.
#ifndef VANTREL_PLATFORM_DSOUND_DSOUND_DEVICE_H
#define VANTREL_PLATFORM_DSOUND_DSOUND_DEVICE_H

#include "platform/dsound/audio_engine.h"

#include <vantrel/win32/dsound.h>

#include <atomic>
#include <memory>

namespace vtl {

class SoundDevice final : public IDirectSound {
public:
    // An uninitialised device with one reference, or null without memory.
    static SoundDevice* make();

    HRESULT QueryInterface(REFIID iid, LPVOID* object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, IDirectSoundBuffer** buffer, LPUNKNOWN outer) override;
    HRESULT GetCaps(LPDSCAPS caps) override;
    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate) override;
    HRESULT SetCooperativeLevel(HWND window, DWORD level) override;
    HRESULT Compact() override;
    HRESULT GetSpeakerConfig(LPDWORD config) override;
    HRESULT SetSpeakerConfig(DWORD config) override;
    HRESULT Initialize(LPCGUID device) override;

private:
    SoundDevice() = default;
    ~SoundDevice() = default;
    std::atomic<ULONG> references_{1};
    std::shared_ptr<AudioEngine> engine_;
    DWORD level_ = 0;
    DWORD speakers_ = 0;
};

} // namespace vtl

#endif
