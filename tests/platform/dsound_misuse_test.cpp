// Sound buffers used the wrong way while the mixer runs on a thread of its
// own, as the real output's thread does: calls racing the mix, buffers
// released while they play, from the thread their notification woke, and
// duplicates outliving their original.
#include <vantrel/win32/dsound.h>
#include <vantrel/win32/synch.h>

#include "sound_device_fixture.h"
#include "support/manual_audio.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

WAVEFORMATEX pcm16(unsigned channels, unsigned rate)
{
    WORD block = WORD(channels * 2);
    return WAVEFORMATEX{WAVE_FORMAT_PCM, WORD(channels), rate, rate * block, block, 16, 0};
}

class SoundMisuseTest : public SoundDeviceFixture {
protected:
    void TearDown() override
    {
        stopMixer();
        SoundDeviceFixture::TearDown();
    }

    IDirectSoundBuffer* make(DWORD bytes, DWORD flags, int16_t value = 1000)
    {
        WAVEFORMATEX format = pcm16(1, 22050);
        DSBUFFERDESC d{sizeof(DSBUFFERDESC), flags, bytes, 0, &format};
        IDirectSoundBuffer* b = nullptr;
        EXPECT_EQ(device->CreateSoundBuffer(&d, &b, nullptr), DS_OK);
        if (b) {
            void *p1, *p2;
            DWORD n1, n2;
            EXPECT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
            std::vector<int16_t> samples(n1 / 2, value);
            std::memcpy(p1, samples.data(), n1);
            EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
        }
        return b;
    }

    // Pulls small periods until told to stop, as the output's thread does.
    void startMixer()
    {
        audio.pull(1); // opens the engine on this thread
        mixer = std::thread([this] {
            while (!stopping.load())
                mixed += audio.pull(64).size() / 2;
        });
    }
    void stopMixer()
    {
        stopping = true;
        if (mixer.joinable())
            mixer.join();
    }

    ManualAudio audio;
    std::thread mixer;
    std::atomic<bool> stopping{false};
    std::atomic<size_t> mixed{0};
};

} // namespace

TEST_F(SoundMisuseTest, EveryCallRacingTheMixerKeepsItsResult)
{
    const DWORD flags = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY | DSBCAPS_GETCURRENTPOSITION2;
    IDirectSoundBuffer* looping = make(4410, flags);
    ASSERT_NE(looping, nullptr);
    startMixer();
    ASSERT_EQ(looping->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    for (int round = 0; round < 200; ++round) {
        // Every round meets at least one mix.
        for (const size_t seen = mixed.load(); mixed.load() == seen;)
            std::this_thread::yield();
        EXPECT_EQ(looping->SetVolume(-(round % 50) * 100), DS_OK);
        EXPECT_EQ(looping->SetPan((round % 21 - 10) * 1000), DS_OK);
        EXPECT_EQ(looping->SetFrequency(11025 + DWORD(round) * 100), DS_OK);
        DWORD play = 0, write = 0, status = 0;
        EXPECT_EQ(looping->GetCurrentPosition(&play, &write), DS_OK);
        EXPECT_LT(play, 4410u);
        EXPECT_LT(write, 4410u);
        EXPECT_EQ(play % 2, 0u) << "a cursor stays on a frame";
        EXPECT_EQ(looping->GetStatus(&status), DS_OK);
        EXPECT_EQ(status, DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
        EXPECT_EQ(looping->SetCurrentPosition(DWORD(round * 22) % 4410), DS_OK);

        // A short sound started, duplicated and dropped while it plays.
        IDirectSoundBuffer* shot = make(64, DSBCAPS_CTRLVOLUME);
        ASSERT_NE(shot, nullptr);
        EXPECT_EQ(shot->Play(0, 0, round % 2 ? DSBPLAY_LOOPING : 0), DS_OK);
        IDirectSoundBuffer* twin = nullptr;
        EXPECT_EQ(device->DuplicateSoundBuffer(shot, &twin), DS_OK);
        ASSERT_NE(twin, nullptr);
        EXPECT_EQ(twin->Play(0, 0, 0), DS_OK);
        EXPECT_EQ(shot->Release(), 0u);
        if (round % 3 == 0) {
            EXPECT_EQ(twin->Stop(), DS_OK);
        }
        EXPECT_EQ(twin->Release(), 0u);
    }
    EXPECT_EQ(looping->Stop(), DS_OK);
    stopMixer();
    EXPECT_GT(mixed.load(), 0u);
    DWORD status = 1;
    EXPECT_EQ(looping->GetStatus(&status), DS_OK);
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(looping->Release(), 0u);
}

// A game's sound thread waits on a buffer's events and, on the stop event,
// releases the buffer: the mixer that set the event is still running.
TEST_F(SoundMisuseTest, ABufferReleasedByTheThreadItsNotificationWokeIsGoneCleanly)
{
    startMixer();
    for (int round = 0; round < 50; ++round) {
        IDirectSoundBuffer* b = make(256, DSBCAPS_CTRLPOSITIONNOTIFY);
        ASSERT_NE(b, nullptr);
        void* object = nullptr;
        ASSERT_EQ(b->QueryInterface(IID_IDirectSoundNotify, &object), S_OK);
        auto* notify = static_cast<IDirectSoundNotify*>(object);
        HANDLE half = CreateEvent(nullptr, FALSE, FALSE, nullptr);
        HANDLE stopped = CreateEvent(nullptr, FALSE, FALSE, nullptr);
        DSBPOSITIONNOTIFY positions[2] = {{128, half}, {DSBPN_OFFSETSTOP, stopped}};
        ASSERT_EQ(notify->SetNotificationPositions(2, positions), DS_OK);
        EXPECT_EQ(notify->Release(), 1u);

        std::thread game([&] {
            // Woken half-way, the game stops the sound early on every other
            // round; otherwise it waits for the end.
            EXPECT_EQ(WaitForSingleObject(half, 5000), DWORD(WAIT_OBJECT_0));
            if (round % 2) {
                EXPECT_EQ(b->Stop(), DS_OK);
            }
            EXPECT_EQ(WaitForSingleObject(stopped, 5000), DWORD(WAIT_OBJECT_0));
            EXPECT_EQ(b->Release(), 0u);
        });
        ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
        game.join();
        CloseHandle(half);
        CloseHandle(stopped);
    }
}

// Duplicates share the original's sound memory: whichever is released
// first, the other still plays what was written into it.
TEST_F(SoundMisuseTest, ADuplicateOutlivesItsOriginalAndPlaysItsSound)
{
    IDirectSoundBuffer* original = make(8, 0, 3000);
    ASSERT_NE(original, nullptr);
    IDirectSoundBuffer* copy = nullptr;
    ASSERT_EQ(original->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    ASSERT_EQ(device->DuplicateSoundBuffer(original, &copy), DS_OK);
    DWORD status = 1;
    EXPECT_EQ(copy->GetStatus(&status), DS_OK);
    EXPECT_EQ(status, 0u) << "a duplicate starts stopped";
    EXPECT_EQ(original->Release(), 0u);
    ASSERT_EQ(copy->Play(0, 0, 0), DS_OK);
    std::vector<int16_t> out = audio.pull(8); // 4 frames at 22050 Hz last 8 output frames
    EXPECT_EQ(out[0], 3000);
    EXPECT_EQ(out[12], 3000);
    EXPECT_EQ(copy->Release(), 0u);
    IDirectSoundBuffer* none = copy;
    EXPECT_EQ(device->DuplicateSoundBuffer(nullptr, &none), DSERR_INVALIDPARAM);
    EXPECT_EQ(none, nullptr);
}

// Lock and Unlock called out of turn: an Unlock with pointers of another
// buffer, a second Unlock, a Lock of a lost buffer from the write cursor.
TEST_F(SoundMisuseTest, LockAndUnlockOutOfTurn)
{
    IDirectSoundBuffer* a = make(64, 0);
    IDirectSoundBuffer* b = make(64, 0);
    void *p1, *p2, *q1, *q2;
    DWORD n1, n2, m1, m2;
    ASSERT_EQ(a->Lock(0, 32, &p1, &n1, &p2, &n2, 0), DS_OK);
    ASSERT_EQ(b->Lock(0, 32, &q1, &m1, &q2, &m2, 0), DS_OK);
    EXPECT_EQ(a->Unlock(q1, m1, q2, m2), DSERR_INVALIDPARAM);
    EXPECT_EQ(a->Unlock(p1, n1, p2, n2), DS_OK);
    EXPECT_EQ(b->Unlock(q1, m1, nullptr, 0), DS_OK);
    EXPECT_EQ(a->Lock(0, 16, nullptr, &n1, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(a->Lock(0, 16, &p1, nullptr, nullptr, nullptr, 0), DSERR_INVALIDPARAM);

    // From the write cursor of a playing buffer the region wraps at the end.
    ASSERT_EQ(a->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    audio.pull(30);
    DWORD play = 0, write = 0;
    ASSERT_EQ(a->GetCurrentPosition(&play, &write), DS_OK);
    ASSERT_EQ(a->Lock(0, 64, &p1, &n1, &p2, &n2, DSBLOCK_FROMWRITECURSOR), DS_OK);
    EXPECT_EQ(n1, 64 - write);
    EXPECT_EQ(n2, write);
    if (write > 0) {
        EXPECT_EQ(static_cast<uint8_t*>(p1) - static_cast<uint8_t*>(p2), ptrdiff_t(write));
    }
    EXPECT_EQ(a->Unlock(p1, n1, p2, n2), DS_OK);
    EXPECT_EQ(a->Release(), 0u);
    EXPECT_EQ(b->Release(), 0u);
}

// Two threads of a game each open a sound device, play on it and release
// it, over and over, while the real-time output mixes: the shared output is
// opened, used and closed under them without a race.
TEST(SoundDevicesInRealTime, OpenedAndReleasedOnTwoThreadsWhileTheOutputMixes)
{
    setenv("VANTREL_AUDIO", "headless", 1);
    auto player = [] {
        for (int round = 0; round < 10; ++round) {
            void* object = nullptr;
            ASSERT_EQ(CoCreateInstance(CLSID_DirectSound, nullptr, CLSCTX_ALL, IID_IDirectSound, &object), S_OK);
            auto* device = static_cast<IDirectSound*>(object);
            ASSERT_EQ(device->Initialize(nullptr), DS_OK);
            ASSERT_EQ(device->SetCooperativeLevel(reinterpret_cast<HWND>(1), DSSCL_NORMAL), DS_OK);
            WAVEFORMATEX format = pcm16(2, 44100);
            DSBUFFERDESC d{sizeof(DSBUFFERDESC), 0, 4410 * 4, 0, &format};
            IDirectSoundBuffer* b = nullptr;
            ASSERT_EQ(device->CreateSoundBuffer(&d, &b, nullptr), DS_OK);
            EXPECT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
            std::this_thread::sleep_for(std::chrono::milliseconds(round % 3 * 5));
            DWORD play = 0;
            EXPECT_EQ(b->GetCurrentPosition(&play, nullptr), DS_OK);
            EXPECT_LT(play, 4410u * 4);
            // Every other round the device goes first, its buffer playing on.
            if (round % 2) {
                EXPECT_EQ(device->Release(), 0u);
                EXPECT_EQ(b->Release(), 0u);
            } else {
                EXPECT_EQ(b->Release(), 0u);
                EXPECT_EQ(device->Release(), 0u);
            }
        }
    };
    std::thread first(player), second(player);
    first.join();
    second.join();
}
