// The shared sound output: opens the output the backend table chooses, owns
// the voice list and runs the mix for whichever output pulls.
#include "platform/dsound/audio_engine.h"

#include "platform/dsound/audio_mix.h"
#include "platform/backends/backend_table.h"

#include <vantrel/win32/synch.h>

#include <algorithm>

namespace vtl {

namespace {
// Never destroyed: sound devices are made and released from the destructors
// of a game's globals too, which may run after this file's statics are gone.
struct EngineSlot {
    std::mutex lock;
    std::weak_ptr<AudioEngine> engine;
};

EngineSlot& engineSlot()
{
    static auto* slot = new EngineSlot;
    return *slot;
}
} // namespace

std::shared_ptr<AudioEngine> AudioEngine::acquire()
{
    EngineSlot& slot = engineSlot();
    std::lock_guard<std::mutex> lock(slot.lock);
    if (auto engine = slot.engine.lock())
        return engine;
    std::shared_ptr<AudioEngine> engine(new AudioEngine);
    // VANTREL_AUDIO=sdl|headless|wav:PATH, else SDL when a device opens,
    // else headless.
    engine->output_ = chooseAudio(*engine);
    if (!engine->output_)
        return nullptr;
    engine->rate_ = engine->output_->rate();
    engine->period_ = engine->output_->periodFrames();
    engine->output_->start();
    slot.engine = engine;
    return engine;
}

AudioEngine::~AudioEngine()
{
    if (output_)
        output_->stop();
}

void AudioEngine::start(MixVoice* voice)
{
    if (voice->mixing)
        return;
    voice->mixing = true;
    voices_.push_back(voice);
}

void AudioEngine::stop(MixVoice* voice)
{
    if (!voice->mixing)
        return;
    voice->mixing = false;
    voices_.erase(std::find(voices_.begin(), voices_.end(), voice));
}

void AudioEngine::mix(int16_t* out, uint32_t frames)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (accumulator_.size() < size_t(frames) * 2)
        accumulator_.resize(size_t(frames) * 2);
    std::fill_n(accumulator_.begin(), size_t(frames) * 2, 0);
    signals_.clear();
    // A voice that finishes is removed in place; the ones after it shift.
    for (size_t i = 0; i < voices_.size();) {
        MixVoice* voice = voices_[i];
        if (voice->mix(accumulator_.data(), frames, rate_, signals_)) {
            ++i;
        } else {
            voice->mixing = false;
            voices_.erase(voices_.begin() + i);
        }
    }
    clampToS16(accumulator_.data(), out, frames);
    // Outputs call mix from one thread at a time, so firing_ needs no lock;
    // the events are set after the mutex is released so that a thread woken
    // by one can call into the device at once.
    firing_.swap(signals_);
    lock.unlock();
    for (HANDLE event : firing_)
        SetEvent(event);
    firing_.clear();
}

} // namespace vtl
