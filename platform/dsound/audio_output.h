// The sound output interface, one implementation per backend.  An output
// pulls mixed 16-bit stereo frames from the engine at its own pace.
#ifndef VANTREL_PLATFORM_DSOUND_AUDIO_OUTPUT_H
#define VANTREL_PLATFORM_DSOUND_AUDIO_OUTPUT_H

#include <cstdint>
#include <memory>

namespace vtl {

class AudioEngine;

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    virtual uint32_t rate() const = 0;
    // Frames the output takes per mixing call: how far ahead of the play
    // cursors the mixer works.
    virtual uint32_t periodFrames() const = 0;
    // Starts pulling from the engine; stop() returns once no mixing call is
    // running any more.
    virtual void start() = 0;
    virtual void stop() = 0;
};

// The backends (platform/backends/).  Null when unavailable.
std::unique_ptr<AudioOutput> openSdlAudioOutput(AudioEngine& engine);
// Consumes frames in real time; `wavPath`, when given, receives everything
// mixed as a 16-bit stereo WAV file.
std::unique_ptr<AudioOutput> openHeadlessAudioOutput(AudioEngine& engine, const char* wavPath);

} // namespace vtl

#endif
