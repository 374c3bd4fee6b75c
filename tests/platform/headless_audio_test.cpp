// The headless output on its own clock: cursors move while the program
// waits, and wav:PATH records everything mixed.
#include <vantrel/win32/dsound.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

std::vector<unsigned char> readFile(const std::string& path)
{
    std::vector<unsigned char> bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF)
            bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
    }
    return bytes;
}

uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

} // namespace

TEST(HeadlessAudio, ConsumesInRealTimeAndRecordsTheMixToAWavFile)
{
    std::string path = "/tmp/vantrel-headless-" + std::to_string(getpid()) + ".wav";
    setenv("VANTREL_AUDIO", ("wav:" + path).c_str(), 1);
    IDirectSound* device = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    ASSERT_EQ(device->SetCooperativeLevel(reinterpret_cast<HWND>(1), DSSCL_NORMAL), DS_OK);

    WAVEFORMATEX f{WAVE_FORMAT_PCM, 1, 44100, 88200, 2, 16, 0};
    DSBUFFERDESC d{sizeof(DSBUFFERDESC), 0, 4410 * 2, 0, &f}; // a tenth of a second
    IDirectSoundBuffer* b = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&d, &b, nullptr), DS_OK);
    void *p1, *p2;
    DWORD n1, n2;
    ASSERT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
    auto* samples = static_cast<int16_t*>(p1);
    for (DWORD i = 0; i < n1 / 2; ++i)
        samples[i] = 1234;
    ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);

    // The sound ends by itself once the clock has taken it.
    DWORD status = DSBSTATUS_PLAYING;
    for (int i = 0; i < 500 && (status & DSBSTATUS_PLAYING); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        b->GetStatus(&status);
    }
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(b->Release(), 0u);
    EXPECT_EQ(device->Release(), 0u); // the last user closes the output
    unsetenv("VANTREL_AUDIO");

    std::vector<unsigned char> wav = readFile(path);
    std::remove(path.c_str());
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
    EXPECT_EQ(le32(wav.data() + 4), wav.size() - 8);
    EXPECT_EQ(le32(wav.data() + 24), 44100u);
    uint32_t dataBytes = le32(wav.data() + 40);
    EXPECT_EQ(dataBytes, wav.size() - 44);
    // Every frame of the sound is in the recording, in both channels.
    size_t loud = 0;
    for (size_t i = 44; i + 1 < wav.size(); i += 2)
        loud += int16_t(wav[i] | wav[i + 1] << 8) == 1234;
    EXPECT_EQ(loud, 4410u * 2);
}
