// The mixer's inner loop: one sound's PCM frames added into a 32-bit stereo
// accumulator, converted, resampled and scaled on the way.
#ifndef VANTREL_PLATFORM_DSOUND_AUDIO_MIX_H
#define VANTREL_PLATFORM_DSOUND_AUDIO_MIX_H

#include <vantrel/win32/mmsystem.h>

#include <cstdint>

namespace vtl {

enum class SampleKind : uint8_t { U8, S16, F32 };

// A PCM layout the mixer reads.
struct PcmLayout {
    SampleKind kind;
    uint8_t channels;   // 1 or 2
    uint16_t frameBytes; // nBlockAlign
    uint32_t rate;       // nSamplesPerSec
};

// Checks a wave format the device can play: integer PCM of 8 or 16 bits or
// 32-bit float, one or two channels, a block alignment of whole frames and a
// rate inside the device's range.
bool layoutFromFormat(const WAVEFORMATEX& format, PcmLayout* layout);

// Q16 gains: 65536 passes samples unchanged.
struct StereoGain {
    int32_t left;
    int32_t right;
};
// Volume and pan in hundredths of a decibel.  A side attenuated to -10000 or
// below is silent.
StereoGain gainFromVolumePan(int32_t volume, int32_t pan);

// Position in source frames, 32.32 fixed point.
typedef uint64_t MixPosition;
// The position step per output frame for a source rate played at an output
// rate (1 << 32 when they are equal: no interpolation).
uint64_t mixStep(uint32_t sourceRate, uint32_t outputRate);

struct MixResult {
    uint32_t produced;   // output frames written into the accumulator
    uint64_t advanced;   // source frames the position moved past, wraps included
    bool ended;          // a sound played once reached its end
};

// Adds up to `outFrames` frames of sound into `accumulator` (interleaved
// left/right).  `data` holds `frames` whole frames.  Looping sounds wrap
// exactly at the last frame (the frame after it is frame 0, also for
// interpolation); others stop at the end, interpolating towards silence, and
// leave the position at `frames` << 32.
MixResult mixSound(const uint8_t* data, uint32_t frames, const PcmLayout& layout, bool loop, MixPosition& position,
                   uint64_t step, StereoGain gain, int32_t* accumulator, uint32_t outFrames);

// Clamps the accumulator to 16-bit interleaved stereo.
void clampToS16(const int32_t* accumulator, int16_t* out, uint32_t frames);

} // namespace vtl

#endif
