// CDaudio on a generated virtual disc of three tracks, each a constant level
// so that what plays tells which track it is.
#include <vantrel/audio.h>

#include "support/manual_audio.h"
#include "support/wave_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// 1000 Hz 8-bit mono tracks: 3:10, 0:05 and 1:20 long.
const unsigned kSeconds[3] = {190, 5, 80};
const unsigned char kLevel[3] = {0x90, 0xA0, 0xB0};

int16_t levelOf(int track) { return int16_t((kLevel[track - 1] - 128) * 256); }

class CdTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/vantrel-cd-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        folder = dir;
        for (int t = 0; t < 3; ++t) {
            Bytes wave = waveFile(1, 1, 1000, 8, Bytes(kSeconds[t] * 1000, kLevel[t]));
            std::string path = folder + "/track0" + std::to_string(t + 1) + ".wav";
            std::string made = temporaryWave(wave);
            ASSERT_EQ(std::rename(made.c_str(), path.c_str()), 0);
        }
        setenv("VANTREL_CDAUDIO", folder.c_str(), 1);
        ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    }
    void TearDown() override
    {
        VTLCdCommand(cd.device, MCI_CLOSE, 0, 0);
        for (int t = 1; t <= 3; ++t)
            std::remove((folder + "/track0" + std::to_string(t) + ".wav").c_str());
        rmdir(folder.c_str());
        unsetenv("VANTREL_CDAUDIO");
    }

    // The level heard now (left channel of the next frame mixed).
    int16_t heard(uint32_t frames = 1) { return audio.pull(frames)[(frames - 1) * 2]; }
    DWORD mode()
    {
        MCI_STATUS_PARMS s{};
        s.dwItem = MCI_STATUS_MODE;
        VTLCdCommand(cd.device, MCI_STATUS, MCI_STATUS_ITEM, DWORD_PTR(&s));
        return DWORD(s.dwReturn);
    }
    // Starts play at a TMSF position as the game's own MCI request would.
    void playAt(DWORD tmsf)
    {
        MCI_PLAY_PARMS p{};
        p.dwFrom = tmsf;
        ASSERT_EQ(VTLCdCommand(cd.device, MCI_PLAY, MCI_FROM, DWORD_PTR(&p)), 0u);
        cd.playing = 1;
    }

    ManualAudio audio;
    std::string folder;
    CDaudio cd{};
};

} // namespace

TEST_F(CdTest, ReportsTracksLengthsAndTheEndOfTheDisc)
{
    EXPECT_EQ(cd.numberOfTracks(), 3u);
    EXPECT_EQ(cd.currentTrack(), 3u);
    EXPECT_EQ(cd.trackLength(1), DWORD(MCI_MAKE_MSF(3, 10, 0)));
    EXPECT_EQ(cd.trackLength(2), DWORD(MCI_MAKE_MSF(0, 5, 0)));
    EXPECT_EQ(cd.length(), DWORD(MCI_MAKE_TMSF(3, 1, 20, 0)));
    EXPECT_EQ(cd.position(), 1u); // before any play

    // The disc as a whole, and the errors of the device.
    MCI_STATUS_PARMS s{};
    s.dwItem = MCI_STATUS_LENGTH;
    EXPECT_EQ(VTLCdCommand(cd.device, MCI_STATUS, MCI_STATUS_ITEM, DWORD_PTR(&s)), 0u);
    EXPECT_EQ(s.dwReturn, DWORD_PTR(MCI_MAKE_MSF(4, 35, 0)));
    s.dwTrack = 4;
    EXPECT_EQ(VTLCdCommand(cd.device, MCI_STATUS, MCI_STATUS_ITEM | MCI_TRACK, DWORD_PTR(&s)),
              DWORD(MCIERR_OUTOFRANGE));
    EXPECT_EQ(VTLCdCommand(cd.device, MCI_STATUS, MCI_NOTIFY | MCI_WAIT, DWORD_PTR(&s)),
              DWORD(MCIERR_MISSING_PARAMETER));
    EXPECT_EQ(mciSendCommand(999, MCI_STATUS, MCI_STATUS_ITEM, DWORD_PTR(&s)), DWORD(MCIERR_INVALID_DEVICE_ID));
    MCI_SET_PARMS set{};
    set.dwTimeFormat = 5;
    EXPECT_EQ(VTLCdCommand(cd.device, MCI_SET, MCI_SET_TIME_FORMAT, DWORD_PTR(&set)), DWORD(MCIERR_BAD_TIME_FORMAT));
    MCI_OPEN_PARMS open{};
    open.lpstrDeviceType = "waveaudio";
    EXPECT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE, DWORD_PTR(&open)), DWORD(MCIERR_INVALID_DEVICE_NAME));

    // No disc: no device.
    setenv("VANTREL_CDAUDIO", "/nonexistent", 1);
    CDaudio none{};
    EXPECT_FALSE(none.init(nullptr));
}

TEST_F(CdTest, PlaysOneTrackOrOnToTheEndOfTheDisc)
{
    ASSERT_TRUE(cd.play(2, 0));
    EXPECT_EQ(mode(), DWORD(MCI_MODE_PLAY));
    EXPECT_EQ(heard(), levelOf(2));
    heard(44100 * 4); // four seconds in
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(2, 0, 4, 0)));
    heard(44100);
    EXPECT_EQ(heard(), 0); // track 2 alone: it ends there
    EXPECT_EQ(mode(), DWORD(MCI_MODE_STOP));

    // The last track has no next: it plays to the end of the disc.
    ASSERT_TRUE(cd.play(3, 0));
    EXPECT_EQ(heard(), levelOf(3));
    // From track 2 to the end runs on into track 3.
    ASSERT_TRUE(cd.play(2, 1));
    EXPECT_EQ(heard(44100 * 5 + 10), levelOf(3));
    EXPECT_EQ(MCI_TMSF_TRACK(cd.position()), 3);
    ASSERT_TRUE(cd.stop());
    EXPECT_EQ(cd.playing, 0u);
    EXPECT_EQ(cd.position(), 1u);
    EXPECT_EQ(heard(), 0);
    EXPECT_FALSE(cd.play(7, 0)); // no such track
}

TEST_F(CdTest, PausesResumesAndPlayWhilePausedMovesTheResumePoint)
{
    EXPECT_TRUE(cd.pause()); // not playing: nothing to do
    EXPECT_EQ(cd.paused, 0u);
    ASSERT_TRUE(cd.play(1, 0));
    heard(44100 * 2 + 100);
    ASSERT_TRUE(cd.pause());
    EXPECT_EQ(cd.paused, 1u);
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(1, 0, 2, 0)));
    EXPECT_EQ(heard(), 0);
    EXPECT_EQ(mode(), DWORD(MCI_MODE_STOP)); // pause stops the device and remembers
    ASSERT_TRUE(cd.resume());
    EXPECT_EQ(heard(), levelOf(1));
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(1, 0, 2, 0)));

    ASSERT_TRUE(cd.pause());
    ASSERT_TRUE(cd.play(3, 0)); // only moves where resume starts
    EXPECT_EQ(heard(), 0);
    EXPECT_EQ(cd.position(), 3u);
    ASSERT_TRUE(cd.resume());
    EXPECT_EQ(heard(), levelOf(3));
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(3, 0, 0, 0)));
}

TEST_F(CdTest, SeeksTenSecondsWithinTheTrack)
{
    playAt(MCI_MAKE_TMSF(3, 1, 5, 0));
    cd.seekStart();
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(3, 0, 55, 0)));
    EXPECT_EQ(heard(), levelOf(3));
    playAt(MCI_MAKE_TMSF(3, 1, 5, 0));
    cd.seekEnd();
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(3, 1, 15, 0)));

    playAt(MCI_MAKE_TMSF(2, 0, 4, 0));
    cd.seekStart(); // the start of the track is as far back as it goes
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(2, 0, 4, 0)));
    playAt(MCI_MAKE_TMSF(1, 2, 55, 0));
    cd.seekEnd();
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(1, 3, 5, 0)));

    // Past the track's end the position runs on into the next track.
    playAt(MCI_MAKE_TMSF(2, 0, 0, 0));
    cd.seekEnd();
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(3, 0, 5, 0)));
    EXPECT_EQ(heard(), levelOf(3));

    // While paused a seek only moves the resume point.
    ASSERT_TRUE(cd.pause());
    cd.seekStart();
    EXPECT_EQ(cd.savedPosition, DWORD(MCI_MAKE_TMSF(3, 0, 5, 0))); // 0:05 cannot go back 10 s
    cd.seekEnd();
    EXPECT_EQ(cd.savedPosition, DWORD(MCI_MAKE_TMSF(3, 0, 15, 0)));
    EXPECT_EQ(heard(), 0);
}

TEST_F(CdTest, ATrackTruncatedOnDiskWhilePlayingPlaysOn)
{
    ASSERT_TRUE(cd.play(1, 0));
    EXPECT_EQ(heard(), levelOf(1));
    // Cut to its header: the disc was read when it was opened.
    ASSERT_EQ(truncate((folder + "/track01.wav").c_str(), 44), 0);
    EXPECT_EQ(heard(44100 * 60), levelOf(1));
    EXPECT_EQ(MCI_TMSF_MINUTE(cd.position()), 1);
    ASSERT_TRUE(cd.play(3, 0));
    ASSERT_EQ(truncate((folder + "/track03.wav").c_str(), 0), 0);
    EXPECT_EQ(heard(44100 * 10), levelOf(3));
}
