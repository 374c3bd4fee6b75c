// The CD device playing an Ogg Vorbis track, one output period (1024 frames
// at 44100 Hz) per iteration, against its floor in the same run:
//   CdTrack_OggPeriod        the device's mix: the decoded window kept ahead
//                            of the play cursor, 48 kHz stereo resampled to
//                            the output, clamped to 16 bits
//   vs_sf_readf_float        libsndfile decoding the same source frames
//                            (1115 of 48 kHz per period) into a buffer and
//                            nothing else
// A ratio near 1 means the device adds little to decoding itself.
#include "peer_compare.h"

#include "platform/backends/headless/headless_testing.h"
#include "platform/dsound/audio_engine.h"

#include <vantrel/win32/mmsystem.h>

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint32_t kPeriod = 1024;
constexpr int kRate = 48000;
constexpr int kSeconds = 20;

bool writeOgg(const std::string& path)
{
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<float> s(size_t(kRate) * kSeconds * 2);
    for (size_t i = 0; i < s.size() / 2; ++i) {
        const double t = double(i) / kRate;
        s[i * 2] = float(0.3 * std::sin(2 * M_PI * 440 * t) + 0.1 * std::sin(2 * M_PI * 1250 * t));
        s[i * 2 + 1] = float(0.3 * std::sin(2 * M_PI * 660 * t));
    }
    sf_writef_float(file, s.data(), sf_count_t(s.size() / 2));
    return sf_close(file) == 0;
}

void CdTrack_OggPeriod(benchmark::State& state)
{
    char dir[] = "/tmp/vantrel-bench-cd-XXXXXX";
    if (!mkdtemp(dir) || !writeOgg(std::string(dir) + "/track01.ogg")) {
        state.SkipWithError("cannot write the track");
        return;
    }
    const std::string track = std::string(dir) + "/track01.ogg";
    setenv("VANTREL_CDAUDIO", dir, 1);
    setenv("VANTREL_AUDIO", "headless", 1);
    vtl::testing::headless::useManualAudioClock(true);
    {
        MCI_OPEN_PARMS open{};
        open.lpstrDeviceType = "cdaudio";
        if (mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE, DWORD_PTR(&open)) != 0) {
            state.SkipWithError("the device does not open");
            return;
        }
        auto engine = vtl::AudioEngine::acquire();
        MCI_PLAY_PARMS play{};
        auto restart = [&] { mciSendCommand(open.wDeviceID, MCI_PLAY, 0, DWORD_PTR(&play)); };
        MCI_SEEK_PARMS start{};
        mciSendCommand(open.wDeviceID, MCI_SEEK, MCI_SEEK_TO_START, DWORD_PTR(&start));
        restart();
        std::vector<int16_t> out(kPeriod * 2);
        uint32_t mixed = 0;

        SF_INFO info{};
        SNDFILE* peer = sf_open(track.c_str(), SFM_READ, &info);
        const sf_count_t sourceFrames = sf_count_t(kPeriod) * kRate / 44100;
        std::vector<float> decoded(size_t(sourceFrames) * 2);

        compare(
            state, kPeriod,
            [&] {
                // Start over a little before the end, outside the timing of
                // any one period that matters.
                if (mixed + kPeriod > uint32_t(kSeconds - 1) * 44100) {
                    mciSendCommand(open.wDeviceID, MCI_SEEK, MCI_SEEK_TO_START, DWORD_PTR(&start));
                    restart();
                    mixed = 0;
                }
                engine->mix(out.data(), kPeriod);
                mixed += kPeriod;
                benchmark::DoNotOptimize(out.data());
            },
            {{"sf_readf_float", [&] {
                  if (sf_readf_float(peer, decoded.data(), sourceFrames) < sourceFrames)
                      sf_seek(peer, 0, SEEK_SET);
                  benchmark::DoNotOptimize(decoded.data());
              }}});
        sf_close(peer);
        mciSendCommand(open.wDeviceID, MCI_CLOSE, 0, 0);
    }
    vtl::testing::headless::useManualAudioClock(false);
    std::remove(track.c_str());
    rmdir(dir);
}

} // namespace

BENCHMARK(CdTrack_OggPeriod)->UseManualTime();
