// The mixer's inner loop on known sounds: conversion of every layout,
// volume and pan, exact loop points and interpolation.
#include "platform/dsound/audio_mix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

using namespace vtl;

namespace {

const StereoGain kUnity{65536, 65536};
const uint64_t kSame = uint64_t(1) << 32;

std::vector<int32_t> mixOnce(const std::vector<uint8_t>& data, const PcmLayout& layout, bool loop,
                             MixPosition& position, uint64_t step, StereoGain gain, uint32_t outFrames,
                             MixResult* result = nullptr)
{
    std::vector<int32_t> acc(outFrames * 2, 0);
    MixResult r = mixSound(data.data(), uint32_t(data.size() / layout.frameBytes), layout, loop, position, step,
                           gain, acc.data(), outFrames);
    if (result)
        *result = r;
    return acc;
}

std::vector<uint8_t> s16(const std::vector<int16_t>& v)
{
    std::vector<uint8_t> b(v.size() * 2);
    std::memcpy(b.data(), v.data(), b.size());
    return b;
}

} // namespace

TEST(AudioMix, EveryLayoutReachesSixteenBitStereoUnchanged)
{
    MixPosition p = 0;
    // 8-bit unsigned: 0x80 is silence, one step is 256 in 16 bits.
    auto u8 = mixOnce({0x80, 0x81, 0x00, 0xFF}, {SampleKind::U8, 1, 1, 44100}, false, p, kSame, kUnity, 4);
    EXPECT_EQ(u8, (std::vector<int32_t>{0, 0, 256, 256, -32768, -32768, 32512, 32512}));

    p = 0;
    auto stereo = mixOnce(s16({100, -200, 300, -400}), {SampleKind::S16, 2, 4, 44100}, false, p, kSame, kUnity, 2);
    EXPECT_EQ(stereo, (std::vector<int32_t>{100, -200, 300, -400}));

    p = 0;
    float f[3] = {0.5f, -1.0f, 2.0f};
    std::vector<uint8_t> fb(sizeof f);
    std::memcpy(fb.data(), f, sizeof f);
    auto floats = mixOnce(fb, {SampleKind::F32, 1, 4, 44100}, false, p, kSame, kUnity, 3);
    EXPECT_EQ(floats, (std::vector<int32_t>{16384, 16384, -32768, -32768, 32767, 32767}));
}

TEST(AudioMix, VolumeAndPanFollowDecibels)
{
    EXPECT_EQ(gainFromVolumePan(0, 0).left, 65536);
    EXPECT_EQ(gainFromVolumePan(-10000, 0).left, 0);
    StereoGain half = gainFromVolumePan(-602, 0); // -6.02 dB: one half
    EXPECT_NEAR(half.left, 32768, 8);
    EXPECT_EQ(half.left, half.right);
    StereoGain right = gainFromVolumePan(0, 10000); // right only
    EXPECT_EQ(right.left, 0);
    EXPECT_EQ(right.right, 65536);
    StereoGain leftish = gainFromVolumePan(-300, -2000); // right side 20 dB lower
    EXPECT_NEAR(leftish.left / 65536.0, std::pow(10.0, -300 / 2000.0), 1e-4);
    EXPECT_NEAR(leftish.right / 65536.0, std::pow(10.0, -2300 / 2000.0), 1e-4);

    std::vector<int16_t> src = {1000, -1000, 32767, -32768, 12345};
    for (int32_t volume : {0, -100, -602, -2000, -6000}) {
        for (int32_t pan : {0, -2500, 2500, 10000}) {
            StereoGain g = gainFromVolumePan(volume, pan);
            MixPosition p = 0;
            auto out = mixOnce(s16(src), {SampleKind::S16, 1, 2, 44100}, false, p, kSame, g, 5);
            double l = std::pow(10.0, (volume - std::max(pan, 0)) / 2000.0);
            double r = std::pow(10.0, (volume + std::min(pan, 0)) / 2000.0);
            for (size_t i = 0; i < src.size(); ++i) {
                EXPECT_NEAR(out[2 * i], src[i] * l, 1.0) << volume << " " << pan << " " << i;
                EXPECT_NEAR(out[2 * i + 1], src[i] * r, 1.0) << volume << " " << pan << " " << i;
            }
        }
    }
}

TEST(AudioMix, LoopsWrapExactlyAtTheLastFrame)
{
    std::vector<int16_t> src = {1, 2, 3, 4, 5};
    MixPosition p = MixPosition(3) << 32;
    MixResult r;
    auto out = mixOnce(s16(src), {SampleKind::S16, 1, 2, 44100}, true, p, kSame, kUnity, 12, &r);
    std::vector<int32_t> left;
    for (size_t i = 0; i < out.size(); i += 2)
        left.push_back(out[i]);
    EXPECT_EQ(left, (std::vector<int32_t>{4, 5, 1, 2, 3, 4, 5, 1, 2, 3, 4, 5}));
    EXPECT_EQ(r.produced, 12u);
    EXPECT_EQ(r.advanced, 12u);
    EXPECT_FALSE(r.ended);
    EXPECT_EQ(p >> 32, 0u); // (3 + 12) mod 5

    // Played once, the sound stops at its end and leaves the rest silent.
    p = MixPosition(3) << 32;
    out = mixOnce(s16(src), {SampleKind::S16, 1, 2, 44100}, false, p, kSame, kUnity, 6, &r);
    EXPECT_EQ(out, (std::vector<int32_t>{4, 4, 5, 5, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.produced, 2u);
    EXPECT_EQ(r.advanced, 2u);
    EXPECT_TRUE(r.ended);
}

TEST(AudioMix, ResamplingInterpolatesAndLoopsThroughFrameZero)
{
    // Half the output rate: every other output frame lies half-way.
    std::vector<int16_t> src = {0, 1000, 3000, -1000};
    uint64_t step = mixStep(22050, 44100);
    EXPECT_EQ(step, uint64_t(1) << 31);
    MixPosition p = 0;
    MixResult r;
    auto out = mixOnce(s16(src), {SampleKind::S16, 1, 2, 22050}, true, p, step, kUnity, 10, &r);
    std::vector<int32_t> left;
    for (size_t i = 0; i < out.size(); i += 2)
        left.push_back(out[i]);
    // The frame after the last is frame 0 again.
    EXPECT_EQ(left, (std::vector<int32_t>{0, 500, 1000, 2000, 3000, 1000, -1000, -500, 0, 500}));
    EXPECT_EQ(r.advanced, 5u);

    // Played once, the last frame fades towards silence, then the sound ends.
    p = 0;
    out = mixOnce(s16(src), {SampleKind::S16, 1, 2, 22050}, false, p, step, kUnity, 10, &r);
    EXPECT_EQ(out[12], -1000);
    EXPECT_EQ(out[14], -500);
    EXPECT_EQ(out[16], 0);
    EXPECT_EQ(r.produced, 8u);
    EXPECT_TRUE(r.ended);

    // Three times the rate skips frames but counts them as played.
    std::vector<int16_t> longer(30);
    for (int i = 0; i < 30; ++i)
        longer[size_t(i)] = int16_t(i * 10);
    p = 0;
    out = mixOnce(s16(longer), {SampleKind::S16, 1, 2, 132300}, false, p, mixStep(132300, 44100), kUnity, 4, &r);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[2], 30);
    EXPECT_EQ(out[6], 90);
    EXPECT_EQ(r.advanced, 12u);
}

TEST(AudioMix, ClampsTheSumToSixteenBits)
{
    int32_t acc[4] = {40000, -40000, 32767, -32768};
    int16_t out[4];
    clampToS16(acc, out, 2);
    EXPECT_EQ(out[0], 32767);
    EXPECT_EQ(out[1], -32768);
    EXPECT_EQ(out[2], 32767);
    EXPECT_EQ(out[3], -32768);
}

TEST(AudioMix, AcceptsOnlyLayoutsItCanPlay)
{
    WAVEFORMATEX f{WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};
    PcmLayout layout;
    EXPECT_TRUE(layoutFromFormat(f, &layout));
    EXPECT_EQ(layout.kind, SampleKind::S16);
    f.nBlockAlign = 3;
    EXPECT_FALSE(layoutFromFormat(f, nullptr));
    f = {WAVE_FORMAT_PCM, 3, 22050, 0, 6, 16, 0};
    EXPECT_FALSE(layoutFromFormat(f, nullptr));
    f = {WAVE_FORMAT_PCM, 1, 22050, 0, 3, 24, 0};
    EXPECT_FALSE(layoutFromFormat(f, nullptr));
    f = {WAVE_FORMAT_IEEE_FLOAT, 1, 48000, 0, 4, 32, 0};
    EXPECT_TRUE(layoutFromFormat(f, nullptr));
    f = {WAVE_FORMAT_PCM, 1, 50, 0, 1, 8, 0};
    EXPECT_FALSE(layoutFromFormat(f, nullptr));
}
