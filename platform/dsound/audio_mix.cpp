// The mixer's inner loop.  One specialisation per sample layout, each with a
// path for sounds played at the output rate (a plain scaled add) and one for
// resampled sounds (linear interpolation over runs that need no bounds
// test); the frame at the end of the data is handled on its own.
#include "platform/dsound/audio_mix.h"

#include <vantrel/win32/dsound.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vtl {
namespace {

template <SampleKind K>
struct Sample;

template <>
struct Sample<SampleKind::U8> {
    static constexpr unsigned bytes = 1;
    static int32_t read(const uint8_t* p) { return (int32_t(*p) - 128) * 256; }
};

template <>
struct Sample<SampleKind::S16> {
    static constexpr unsigned bytes = 2;
    static int32_t read(const uint8_t* p)
    {
        int16_t v;
        std::memcpy(&v, p, 2); // sound data in an archive need not be aligned
        return v;
    }
};

template <>
struct Sample<SampleKind::F32> {
    static constexpr unsigned bytes = 4;
    static int32_t read(const uint8_t* p)
    {
        float v;
        std::memcpy(&v, p, 4);
        float s = v * 32768.0f;
        if (!(s > -32768.0f)) // also catches NaN
            return -32768;
        return s < 32767.0f ? int32_t(s) : 32767;
    }
};

template <SampleKind K, int C>
struct Frame {
    static constexpr unsigned stride = Sample<K>::bytes * C;
    static void read(const uint8_t* data, uint32_t frame, int32_t& left, int32_t& right)
    {
        const uint8_t* p = data + size_t(frame) * stride;
        left = Sample<K>::read(p);
        right = C == 2 ? Sample<K>::read(p + Sample<K>::bytes) : left;
    }
};

inline void add(int32_t* out, int32_t left, int32_t right, StereoGain g)
{
    out[0] += (left * g.left) >> 16;
    out[1] += (right * g.right) >> 16;
}

inline int32_t lerp(int32_t a, int32_t b, uint32_t fraction15)
{
    return a + (((b - a) * int32_t(fraction15)) >> 15);
}

template <SampleKind K, int C>
MixResult mixAtOutputRate(const uint8_t* data, uint32_t frames, bool loop, MixPosition& position, StereoGain g,
                          int32_t* acc, uint32_t outFrames)
{
    MixResult r{0, 0, false};
    uint32_t f = uint32_t(position >> 32);
    while (r.produced < outFrames) {
        uint32_t n = std::min(outFrames - r.produced, frames - f);
        int32_t* out = acc + size_t(r.produced) * 2;
        const uint8_t* p = data + size_t(f) * Frame<K, C>::stride;
        for (uint32_t i = 0; i < n; ++i, p += Frame<K, C>::stride, out += 2) {
            int32_t left = Sample<K>::read(p);
            int32_t right = C == 2 ? Sample<K>::read(p + Sample<K>::bytes) : left;
            add(out, left, right, g);
        }
        r.produced += n;
        r.advanced += n;
        f += n;
        if (f == frames) {
            if (!loop) {
                r.ended = true;
                break;
            }
            f = 0;
        }
    }
    position = MixPosition(f) << 32;
    return r;
}

template <SampleKind K, int C>
MixResult mixResampled(const uint8_t* data, uint32_t frames, bool loop, MixPosition& position, uint64_t step,
                       StereoGain g, int32_t* acc, uint32_t outFrames)
{
    MixResult r{0, 0, false};
    const uint64_t end = uint64_t(frames) << 32;
    const uint64_t lastFrame = uint64_t(frames - 1) << 32; // below it, frame + 1 is inside the data
    uint64_t p = position;
    while (r.produced < outFrames) {
        uint64_t before = p >> 32;
        int32_t* out = acc + size_t(r.produced) * 2;
        uint32_t n;
        if (p < lastFrame) {
            uint64_t fit = (lastFrame - p + step - 1) / step;
            n = uint32_t(std::min<uint64_t>(fit, outFrames - r.produced));
            for (uint32_t i = 0; i < n; ++i, p += step, out += 2) {
                uint32_t f = uint32_t(p >> 32);
                uint32_t t = uint32_t(p >> 17) & 0x7FFF;
                int32_t l0, r0, l1, r1;
                Frame<K, C>::read(data, f, l0, r0);
                Frame<K, C>::read(data, f + 1, l1, r1);
                add(out, lerp(l0, l1, t), lerp(r0, r1, t), g);
            }
        } else {
            uint32_t t = uint32_t(p >> 17) & 0x7FFF;
            int32_t l0, r0, l1 = 0, r1 = 0;
            Frame<K, C>::read(data, frames - 1, l0, r0);
            if (loop)
                Frame<K, C>::read(data, 0, l1, r1);
            add(out, lerp(l0, l1, t), lerp(r0, r1, t), g);
            p += step;
            n = 1;
        }
        r.produced += n;
        if (p >= end) {
            if (!loop) {
                r.advanced += frames - before;
                r.ended = true;
                p = end;
                break;
            }
            r.advanced += (p >> 32) - before;
            p %= end;
        } else {
            r.advanced += (p >> 32) - before;
        }
    }
    position = p;
    return r;
}

template <SampleKind K, int C>
MixResult mixLayout(const uint8_t* data, uint32_t frames, bool loop, MixPosition& position, uint64_t step,
                    StereoGain g, int32_t* acc, uint32_t outFrames)
{
    if (step == (uint64_t(1) << 32) && (position & 0xFFFFFFFFu) == 0)
        return mixAtOutputRate<K, C>(data, frames, loop, position, g, acc, outFrames);
    return mixResampled<K, C>(data, frames, loop, position, step, g, acc, outFrames);
}

} // namespace

bool layoutFromFormat(const WAVEFORMATEX& format, PcmLayout* layout)
{
    WORD tag = format.wFormatTag, bits = format.wBitsPerSample, channels = format.nChannels;
    SampleKind kind;
    if (tag == WAVE_FORMAT_PCM && bits == 8)
        kind = SampleKind::U8;
    else if (tag == WAVE_FORMAT_PCM && bits == 16)
        kind = SampleKind::S16;
    else if (tag == WAVE_FORMAT_IEEE_FLOAT && bits == 32)
        kind = SampleKind::F32;
    else
        return false;
    if (channels < 1 || channels > 2 || format.nBlockAlign != channels * bits / 8)
        return false;
    if (format.nSamplesPerSec < DSBFREQUENCY_MIN || format.nSamplesPerSec > DSBFREQUENCY_MAX)
        return false;
    if (layout)
        *layout = PcmLayout{kind, uint8_t(channels), format.nBlockAlign, format.nSamplesPerSec};
    return true;
}

StereoGain gainFromVolumePan(int32_t volume, int32_t pan)
{
    volume = std::clamp(volume, int32_t(DSBVOLUME_MIN), int32_t(DSBVOLUME_MAX));
    pan = std::clamp(pan, int32_t(DSBPAN_LEFT), int32_t(DSBPAN_RIGHT));
    auto gain = [](int32_t hundredthsDb) -> int32_t {
        if (hundredthsDb <= DSBVOLUME_MIN)
            return 0;
        return int32_t(std::lround(65536.0 * std::pow(10.0, hundredthsDb / 2000.0)));
    };
    return StereoGain{gain(volume - std::max(pan, 0)), gain(volume + std::min(pan, 0))};
}

uint64_t mixStep(uint32_t sourceRate, uint32_t outputRate)
{
    // Rounded to nearest, so that long plays drift as little as possible.
    return ((uint64_t(sourceRate) << 32) + outputRate / 2) / outputRate;
}

MixResult mixSound(const uint8_t* data, uint32_t frames, const PcmLayout& layout, bool loop, MixPosition& position,
                   uint64_t step, StereoGain gain, int32_t* accumulator, uint32_t outFrames)
{
    if (frames == 0 || outFrames == 0 || step == 0)
        return MixResult{0, 0, frames == 0 && !loop};
    const uint64_t end = uint64_t(frames) << 32;
    if (position >= end) {
        if (!loop) {
            position = end;
            return MixResult{0, 0, true};
        }
        position %= end;
    }
    bool stereo = layout.channels == 2;
    switch (layout.kind) {
    case SampleKind::U8:
        return stereo ? mixLayout<SampleKind::U8, 2>(data, frames, loop, position, step, gain, accumulator, outFrames)
                      : mixLayout<SampleKind::U8, 1>(data, frames, loop, position, step, gain, accumulator, outFrames);
    case SampleKind::S16:
        return stereo ? mixLayout<SampleKind::S16, 2>(data, frames, loop, position, step, gain, accumulator, outFrames)
                      : mixLayout<SampleKind::S16, 1>(data, frames, loop, position, step, gain, accumulator, outFrames);
    case SampleKind::F32:
        return stereo ? mixLayout<SampleKind::F32, 2>(data, frames, loop, position, step, gain, accumulator, outFrames)
                      : mixLayout<SampleKind::F32, 1>(data, frames, loop, position, step, gain, accumulator, outFrames);
    }
    return MixResult{0, 0, false};
}

void clampToS16(const int32_t* accumulator, int16_t* out, uint32_t frames)
{
    for (uint32_t i = 0; i < frames * 2; ++i)
        out[i] = int16_t(std::clamp(accumulator[i], int32_t(-32768), int32_t(32767)));
}

} // namespace vtl
