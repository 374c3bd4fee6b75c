// PlaySound and sndPlaySound with WAV files and images in memory, and the
// MCI error texts a game shows when its CD music fails.
#include <windows.h>

#include <mmsystem.h>

#include "scratch_folder.h"
#include "wave_image.h"
#include "support/wine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

TEST(SoundCalls, PlaysFilesAndMemoryAndStopsOnNull)
{
    ScratchFolder folder;
    folder.write("Sounds/Click.wav", waveImage(30));
    const std::string click = folder.windows("Sounds\\Click.wav");

    EXPECT_TRUE(PlaySoundA(click.c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT));
    const std::string image = waveImage(30);
    EXPECT_TRUE(PlaySoundA(image.data(), nullptr, SND_MEMORY | SND_SYNC | SND_NODEFAULT));
    EXPECT_TRUE(sndPlaySoundA(click.c_str(), SND_SYNC | SND_NODEFAULT));

    // A looping sound plays until it is stopped; SND_NOSTOP does not stop it.
    EXPECT_TRUE(PlaySoundA(click.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_LOOP | SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundA(image.data(), nullptr, SND_MEMORY | SND_ASYNC | SND_NOSTOP | SND_NODEFAULT));
    EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));
    EXPECT_TRUE(PlaySoundA(image.data(), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT));
    EXPECT_TRUE(PlaySoundA(nullptr, nullptr, SND_PURGE));
    EXPECT_TRUE(sndPlaySoundA(nullptr, 0));
}

TEST(SoundCalls, FailsForWhatCannotBePlayed)
{
    ScratchFolder folder;
    folder.write("Noise.wav", "this is no RIFF file");
    EXPECT_FALSE(PlaySoundA(folder.windows("Missing.wav").c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundA(folder.windows("Noise.wav").c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT));
    const char garbage[] = "RIFX\x04\0\0\0WAVE";
    EXPECT_FALSE(PlaySoundA(garbage, nullptr, SND_MEMORY | SND_SYNC | SND_NODEFAULT));
    // Wine looks for an asynchronous sound after the call has returned TRUE.
    if (!runningUnderWine()) {
        EXPECT_FALSE(sndPlaySoundA(folder.windows("Missing.wav").c_str(), SND_ASYNC | SND_NODEFAULT));
    }
}

TEST(MciErrors, TextsAreWindowsOwnAndFitTheBuffer)
{
    char text[128];
    ASSERT_TRUE(mciGetErrorStringA(MCIERR_INVALID_DEVICE_NAME, text, sizeof text));
    EXPECT_STREQ(text, "The specified device is not open or is not recognized by MCI.");
    ASSERT_TRUE(mciGetErrorStringA(MCIERR_DEVICE_NOT_READY, text, sizeof text));
    EXPECT_STREQ(text, "The device driver is not ready.");

    char shortText[8];
    std::memset(shortText, 'x', sizeof shortText);
    EXPECT_TRUE(mciGetErrorStringA(MCIERR_DEVICE_NOT_READY, shortText, sizeof shortText));
    EXPECT_STREQ(shortText, "The dev");

    EXPECT_FALSE(mciGetErrorStringA(MCIERR_DEVICE_NOT_READY, nullptr, 10));
    EXPECT_FALSE(mciGetErrorStringA(0, text, sizeof text)); // no error is no MCI error
    EXPECT_FALSE(mciGetErrorStringA(MCIERR_BASE - 1, text, sizeof text));
}
