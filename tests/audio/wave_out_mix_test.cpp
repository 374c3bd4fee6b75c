// What the waveOut device puts into the mix, on the test's own clock: blocks
// one after another without a gap, the position as mixed, pause, volume per
// side, and WOM_DONE once a block has been mixed to its end.
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/synch.h>

#include "support/manual_audio.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class WaveOutMixTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = 1;
        format.nSamplesPerSec = 44100; // the output's rate: no resampling
        format.wBitsPerSample = 16;
        format.nBlockAlign = 2;
        format.nAvgBytesPerSec = 88200;
        ASSERT_EQ(waveOutOpen(&device, 0, &format, DWORD_PTR(done), 0, CALLBACK_EVENT), MMRESULT(MMSYSERR_NOERROR));
        ASSERT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0); // WOM_OPEN
    }
    void TearDown() override
    {
        waveOutReset(device);
        for (WAVEHDR* h : {&first, &second})
            waveOutUnprepareHeader(device, h, sizeof(WAVEHDR));
        EXPECT_EQ(waveOutClose(device), MMRESULT(MMSYSERR_NOERROR));
        CloseHandle(done);
    }

    void queue(WAVEHDR& header, std::vector<short>& samples, short level, size_t frames)
    {
        samples.assign(frames, level);
        header = WAVEHDR{};
        header.lpData = reinterpret_cast<LPSTR>(samples.data());
        header.dwBufferLength = DWORD(frames * 2);
        ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof header), MMRESULT(MMSYSERR_NOERROR));
        ASSERT_EQ(waveOutWrite(device, &header, sizeof header), MMRESULT(MMSYSERR_NOERROR));
    }
    DWORD bytesPlayed()
    {
        MMTIME t{};
        t.wType = TIME_BYTES;
        EXPECT_EQ(waveOutGetPosition(device, &t, sizeof t), MMRESULT(MMSYSERR_NOERROR));
        return t.u.cb;
    }

    ManualAudio audio;
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT device = nullptr;
    WAVEHDR first{}, second{};
    std::vector<short> firstSamples, secondSamples;
};

} // namespace

TEST_F(WaveOutMixTest, BlocksFollowEachOtherAndComeBackWhenMixed)
{
    queue(first, firstSamples, 1000, 100);
    queue(second, secondSamples, -2000, 50);
    std::vector<int16_t> out = audio.pull(99);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], 1000); // mono plays on both sides
    EXPECT_EQ(out[98 * 2], 1000);
    EXPECT_EQ(bytesPlayed(), 198u);
    EXPECT_EQ(WaitForSingleObject(done, 0), WAIT_TIMEOUT);

    out = audio.pull(61);
    EXPECT_EQ(out[0], 1000);          // the first block's last frame
    EXPECT_EQ(out[1 * 2], -2000);     // the second's first, at once
    EXPECT_EQ(out[50 * 2], -2000);
    EXPECT_EQ(out[51 * 2], 0);        // then silence
    EXPECT_EQ(bytesPlayed(), 300u);
    // Both WOM_DONE set the event; an event set twice before a wait is one
    // signal, and the second block was done before the event was set.
    ASSERT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(first.dwFlags, DWORD(WHDR_PREPARED | WHDR_DONE));
    EXPECT_EQ(second.dwFlags, DWORD(WHDR_PREPARED | WHDR_DONE));
}

TEST_F(WaveOutMixTest, PauseHoldsThePositionAndVolumeScalesEachSide)
{
    queue(first, firstSamples, 1000, 200);
    audio.pull(50);
    ASSERT_EQ(waveOutPause(device), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(audio.pull(20)[0], 0);
    EXPECT_EQ(bytesPlayed(), 100u);

    ASSERT_EQ(waveOutSetVolume(device, 0xFFFF8000), MMRESULT(MMSYSERR_NOERROR)); // left half, right full
    ASSERT_EQ(waveOutRestart(device), MMRESULT(MMSYSERR_NOERROR));
    const std::vector<int16_t> out = audio.pull(10);
    EXPECT_NEAR(out[0], 500, 1);
    EXPECT_EQ(out[1], 1000);
    EXPECT_EQ(bytesPlayed(), 120u);

    // Reset hands the block back and starts the position again.
    ASSERT_EQ(waveOutReset(device), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(first.dwFlags, DWORD(WHDR_PREPARED | WHDR_DONE));
    EXPECT_EQ(bytesPlayed(), 0u);
    EXPECT_EQ(audio.pull(10)[0], 0);
    EXPECT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
}
