// A short stream played once, as a listener hears it: the real-time output
// records everything mixed to a WAV file (VANTREL_AUDIO=wav:PATH), and the
// recording is searched for bursts of sound.
#include <vantrel/audio.h>
#include <vantrel/vtlhnd.h>

#include "support/test_archive.h"
#include "support/wave_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kRate = 44100.0;

struct Burst {
    size_t first; // frame of the first sound
    size_t frames;
};

// Runs of frames whose left sample is not silent.  The stream's samples
// never are, so a run is one time through the sound.
std::vector<Burst> burstsIn(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> wav((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<Burst> bursts;
    if (wav.size() < 44)
        return bursts;
    bool inBurst = false;
    for (size_t at = 44, frame = 0; at + 4 <= wav.size(); at += 4, ++frame) {
        const bool sound = (wav[at] | wav[at + 1]) != 0;
        if (sound && !inBurst)
            bursts.push_back({frame, 0});
        if (sound)
            ++bursts.back().frames;
        inBurst = sound;
    }
    return bursts;
}

double secondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

} // namespace

TEST(StreamRecording, AShortSoundPlayedOnceIsOneBurstAndRestartsAtOnce)
{
    const std::string path = "/tmp/vantrel-stream-" + std::to_string(getpid()) + ".wav";
    const char* previous = std::getenv("VANTREL_AUDIO");
    const std::string restore = previous ? previous : "";
    setenv("VANTREL_AUDIO", ("wav:" + path).c_str(), 1);

    // A tenth of a second of sound that is never silent.
    std::vector<int16_t> jingle(4410);
    for (size_t i = 0; i < jingle.size(); ++i)
        jingle[i] = int16_t(1000 + i % 500);
    TestArchive archive;
    archive.add("JINGLE.WAV", waveFile(1, 1, 44100, 16, samples16(jingle)));
    VTLHND handle;
    ASSERT_TRUE(archive.openIn(handle));

    // The recording starts when the device opens.
    const Clock::time_point opened = Clock::now();
    ASSERT_TRUE(SOUND::create(reinterpret_cast<HWND>(1)));
    SOUNDSTREAM s{};
    ASSERT_TRUE(handle.create(&s, const_cast<char*>("JINGLE.WAV")));
    const Clock::time_point played = Clock::now();
    ASSERT_TRUE(s.play(false));
    // Past the three seconds after which the ring comes round again.
    std::this_thread::sleep_for(std::chrono::milliseconds(3600));
    ASSERT_TRUE(s.stop());
    const Clock::time_point restarted = Clock::now();
    ASSERT_TRUE(s.play(false));
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    ASSERT_TRUE(s.stop());
    EXPECT_TRUE(handle.release(&s));
    EXPECT_TRUE(SOUND::release()); // the last user closes the recording
    handle.FastFileFini();
    if (previous)
        setenv("VANTREL_AUDIO", restore.c_str(), 1);
    else
        unsetenv("VANTREL_AUDIO");

    const std::vector<Burst> bursts = burstsIn(path);
    std::remove(path.c_str());
    ASSERT_EQ(bursts.size(), 2u) << "once after play, once after the restart";
    for (const Burst& b : bursts)
        EXPECT_EQ(b.frames, jingle.size());
    // Each burst starts at its play: the silence still queued in the ring
    // would delay the restart by seconds, and a second time through the
    // ring would come half a second before it.  The recording's clock runs
    // from a moment just after `opened`, and a late mixing thread places
    // frames a little early: the bounds leave room for both.
    const double first = bursts[0].first / kRate - secondsBetween(opened, played);
    const double second = bursts[1].first / kRate - secondsBetween(opened, restarted);
    EXPECT_GT(first, -0.3);
    EXPECT_LT(first, 0.5);
    EXPECT_GT(second, -0.3) << "a burst before the restart";
    EXPECT_LT(second, 0.5) << "the restart waited";
}
