// The sound output interface, one implementation per backend (opened by the
// backend table's chooser).  An output pulls mixed 16-bit stereo frames from
// the engine at its own pace.
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

} // namespace vtl

#endif
