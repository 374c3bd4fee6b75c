// CD positions on tracks whose rate is no whole number of samples per CD
// frame (32 kHz: 426 2/3): a play from a position, a seek and the end of a
// play given by its last position all report the CD frame asked for, and
// the disc's end is its length.
#include <vantrel/audio.h>

#include "support/manual_audio.h"
#include "support/wave_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

class CdPositions : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/vantrel-cdpos-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        folder = dir;
        // Two seconds of 32 kHz and one of 8 kHz, 16-bit mono at a level each,
        // then a track nothing here reads, which plays as the silence of its
        // header's length: 48639 frames of 48 kHz, a sample short of 76 CD
        // frames.
        const unsigned rates[2] = {32000, 8000}, seconds[2] = {2, 1};
        for (int t = 0; t < 2; ++t) {
            std::vector<int16_t> samples(rates[t] * seconds[t], int16_t(4000 * (t + 1)));
            const std::string made = temporaryWave(waveFile(1, 1, rates[t], 16, samples16(samples)));
            ASSERT_EQ(std::rename(made.c_str(), path(t + 1).c_str()), 0);
        }
        const std::string made = temporaryWave(waveFile(0x7A7A, 1, 48000, 8, Bytes(48639, 0x80)));
        ASSERT_EQ(std::rename(made.c_str(), path(3).c_str()), 0);
        setenv("VANTREL_CDAUDIO", folder.c_str(), 1);
        ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    }
    void TearDown() override
    {
        VTLCdCommand(cd.device, MCI_CLOSE, 0, 0);
        for (int t = 1; t <= 3; ++t)
            std::remove(path(t).c_str());
        rmdir(folder.c_str());
        unsetenv("VANTREL_CDAUDIO");
    }
    std::string path(int track) const { return folder + "/track0" + std::to_string(track) + ".wav"; }

    MCIERROR play(DWORD flags, DWORD from, DWORD to = 0)
    {
        MCI_PLAY_PARMS p{};
        p.dwFrom = from;
        p.dwTo = to;
        return VTLCdCommand(cd.device, MCI_PLAY, flags, DWORD_PTR(&p));
    }
    DWORD status(DWORD item)
    {
        MCI_STATUS_PARMS s{};
        s.dwItem = item;
        EXPECT_EQ(VTLCdCommand(cd.device, MCI_STATUS, MCI_STATUS_ITEM, DWORD_PTR(&s)), 0u);
        return DWORD(s.dwReturn);
    }

    ManualAudio audio;
    std::string folder;
    CDaudio cd{};
};

} // namespace

TEST_F(CdPositions, APlayOrSeekReportsTheFrameAskedForAtEveryRate)
{
    for (BYTE frame : {1, 2, 4, 37, 74}) {
        ASSERT_EQ(play(MCI_FROM, MCI_MAKE_TMSF(1, 0, 1, frame)), 0u);
        EXPECT_EQ(status(MCI_STATUS_POSITION), DWORD(MCI_MAKE_TMSF(1, 0, 1, frame)));
        ASSERT_EQ(play(MCI_FROM, MCI_MAKE_TMSF(2, 0, 0, frame)), 0u);
        EXPECT_EQ(status(MCI_STATUS_POSITION), DWORD(MCI_MAKE_TMSF(2, 0, 0, frame)));
        MCI_SEEK_PARMS seek{};
        seek.dwTo = MCI_MAKE_TMSF(1, 0, 0, frame);
        ASSERT_EQ(VTLCdCommand(cd.device, MCI_SEEK, MCI_TO, DWORD_PTR(&seek)), 0u);
        EXPECT_EQ(status(MCI_STATUS_POSITION), DWORD(MCI_MAKE_TMSF(1, 0, 0, frame)));
    }
}

TEST_F(CdPositions, APlayEndsAtItsLastPositionInsideATrack)
{
    ASSERT_EQ(play(MCI_FROM | MCI_TO, MCI_MAKE_TMSF(1, 0, 0, 10), MCI_MAKE_TMSF(1, 0, 0, 41)), 0u);
    // 31 CD frames at 32 kHz are 13227 samples; resampled to 44.1 kHz, fewer
    // than 18300 frames.
    const std::vector<int16_t> mixed = audio.pull(18300);
    EXPECT_EQ(status(MCI_STATUS_MODE), DWORD(MCI_MODE_STOP));
    EXPECT_EQ(status(MCI_STATUS_POSITION), DWORD(MCI_MAKE_TMSF(1, 0, 0, 41)));
    EXPECT_EQ(mixed[2 * 18000], 4000); // the level of track 1, still playing
    EXPECT_EQ(mixed[2 * 18299], 0);
}

TEST_F(CdPositions, ThePositionAtTheEndOfTheDiscIsItsLength)
{
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MSF;
    ASSERT_EQ(VTLCdCommand(cd.device, MCI_SET, MCI_SET_TIME_FORMAT, DWORD_PTR(&set)), 0u);
    const DWORD length = status(MCI_STATUS_LENGTH);
    EXPECT_EQ(length, DWORD(MCI_MAKE_MSF(0, 4, 0))); // 150 + 75 + 75 CD frames
    // From the last second of the silent track on: each mixing step there
    // moves more than one of its frames.
    ASSERT_EQ(play(MCI_FROM, MCI_MAKE_MSF(0, 3, 0)), 0u);
    audio.pull(44100 + 4410);
    EXPECT_EQ(status(MCI_STATUS_MODE), DWORD(MCI_MODE_STOP));
    EXPECT_EQ(status(MCI_STATUS_POSITION), length);
}
