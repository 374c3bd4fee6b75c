// SOUND and SOUNDBUFFER: the device's lifetime, messages on missing devices
// and buffers, playing, stopping and duplicates.
#include <vantrel/audio.h>

#include "support/manual_audio.h"
#include "support/message_capture.h"

#include <gtest/gtest.h>

namespace {

HWND window() { return reinterpret_cast<HWND>(1); }

WAVEFORMATEX mono16()
{
    return WAVEFORMATEX{WAVE_FORMAT_PCM, 1, 44100, 88200, 2, 16, 0};
}

std::vector<int16_t> left(const std::vector<int16_t>& stereo)
{
    std::vector<int16_t> l;
    for (size_t i = 0; i < stereo.size(); i += 2)
        l.push_back(stereo[i]);
    return l;
}

} // namespace

TEST(Sound, MakesOneDeviceAndReportsWhatIsMissing)
{
    ManualAudio audio;
    MessageCapture capture;
    WAVEFORMATEX f = mono16();
    EXPECT_EQ(SOUND::make(8, &f), nullptr);
    EXPECT_EQ(SOUND::copy(nullptr), nullptr);
    EXPECT_EQ(capture.text(), "SOUND:makeSound() - Not created.\r\nSOUND::copySound() - Not created.\r\n");
    capture.clear();

    EXPECT_FALSE(SOUND::create(nullptr)); // a device needs a window
    EXPECT_EQ(capture.text(), "Unable to SetCooperativeLevel\r\n");
    EXPECT_EQ(SOUND::mSound, nullptr);

    ASSERT_TRUE(SOUND::create(window()));
    IDirectSound* device = SOUND::mSound;
    ASSERT_TRUE(SOUND::create(window()));
    EXPECT_EQ(SOUND::mSound, device);
    capture.clear();
    EXPECT_EQ(SOUND::copy(nullptr), nullptr);
    EXPECT_EQ(capture.text(), "SOUND::copySound() - No buffer.\r\n");
    WAVEFORMATEX bad = f;
    bad.nBlockAlign = 3;
    EXPECT_EQ(SOUND::make(8, &bad), nullptr); // the device's refusal has no message of its own
    EXPECT_TRUE(SOUND::release());
    EXPECT_EQ(SOUND::mSound, nullptr);
    EXPECT_TRUE(SOUND::release());
}

TEST(Sound, EmptyBuffersReportEachOperation)
{
    MessageCapture capture;
    SOUNDBUFFER empty;
    EXPECT_FALSE(empty.play(false));
    EXPECT_FALSE(empty.stop());
    EXPECT_FALSE(empty.setVol(-100));
    EXPECT_FALSE(empty.setPan(100));
    char byte = 0;
    EXPECT_FALSE(empty.memread(&byte, 1));
    EXPECT_FALSE(empty.memread(&byte, 0));
    EXPECT_TRUE(empty.release());
    EXPECT_EQ(capture.text(), "SOUNDBUFFER::play() - No buffer.\r\n"
                              "SOUNDBUFFER::stop() - No buffer.\r\n"
                              "SOUNDBUFFER::setVol() - No buffer.\r\n"
                              "SOUNDBUFFER::setPan() - No buffer.\r\n"
                              "SOUNDBUFFER::write() - No sound buffer.\r\n"
                              "SOUNDBUFFER::write() - Bad file or size.\r\n");
}

TEST(Sound, BuffersPlayStopRewindAndDuplicate)
{
    ManualAudio audio;
    ASSERT_TRUE(SOUND::create(window()));
    {
        WAVEFORMATEX f = mono16();
        SOUNDBUFFER a, b;
        a.buffer = SOUND::make(8, &f);
        ASSERT_NE(a.buffer, nullptr);
        int16_t samples[4] = {10, 20, 30, 40};
        ASSERT_TRUE(a.memread(reinterpret_cast<char*>(samples), sizeof samples));

        ASSERT_TRUE(a.play(true));
        EXPECT_EQ(left(audio.pull(6)), (std::vector<int16_t>{10, 20, 30, 40, 10, 20}));
        // stop() rewinds: the next play starts at the beginning.
        ASSERT_TRUE(a.stop());
        ASSERT_TRUE(a.play(false));
        EXPECT_EQ(left(audio.pull(2)), (std::vector<int16_t>{10, 20}));
        ASSERT_TRUE(a.stop());

        ASSERT_TRUE(b.copy(a));
        EXPECT_NE(b.buffer, a.buffer);
        ASSERT_TRUE(b.setVol(-602));
        ASSERT_TRUE(a.setPan(DSBPAN_LEFT));
        ASSERT_TRUE(a.play(false));
        ASSERT_TRUE(b.play(false));
        std::vector<int16_t> out = audio.pull(1);
        EXPECT_EQ(out[0], 10 + 5);
        EXPECT_EQ(out[1], 5); // a is silent on the right

        // A copy survives the release of its source.
        EXPECT_TRUE(a.release());
        EXPECT_EQ(left(audio.pull(2)), (std::vector<int16_t>{10, 15}));
        MessageCapture capture;
        EXPECT_FALSE(a.copy(a)); // an empty buffer has nothing to share
        EXPECT_EQ(capture.text(), "SOUND::copySound() - No buffer.\r\n");
        EXPECT_EQ(a.buffer, nullptr);
    }
    EXPECT_TRUE(SOUND::release()); // the buffers released themselves
}
