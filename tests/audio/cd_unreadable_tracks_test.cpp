// A virtual disc with WAV tracks that cannot be played: the device says so
// once for each as it opens, and the rest of the disc plays in its places.
#include <vantrel/audio.h>

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

void writeFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace

TEST(CdUnreadableTracks, AreReportedOnceAndPlayAsSilenceOfTheirLengthOrAreSkipped)
{
    char dir[] = "/tmp/vantrel-cdbad-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string folder = dir;
    // 1 s each at 1000 Hz, 8-bit mono: a level, an encoding nothing here
    // reads (its header still gives 2 s), no WAV at all, another level.
    writeFile(folder + "/track01.wav", waveFile(1, 1, 1000, 8, Bytes(1000, 0xA0)));
    writeFile(folder + "/track02.wav", waveFile(0x7A7A, 1, 1000, 8, Bytes(2000, 0xA0)));
    writeFile(folder + "/track03.wav", Bytes(300, 'x'));
    writeFile(folder + "/track04.wav", waveFile(1, 1, 1000, 8, Bytes(1000, 0xB0)));
    setenv("VANTREL_CDAUDIO", folder.c_str(), 1);

    ManualAudio audio;
    MessageCapture messages;
    CDaudio cd{};
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    ASSERT_EQ(messages.messages().size(), 2u) << messages.text();
    EXPECT_NE(messages.messages()[0].find("track02.wav"), std::string::npos) << messages.text();
    EXPECT_NE(messages.messages()[0].find("plays as silence"), std::string::npos) << messages.text();
    EXPECT_NE(messages.messages()[1].find("track03.wav"), std::string::npos) << messages.text();
    EXPECT_NE(messages.messages()[1].find("skipped"), std::string::npos) << messages.text();

    EXPECT_EQ(cd.numberOfTracks(), 4u);
    EXPECT_EQ(cd.trackLength(2), DWORD(MCI_MAKE_MSF(0, 2, 0)));
    EXPECT_EQ(cd.trackLength(3), 0u);
    ASSERT_TRUE(cd.play(1, 1));
    EXPECT_EQ(audio.pull(44100)[0], int16_t(0x20 * 256));
    EXPECT_EQ(audio.pull(44100 * 3 / 2)[44100 * 2], 0); // a second into the silent track
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(2, 0, 1, 37)));
    EXPECT_EQ(audio.pull(44100 / 2 + 100)[2 * (44100 / 2 + 99)], int16_t(0x30 * 256)); // track 4, in its place
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(4, 0, 0, 0)));
    EXPECT_EQ(messages.messages().size(), 2u) << messages.text();

    VTLCdCommand(cd.device, MCI_CLOSE, 0, 0);
    for (int t = 1; t <= 4; ++t)
        std::remove((folder + "/track0" + std::to_string(t) + ".wav").c_str());
    rmdir(dir);
    unsetenv("VANTREL_CDAUDIO");
}

TEST(CdUnreadableTracks, AHeaderRateNoSoundBufferTakesIsSkippedNotPlayedAsDaysOfSilence)
{
    char dir[] = "/tmp/vantrel-cdrate-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string folder = dir;
    // An encoding the mixer does not read, whose header says 1 Hz: its
    // 40000 bytes would be 11 hours of silence between the two levels.
    writeFile(folder + "/track01.wav", waveFile(1, 1, 1000, 8, Bytes(1000, 0xA0)));
    writeFile(folder + "/track02.wav", waveFile(0x7A7A, 1, 1, 8, Bytes(40000, 0xA0)));
    writeFile(folder + "/track03.wav", waveFile(1, 1, 1000, 8, Bytes(1000, 0xB0)));
    setenv("VANTREL_CDAUDIO", folder.c_str(), 1);

    ManualAudio audio;
    MessageCapture messages;
    CDaudio cd{};
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    ASSERT_EQ(messages.messages().size(), 1u) << messages.text();
    EXPECT_NE(messages.messages()[0].find("track02.wav cannot be read (a sample rate of 1 Hz): skipped"),
              std::string::npos)
        << messages.text();
    EXPECT_EQ(cd.trackLength(2), 0u);
    ASSERT_TRUE(cd.play(1, 1));
    audio.pull(44100);
    EXPECT_EQ(audio.pull(100)[0], int16_t(0x30 * 256)); // track 3 follows track 1
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(3, 0, 0, 0)));

    VTLCdCommand(cd.device, MCI_CLOSE, 0, 0);
    for (int t = 1; t <= 3; ++t)
        std::remove((folder + "/track0" + std::to_string(t) + ".wav").c_str());
    rmdir(dir);
    unsetenv("VANTREL_CDAUDIO");
}
