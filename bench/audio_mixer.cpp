// Mixing N playing sounds into one period of 16-bit stereo output, against
// SDL's own mixing in the same run:
//   AudioMix_Vantrel/N            N 16-bit stereo sounds at the output rate,
//                                 each with its own volume, accumulated and
//                                 clamped once
//   AudioMix_SdlMixAudioFormat/N  the same sounds mixed one by one with
//                                 SDL_MixAudioFormat (which clamps each add)
//   AudioMix_VantrelResampled/N   N 8-bit mono 22050 Hz sounds converted and
//                                 resampled to 44100 Hz stereo on the way
//   AudioMix_SdlAudioStream/N     the same through SDL_AudioStream (convert
//                                 and resample) then SDL_MixAudioFormat
#include "platform/dsound/audio_mix.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr uint32_t kPeriod = 1024; // output frames per mixing call
constexpr uint32_t kSoundFrames = 44100;

std::vector<uint8_t> stereo16(uint32_t frames, int seed)
{
    std::vector<uint8_t> bytes(size_t(frames) * 4);
    auto* s = reinterpret_cast<int16_t*>(bytes.data());
    for (uint32_t i = 0; i < frames * 2; ++i)
        s[i] = int16_t((i * 37 + uint32_t(seed) * 1013) % 20000 - 10000);
    return bytes;
}

std::vector<uint8_t> mono8(uint32_t frames, int seed)
{
    std::vector<uint8_t> bytes(frames);
    for (uint32_t i = 0; i < frames; ++i)
        bytes[i] = uint8_t((i * 13 + uint32_t(seed) * 7) & 0xFF);
    return bytes;
}

void AudioMix_Vantrel(benchmark::State& state)
{
    const int voices = int(state.range(0));
    std::vector<std::vector<uint8_t>> sounds;
    std::vector<vtl::MixPosition> positions(size_t(voices), 0);
    for (int v = 0; v < voices; ++v)
        sounds.push_back(stereo16(kSoundFrames, v));
    const vtl::PcmLayout layout{vtl::SampleKind::S16, 2, 4, 44100};
    const vtl::StereoGain gain = vtl::gainFromVolumePan(-600, 0);
    std::vector<int32_t> acc(kPeriod * 2);
    std::vector<int16_t> out(kPeriod * 2);
    for (auto _ : state) {
        std::fill(acc.begin(), acc.end(), 0);
        for (int v = 0; v < voices; ++v)
            vtl::mixSound(sounds[size_t(v)].data(), kSoundFrames, layout, true, positions[size_t(v)],
                          uint64_t(1) << 32, gain, acc.data(), kPeriod);
        vtl::clampToS16(acc.data(), out.data(), kPeriod);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kPeriod * voices);
}

void AudioMix_SdlMixAudioFormat(benchmark::State& state)
{
    const int voices = int(state.range(0));
    std::vector<std::vector<uint8_t>> sounds;
    std::vector<uint32_t> positions(size_t(voices), 0);
    for (int v = 0; v < voices; ++v)
        sounds.push_back(stereo16(kSoundFrames, v));
    std::vector<int16_t> out(kPeriod * 2);
    for (auto _ : state) {
        std::fill(out.begin(), out.end(), 0);
        for (int v = 0; v < voices; ++v) {
            uint32_t& p = positions[size_t(v)];
            if (p + kPeriod > kSoundFrames)
                p = 0;
            SDL_MixAudioFormat(reinterpret_cast<Uint8*>(out.data()), sounds[size_t(v)].data() + size_t(p) * 4,
                               AUDIO_S16SYS, kPeriod * 4, 64);
            p += kPeriod;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kPeriod * voices);
}

void AudioMix_VantrelResampled(benchmark::State& state)
{
    const int voices = int(state.range(0));
    std::vector<std::vector<uint8_t>> sounds;
    std::vector<vtl::MixPosition> positions(size_t(voices), 0);
    for (int v = 0; v < voices; ++v)
        sounds.push_back(mono8(kSoundFrames / 2, v));
    const vtl::PcmLayout layout{vtl::SampleKind::U8, 1, 1, 22050};
    const vtl::StereoGain gain = vtl::gainFromVolumePan(-600, 1000);
    const uint64_t step = vtl::mixStep(22050, 44100);
    std::vector<int32_t> acc(kPeriod * 2);
    std::vector<int16_t> out(kPeriod * 2);
    for (auto _ : state) {
        std::fill(acc.begin(), acc.end(), 0);
        for (int v = 0; v < voices; ++v)
            vtl::mixSound(sounds[size_t(v)].data(), kSoundFrames / 2, layout, true, positions[size_t(v)], step, gain,
                          acc.data(), kPeriod);
        vtl::clampToS16(acc.data(), out.data(), kPeriod);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kPeriod * voices);
}

void AudioMix_SdlAudioStream(benchmark::State& state)
{
    const int voices = int(state.range(0));
    std::vector<std::vector<uint8_t>> sounds;
    std::vector<SDL_AudioStream*> streams;
    std::vector<uint32_t> positions(size_t(voices), 0);
    for (int v = 0; v < voices; ++v) {
        sounds.push_back(mono8(kSoundFrames / 2, v));
        streams.push_back(SDL_NewAudioStream(AUDIO_U8, 1, 22050, AUDIO_S16SYS, 2, 44100));
    }
    std::vector<int16_t> out(kPeriod * 2), converted(kPeriod * 2);
    const uint32_t feed = kPeriod / 2; // source frames per output period
    for (auto _ : state) {
        std::fill(out.begin(), out.end(), 0);
        for (int v = 0; v < voices; ++v) {
            uint32_t& p = positions[size_t(v)];
            if (p + feed > kSoundFrames / 2)
                p = 0;
            SDL_AudioStreamPut(streams[size_t(v)], sounds[size_t(v)].data() + p, int(feed));
            p += feed;
            int got = SDL_AudioStreamGet(streams[size_t(v)], converted.data(), int(kPeriod * 4));
            if (got > 0)
                SDL_MixAudioFormat(reinterpret_cast<Uint8*>(out.data()), reinterpret_cast<Uint8*>(converted.data()),
                                   AUDIO_S16SYS, Uint32(got), 64);
        }
        benchmark::DoNotOptimize(out.data());
    }
    for (SDL_AudioStream* s : streams)
        SDL_FreeAudioStream(s);
    state.SetItemsProcessed(state.iterations() * kPeriod * voices);
}

} // namespace

BENCHMARK(AudioMix_Vantrel)->Arg(1)->Arg(8)->Arg(32);
BENCHMARK(AudioMix_SdlMixAudioFormat)->Arg(1)->Arg(8)->Arg(32);
BENCHMARK(AudioMix_VantrelResampled)->Arg(1)->Arg(8)->Arg(32);
BENCHMARK(AudioMix_SdlAudioStream)->Arg(1)->Arg(8)->Arg(32);
