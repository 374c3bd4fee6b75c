// The SDL sound output: one SDL audio device, asked for 16-bit stereo (SDL
// converts to whatever the hardware takes), whose callback runs the mixer.
#include "platform/backends/sdl/sdl_backend.h"
#include "platform/backends/sdl/sdl_startup.h"
#include "platform/dsound/audio_engine.h"
#include "platform/dsound/audio_output.h"
#include "platform/host/page_hooks.h"

#include <SDL.h>

namespace vtl {
namespace {

class SdlOutput final : public AudioOutput {
public:
    explicit SdlOutput(AudioEngine& engine) : engine_(engine) {}
    ~SdlOutput() override
    {
        stop();
        if (device_)
            SDL_CloseAudioDevice(device_);
        if (subsystem_)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool open()
    {
        prepareSdl();
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        subsystem_ = true;
        SDL_AudioSpec want{};
        want.freq = 44100;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 1024;
        want.callback = &SdlOutput::callback;
        want.userdata = this;
        SDL_AudioSpec have{};
        // Only the rate may differ: the mixer resamples to whatever it is.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (device_ == 0)
            return false;
        rate_ = uint32_t(have.freq);
        period_ = have.samples ? have.samples : 1024;
        return true;
    }

    uint32_t rate() const override { return rate_; }
    uint32_t periodFrames() const override { return period_; }
    void start() override { SDL_PauseAudioDevice(device_, 0); }
    void stop() override
    {
        if (device_)
            SDL_PauseAudioDevice(device_, 1);
        // Once paused, SDL runs no callback after this lock is released.
        if (device_) {
            SDL_LockAudioDevice(device_);
            SDL_UnlockAudioDevice(device_);
        }
    }

private:
    static void SDLCALL callback(void* self, Uint8* stream, int bytes)
    {
        SdlOutput& output = *static_cast<SdlOutput*>(self);
        output.engine_.mix(reinterpret_cast<int16_t*>(stream), uint32_t(bytes) / 4);
        host::pageSoundMixed(reinterpret_cast<const int16_t*>(stream), uint32_t(bytes) / 4, output.rate_);
    }

    AudioEngine& engine_;
    SDL_AudioDeviceID device_ = 0;
    bool subsystem_ = false;
    uint32_t rate_ = 44100;
    uint32_t period_ = 1024;
};

} // namespace

std::unique_ptr<AudioOutput> openSdlAudio(AudioEngine& engine, const char*)
{
    std::unique_ptr<SdlOutput> output(new SdlOutput(engine));
    if (!output->open())
        return nullptr;
    return output;
}

} // namespace vtl
