#include "support/manual_audio.h"

#include "platform/dsound/audio_engine.h"
#include "platform/dsound/audio_output.h"

#include <cstdlib>

ManualAudio::ManualAudio()
{
    setenv("VANTREL_AUDIO", "headless", 1);
    vtl::setHeadlessAudioManualClock(true);
}

ManualAudio::~ManualAudio()
{
    engine_.reset();
    vtl::setHeadlessAudioManualClock(false);
}

std::vector<int16_t> ManualAudio::pull(uint32_t frames)
{
    // The engine a device opened; held so that it outlives this pull.
    if (!engine_)
        engine_ = vtl::AudioEngine::acquire();
    std::vector<int16_t> out(size_t(frames) * 2);
    engine_->mix(out.data(), frames);
    return out;
}

uint32_t ManualAudio::period() const
{
    return engine_ ? engine_->periodFrames() : 441;
}
