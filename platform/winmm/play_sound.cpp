// PlaySound and sndPlaySound: the process's one "system sound" voice.  Each
// call replaces what it plays; a caller waiting for a SND_SYNC sound is woken
// when its sound ends or is replaced.
#include "platform/dsound/audio_engine.h"
#include "platform/dsound/audio_mix.h"

#include <vantrel/seam/riff_wave.h>
#include <vantrel/win32/files.h>
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/resources.h>
#include <vantrel/win32/synch.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/kernel/trace.h"

namespace vtl {
namespace {

struct Sound {
    std::vector<unsigned char> bytes; // the whole RIFF image
    const unsigned char* data = nullptr;
    uint32_t frames = 0;
    PcmLayout layout{};
};

class SoundPlayer final : public MixVoice {
public:
    // --- guarded by the engine's mutex
    std::shared_ptr<Sound> sound;
    bool loop = false;
    MixPosition position = 0;
    HANDLE ended = nullptr; // set when the sound ends or is replaced

    bool mix(int32_t* accumulator, uint32_t frames, uint32_t outputRate, std::vector<HANDLE>& signals) override
    {
        const MixResult r = mixSound(sound->data, sound->frames, sound->layout, loop, position,
                                     mixStep(sound->layout.rate, outputRate), StereoGain{65536, 65536}, accumulator,
                                     frames);
        if (!r.ended)
            return true;
        if (ended)
            signals.push_back(ended);
        ended = nullptr;
        sound.reset();
        return false;
    }

    // Stops what plays, waking its waiter.
    void stopLocked(AudioEngine& engine)
    {
        engine.stop(this);
        if (ended)
            SetEvent(ended);
        ended = nullptr;
        sound.reset();
    }
};

struct Player {
    std::shared_ptr<AudioEngine> engine;
    SoundPlayer voice;
};

// Null when there is no sound output.  Never destroyed: a game may play or
// stop a sound from its globals' destructors.
Player* player()
{
    static Player* p = [] {
        std::shared_ptr<AudioEngine> engine = AudioEngine::acquire();
        return engine ? new Player{std::move(engine), {}} : nullptr;
    }();
    return p;
}

std::shared_ptr<Sound> soundFrom(std::vector<unsigned char> bytes)
{
    auto sound = std::make_shared<Sound>();
    sound->bytes = std::move(bytes);
    WAVEFORMATEX* format = nullptr;
    unsigned char* data = nullptr;
    DWORD size = 0;
    if (!readRiffWave(sound->bytes.data(), DWORD(sound->bytes.size()), &format, &data, &size) ||
        !layoutFromFormat(*format, &sound->layout))
        return nullptr;
    sound->data = data;
    sound->frames = size / sound->layout.frameBytes;
    return sound;
}

std::shared_ptr<Sound> soundFromMemory(const void* image)
{
    const auto* bytes = static_cast<const unsigned char*>(image);
    if (std::memcmp(bytes, "RIFF", 4) != 0)
        return nullptr;
    DWORD riffSize;
    std::memcpy(&riffSize, bytes + 4, 4);
    return soundFrom(std::vector<unsigned char>(bytes, bytes + 8 + size_t(riffSize)));
}

std::shared_ptr<Sound> soundFromFile(LPCSTR name)
{
    const HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    std::vector<unsigned char> bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    const BOOL ok = ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
    CloseHandle(file);
    if (!ok || read != bytes.size())
        return nullptr;
    return soundFrom(std::move(bytes));
}

void stopSound()
{
    if (Player* p = player()) {
        std::lock_guard<std::mutex> lock(p->engine->mutex());
        p->voice.stopLocked(*p->engine);
    }
}

// A WAVE resource of `module`, read in place.
std::shared_ptr<Sound> soundFromResource(LPCSTR name, HMODULE module)
{
    HRSRC found = FindResourceA(module, name, "WAVE");
    const void* image = found ? LockResource(LoadResource(module, found)) : nullptr;
    if (!image || SizeofResource(module, found) < 12)
        return nullptr;
    return soundFromMemory(image);
}

BOOL playSound(LPCSTR name, HMODULE module, DWORD flags)
{
    if (!name || (flags & SND_PURGE)) {
        stopSound();
        return TRUE;
    }
    const bool resource = (flags & SND_RESOURCE) == SND_RESOURCE;
    if (!resource && (flags & SND_ALIAS)) // the system's sounds: there are none
        return FALSE;
    Player* p = player();
    if (!p)
        return FALSE;
    const std::shared_ptr<Sound> sound = resource                ? soundFromResource(name, module)
                                         : (flags & SND_MEMORY) ? soundFromMemory(name)
                                                                : soundFromFile(name);
    if (!sound)
        return FALSE;
    const bool waits = !(flags & (SND_ASYNC | SND_LOOP));
    const HANDLE ended = waits ? CreateEventA(nullptr, TRUE, FALSE, nullptr) : nullptr;
    {
        std::lock_guard<std::mutex> lock(p->engine->mutex());
        if ((flags & SND_NOSTOP) && p->voice.mixing) {
            if (ended)
                CloseHandle(ended);
            return FALSE;
        }
        p->voice.stopLocked(*p->engine);
        p->voice.sound = sound;
        p->voice.loop = (flags & SND_LOOP) != 0;
        p->voice.position = 0;
        p->voice.ended = ended;
        p->engine->start(&p->voice);
    }
    if (ended) {
        WaitForSingleObject(ended, INFINITE);
        CloseHandle(ended);
    }
    return TRUE;
}

} // namespace
} // namespace vtl

BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags)
{
    VTL_TRACE(winmm, "PlaySoundA", vtl::trace::Atom{(flags & SND_RESOURCE) == SND_MEMORY ? "(memory)" : sound}, module,
              flags);
    return vtlTraceCall_.result(vtl::playSound(sound, module, flags));
}

BOOL sndPlaySoundA(LPCSTR sound, UINT flags)
{
    VTL_TRACE(winmm, "sndPlaySoundA", (flags & SND_MEMORY) ? "(memory)" : sound, flags);
    // sndPlaySound's flags are PlaySound's low ones; a name is a file name.
    return vtlTraceCall_.result(
        vtl::playSound(sound, nullptr, (flags & 0xFFFF) | ((flags & SND_MEMORY) ? 0 : SND_FILENAME)));
}
