// A secondary sound buffer of the sound device: shared sound memory plus the
// playing state the mixer reads.
#ifndef VANTREL_PLATFORM_DSOUND_DSOUND_BUFFER_H
#define VANTREL_PLATFORM_DSOUND_DSOUND_BUFFER_H

#include "platform/dsound/audio_engine.h"
#include "platform/dsound/audio_mix.h"

#include <vantrel/win32/dsound.h>

#include <atomic>
#include <memory>
#include <vector>

namespace vtl {

// Sound memory, shared by a buffer and its duplicates.
struct SoundMemory {
    std::unique_ptr<uint8_t[]> bytes;
    DWORD size = 0;
};

class SoundBuffer final : public IDirectSoundBuffer, public MixVoice {
public:
    // Makes a buffer for a checked description; null with `*result` set on
    // failure.
    static SoundBuffer* create(std::shared_ptr<AudioEngine> engine, const DSBUFFERDESC& description,
                               HRESULT* result);
    SoundBuffer* duplicate();

    HRESULT QueryInterface(REFIID iid, LPVOID* object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetCaps(LPDSBCAPS caps) override;
    HRESULT GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) override;
    HRESULT GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) override;
    HRESULT GetVolume(LPLONG volume) override;
    HRESULT GetPan(LPLONG pan) override;
    HRESULT GetFrequency(LPDWORD frequency) override;
    HRESULT GetStatus(LPDWORD status) override;
    HRESULT Initialize(IDirectSound* device, LPCDSBUFFERDESC description) override;
    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD firstBytes, LPVOID* second, LPDWORD secondBytes,
                 DWORD flags) override;
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
    HRESULT SetCurrentPosition(DWORD position) override;
    HRESULT SetFormat(LPCWAVEFORMATEX format) override;
    HRESULT SetVolume(LONG volume) override;
    HRESULT SetPan(LONG pan) override;
    HRESULT SetFrequency(DWORD frequency) override;
    HRESULT Stop() override;
    HRESULT Unlock(LPVOID first, DWORD firstBytes, LPVOID second, DWORD secondBytes) override;
    HRESULT Restore() override;

    HRESULT setNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions);
    bool mix(int32_t* accumulator, uint32_t frames, uint32_t outputRate, std::vector<HANDLE>& signals) override;

    // Marks the buffer lost, as when the output device goes away.
    void lose();

private:
    class Notify final : public IDirectSoundNotify {
    public:
        explicit Notify(SoundBuffer& owner) : owner_(owner) {}
        HRESULT QueryInterface(REFIID iid, LPVOID* object) override { return owner_.QueryInterface(iid, object); }
        ULONG AddRef() override { return owner_.AddRef(); }
        ULONG Release() override { return owner_.Release(); }
        HRESULT SetNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions) override
        {
            return owner_.setNotificationPositions(count, positions);
        }

    private:
        SoundBuffer& owner_;
    };

    SoundBuffer() : notify_(*this) {}
    ~SoundBuffer() = default;
    uint32_t frames() const { return memory_->size / layout_.frameBytes; }
    void stopLocked(std::vector<HANDLE>& signals);

    std::atomic<ULONG> references_{1};
    Notify notify_;
    std::shared_ptr<AudioEngine> engine_;
    std::shared_ptr<SoundMemory> memory_;
    WAVEFORMATEX format_{};
    PcmLayout layout_{};
    DWORD flags_ = 0;

    // Guarded by the engine's mutex.
    MixPosition position_ = 0;
    bool playing_ = false;
    bool looping_ = false;
    bool lost_ = false;
    LONG volume_ = 0;
    LONG pan_ = 0;
    DWORD frequency_ = 0;
    StereoGain gain_{65536, 65536};
    uint64_t step_ = 0;
    std::vector<DSBPOSITIONNOTIFY> notifications_;
};

} // namespace vtl

#endif
