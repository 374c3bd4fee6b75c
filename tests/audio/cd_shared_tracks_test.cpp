// WAV tracks are read when they are about to play, not when the disc is
// opened, and once for every device that plays them: a game that opens the
// CD twice, or opens it and plays one track, holds no more than it plays.
#include <vantrel/audio.h>

#include "platform/winmm/winmm_testing.h"
#include "support/manual_audio.h"
#include "support/message_capture.h"
#include "support/wave_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace hooks = vtl::testing::winmm;
using hooks::Op;

// Three tracks of 1000 Hz 8-bit mono, 2 s each, at the levels below.
const unsigned char kLevel[3] = {0x90, 0xA0, 0xB0};
int16_t levelOf(int track) { return int16_t((kLevel[track - 1] - 128) * 256); }

class CdSharedTracks : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/vantrel-cdshared-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        folder = dir;
        for (int t = 1; t <= 3; ++t)
            write(t, waveFile(1, 1, 1000, 8, Bytes(2000, kLevel[t - 1])));
        setenv("VANTREL_CDAUDIO", folder.c_str(), 1);
        hooks::record();
    }
    void TearDown() override
    {
        hooks::reset();
        for (int t = 1; t <= 3; ++t)
            std::remove(path(t).c_str());
        rmdir(folder.c_str());
        unsetenv("VANTREL_CDAUDIO");
    }
    std::string path(int track) const { return folder + "/track0" + std::to_string(track) + ".wav"; }
    void write(int track, const Bytes& bytes)
    {
        std::ofstream(path(track), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    static void close(CDaudio& cd) { VTLCdCommand(cd.device, MCI_CLOSE, 0, 0); }
    int16_t heard(uint32_t frames = 1) { return audio.pull(frames)[(frames - 1) * 2]; }

    std::string folder;
    ManualAudio audio;
};

TEST_F(CdSharedTracks, TwoDevicesReadEachTrackOnceAndOnlyWhenItIsAboutToPlay)
{
    CDaudio first{}, second{};
    ASSERT_TRUE(first.init(reinterpret_cast<HWND>(1)));
    ASSERT_TRUE(second.init(reinterpret_cast<HWND>(1)));
    EXPECT_EQ(hooks::countCalls(Op::ReadWaveTrack), 0u) << "opening reads the headers only";
    EXPECT_EQ(first.trackLength(2), DWORD(MCI_MAKE_MSF(0, 2, 0)));

    ASSERT_TRUE(first.play(2, 0));
    EXPECT_EQ(hooks::countCalls(Op::ReadWaveTrack), 1u) << "a track alone reads that track";
    ASSERT_TRUE(second.play(2, 0));
    EXPECT_EQ(hooks::countCalls(Op::ReadWaveTrack), 1u) << "the second device shares it";
    EXPECT_EQ(heard(), 2 * levelOf(2));
    ASSERT_TRUE(second.stop());

    ASSERT_TRUE(first.play(1, 1));
    EXPECT_EQ(hooks::countCalls(Op::ReadWaveTrack), 3u) << "a play to the end reads what it reaches";
    EXPECT_EQ(heard(44100 * 2 + 100), levelOf(2));

    // Once no device holds them, nothing is kept: a new device reads again.
    close(first);
    close(second);
    CDaudio third{};
    ASSERT_TRUE(third.init(reinterpret_cast<HWND>(1)));
    ASSERT_TRUE(third.play(3, 0));
    EXPECT_EQ(hooks::countCalls(Op::ReadWaveTrack), 4u);
    EXPECT_EQ(heard(), levelOf(3));
    close(third);
}

// The disc was opened with one file; by the time a track plays it may be
// unreadable or shorter.  What it lacks plays as silence, the tracks keep
// their places, and the next request says why, once.
TEST_F(CdSharedTracks, ATrackThatCannotBeReadWhenItPlaysIsSilenceOfItsLength)
{
    MessageCapture messages;
    CDaudio cd{};
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    hooks::failNext(Op::ReadWaveTrack);
    write(2, waveFile(1, 1, 1000, 8, Bytes(500, kLevel[1]))); // half a second of the two
    ASSERT_TRUE(cd.play(1, 1));
    EXPECT_EQ(heard(), 0) << "track 1 could not be read";
    EXPECT_EQ(heard(44100 * 2), levelOf(2)) << "track 2 begins in its place";
    EXPECT_EQ(heard(44100), 0) << "and is silent past its new end";
    EXPECT_EQ(heard(44100 + 100), levelOf(3)) << "track 3 still starts at 0:04";
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(3, 0, 0, 0)));
    ASSERT_EQ(messages.messages().size(), 2u) << messages.text();
    EXPECT_NE(messages.text().find("track01.wav cannot be read to its end (the file cannot be read)"),
              std::string::npos)
        << messages.text();
    EXPECT_NE(messages.text().find("track02.wav cannot be read to its end (it is shorter than when the disc was "
                                   "opened)"),
              std::string::npos)
        << messages.text();
    cd.numberOfTracks();
    EXPECT_EQ(messages.messages().size(), 2u) << messages.text();
    close(cd);
}

} // namespace
