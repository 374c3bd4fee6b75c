#include "support/manual_audio.h"

#include "platform/backends/headless/headless_testing.h"
#include "platform/dsound/audio_engine.h"

#include <cstdlib>

ManualAudio::ManualAudio()
{
    setenv("VANTREL_AUDIO", "headless", 1);
    vtl::testing::headless::useManualAudioClock(true);
}

ManualAudio::~ManualAudio()
{
    engine_.reset();
    vtl::testing::headless::useManualAudioClock(false);
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
