// The process's one sound output and its mixer, shared by every sound device
// object and the CD audio device.
#ifndef VANTREL_PLATFORM_DSOUND_AUDIO_ENGINE_H
#define VANTREL_PLATFORM_DSOUND_AUDIO_ENGINE_H

#include "platform/dsound/audio_output.h"

#include <vantrel/win32/types.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace vtl {

// Something the mixer plays.  Its state is guarded by the engine's mutex.
class MixVoice {
public:
    virtual ~MixVoice() = default;
    // Adds up to `frames` output frames into `accumulator` (interleaved
    // stereo, 32-bit).  Events to signal go into `signals` (they are set once
    // the mutex is released).  Returns false when the voice has finished and
    // leaves the mixer.
    virtual bool mix(int32_t* accumulator, uint32_t frames, uint32_t outputRate, std::vector<HANDLE>& signals) = 0;
    bool mixing = false; // in the engine's list
};

class AudioEngine {
public:
    // The engine, opening the output chosen by VANTREL_AUDIO on first use.
    // Null when no output could be opened.
    static std::shared_ptr<AudioEngine> acquire();
    ~AudioEngine();

    uint32_t rate() const { return rate_; }
    uint32_t periodFrames() const { return period_; }

    // Guards every voice's state and the list of playing voices.
    std::mutex& mutex() { return mutex_; }
    // With the mutex held.
    void start(MixVoice* voice);
    void stop(MixVoice* voice);

    // Mixes `frames` frames of 16-bit stereo into `out` (called by outputs).
    void mix(int16_t* out, uint32_t frames);

private:
    AudioEngine() = default;
    std::mutex mutex_;
    std::vector<MixVoice*> voices_;
    std::vector<int32_t> accumulator_;
    std::vector<HANDLE> signals_;
    std::vector<HANDLE> firing_;
    std::unique_ptr<AudioOutput> output_;
    uint32_t rate_ = 44100;
    uint32_t period_ = 441;
};

} // namespace vtl

#endif
