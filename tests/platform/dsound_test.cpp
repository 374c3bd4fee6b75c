// The sound device on the test's clock: buffers, their cursors,
// notifications, duplicates and error codes.
#include <vantrel/win32/dsound.h>
#include <vantrel/win32/synch.h>

#include "platform/dsound/dsound_buffer.h"
#include "sound_device_fixture.h"
#include "support/manual_audio.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

WAVEFORMATEX pcm(unsigned channels, unsigned rate, unsigned bits)
{
    WORD block = WORD(channels * bits / 8);
    return WAVEFORMATEX{WAVE_FORMAT_PCM, WORD(channels), rate, rate * block, block, WORD(bits), 0};
}

class SoundDeviceTest : public SoundDeviceFixture {
protected:
    IDirectSoundBuffer* make(DWORD bytes, WAVEFORMATEX format, DWORD flags = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN |
                                                                             DSBCAPS_CTRLFREQUENCY)
    {
        DSBUFFERDESC d{sizeof(DSBUFFERDESC), flags, bytes, 0, &format};
        IDirectSoundBuffer* b = nullptr;
        EXPECT_EQ(device->CreateSoundBuffer(&d, &b, nullptr), DS_OK);
        return b;
    }

    void fill(IDirectSoundBuffer* b, const std::vector<int16_t>& samples)
    {
        void *p1, *p2;
        DWORD n1, n2;
        ASSERT_EQ(b->Lock(0, DWORD(samples.size() * 2), &p1, &n1, &p2, &n2, 0), DS_OK);
        std::memcpy(p1, samples.data(), n1);
        ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    }

    static std::vector<int16_t> left(const std::vector<int16_t>& stereo)
    {
        std::vector<int16_t> l;
        for (size_t i = 0; i < stereo.size(); i += 2)
            l.push_back(stereo[i]);
        return l;
    }

    DWORD playCursor(IDirectSoundBuffer* b)
    {
        DWORD play = 0, write = 0;
        EXPECT_EQ(b->GetCurrentPosition(&play, &write), DS_OK);
        return play;
    }

    ManualAudio audio;
};

} // namespace

TEST_F(SoundDeviceTest, RefusesBadRequestsWithTheirCodes)
{
    WAVEFORMATEX f = pcm(1, 22050, 16);
    IDirectSoundBuffer* b = nullptr;
    DSBUFFERDESC d{sizeof(DSBUFFERDESC), 0, 64, 0, &f};
    EXPECT_EQ(device->CreateSoundBuffer(nullptr, &b, nullptr), DSERR_INVALIDPARAM);
    d.dwSize = 20 + 1;
    EXPECT_EQ(device->CreateSoundBuffer(&d, &b, nullptr), DSERR_INVALIDPARAM);
    d.dwSize = sizeof(DSBUFFERDESC);
    d.dwFlags = DSBCAPS_PRIMARYBUFFER;
    EXPECT_EQ(device->CreateSoundBuffer(&d, &b, nullptr), DSERR_UNSUPPORTED);
    d.dwFlags = 0;
    d.dwBufferBytes = 2;
    EXPECT_EQ(device->CreateSoundBuffer(&d, &b, nullptr), DSERR_INVALIDPARAM);
    d.dwBufferBytes = 64;
    WAVEFORMATEX odd = pcm(1, 22050, 12);
    d.lpwfxFormat = &odd;
    EXPECT_EQ(device->CreateSoundBuffer(&d, &b, nullptr), DSERR_BADFORMAT);
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(device->Initialize(nullptr), DSERR_ALREADYINITIALIZED);
    EXPECT_EQ(device->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DSERR_INVALIDPARAM);

    // Controls that were not asked for are unavailable.
    d.lpwfxFormat = &f;
    ASSERT_EQ(device->CreateSoundBuffer(&d, &b, nullptr), DS_OK);
    EXPECT_EQ(b->SetVolume(-100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(b->SetPan(100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(b->SetFrequency(11025), DSERR_CONTROLUNAVAIL);
    void* notify = &d;
    EXPECT_EQ(b->QueryInterface(IID_IDirectSoundNotify, &notify), E_NOINTERFACE);
    EXPECT_EQ(notify, nullptr);
    EXPECT_EQ(b->SetCurrentPosition(64), DSERR_INVALIDPARAM);
    void *p1, *p2;
    DWORD n1, n2;
    EXPECT_EQ(b->Lock(64, 4, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(0, 65, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(b->Release(), 0u);

    b = make(64, f);
    EXPECT_EQ(b->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetVolume(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetPan(10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetFrequency(99), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetFrequency(DSBFREQUENCY_ORIGINAL), DS_OK);
    DWORD rate = 0;
    EXPECT_EQ(b->GetFrequency(&rate), DS_OK);
    EXPECT_EQ(rate, 22050u);
    EXPECT_EQ(b->Release(), 0u);

    // An uninitialised device makes nothing.
    void* other = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_DirectSound, nullptr, CLSCTX_ALL, IID_IDirectSound, &other), S_OK);
    auto* fresh = static_cast<IDirectSound*>(other);
    EXPECT_EQ(fresh->CreateSoundBuffer(&d, &b, nullptr), DSERR_UNINITIALIZED);
    ASSERT_EQ(fresh->Initialize(nullptr), DS_OK);
    EXPECT_EQ(fresh->CreateSoundBuffer(&d, &b, nullptr), DSERR_PRIOLEVELNEEDED);
    EXPECT_EQ(fresh->Release(), 0u);
    EXPECT_EQ(CoCreateInstance(IID_IDirectSound, nullptr, CLSCTX_ALL, IID_IDirectSound, &other), REGDB_E_CLASSNOTREG);
}

TEST_F(SoundDeviceTest, LockWrapsIntoASecondRegion)
{
    IDirectSoundBuffer* b = make(100, pcm(1, 44100, 8));
    void *p1, *p2;
    DWORD n1, n2;
    ASSERT_EQ(b->Lock(80, 30, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(n1, 20u);
    EXPECT_EQ(n2, 10u);
    EXPECT_EQ(static_cast<char*>(p1) - static_cast<char*>(p2), 80);
    EXPECT_EQ(static_cast<unsigned char*>(p1)[0], 0x80); // a new 8-bit buffer holds silence
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    EXPECT_EQ(b->Unlock(p1, 21, nullptr, 0), DSERR_INVALIDPARAM);
    // Without a second pointer only the first region is given.
    ASSERT_EQ(b->Lock(80, 30, &p1, &n1, nullptr, nullptr, 0), DS_OK);
    EXPECT_EQ(n1, 20u);
    ASSERT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
    EXPECT_EQ(n1, 100u);
    EXPECT_EQ(p2, nullptr);
    EXPECT_EQ(b->Release(), 0u);
}

TEST_F(SoundDeviceTest, MixesBuffersWithVolumeAndPanSampleBySample)
{
    IDirectSoundBuffer* a = make(8, pcm(1, 44100, 16));
    IDirectSoundBuffer* b = make(16, pcm(2, 44100, 16));
    fill(a, {1000, 2000, 3000, 4000});
    fill(b, {10, 20, 30, 40, 50, 60, 70, 80});
    ASSERT_EQ(a->SetPan(DSBPAN_RIGHT), DS_OK); // left side silent
    ASSERT_EQ(b->SetVolume(-602), DS_OK);      // one half
    ASSERT_EQ(a->Play(0, 0, 0), DS_OK);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    std::vector<int16_t> out = audio.pull(6);
    EXPECT_EQ(out, (std::vector<int16_t>{5, 1010, 15, 2020, 25, 3030, 35, 4040, 0, 0, 0, 0}));
    // Both ended: stopped and rewound.
    DWORD status = 1;
    EXPECT_EQ(a->GetStatus(&status), DS_OK);
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(playCursor(a), 0u);
    EXPECT_EQ(a->Release(), 0u);
    EXPECT_EQ(b->Release(), 0u);
}

TEST_F(SoundDeviceTest, CursorsAdvanceWithWhatWasMixedAndLoopsAreExact)
{
    IDirectSoundBuffer* b = make(10, pcm(1, 44100, 16));
    fill(b, {1, 2, 3, 4, 5});
    EXPECT_EQ(playCursor(b), 0u);
    audio.pull(3);
    EXPECT_EQ(playCursor(b), 0u); // not playing: nothing taken
    ASSERT_EQ(b->SetCurrentPosition(6), DS_OK);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    DWORD status = 0;
    b->GetStatus(&status);
    EXPECT_EQ(status, DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
    EXPECT_EQ(left(audio.pull(4)), (std::vector<int16_t>{4, 5, 1, 2}));
    EXPECT_EQ(playCursor(b), 4u);
    EXPECT_EQ(left(audio.pull(7)), (std::vector<int16_t>{3, 4, 5, 1, 2, 3, 4}));
    DWORD play, write;
    b->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 8u);
    EXPECT_NE(write, play); // the mixer works ahead while playing
    ASSERT_EQ(b->Stop(), DS_OK);
    EXPECT_EQ(left(audio.pull(2)), (std::vector<int16_t>{0, 0}));
    EXPECT_EQ(playCursor(b), 8u); // Stop keeps the position
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(left(audio.pull(3)), (std::vector<int16_t>{5, 0, 0}));
    EXPECT_EQ(playCursor(b), 0u); // the end of a sound played once rewinds it
    EXPECT_EQ(b->Release(), 0u);
}

TEST_F(SoundDeviceTest, ChangedFrequencyResamples)
{
    IDirectSoundBuffer* b = make(8, pcm(1, 44100, 16));
    fill(b, {0, 100, 200, 300});
    ASSERT_EQ(b->SetFrequency(22050), DS_OK);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(left(audio.pull(8)), (std::vector<int16_t>{0, 50, 100, 150, 200, 250, 300, 150}));
    EXPECT_EQ(b->Release(), 0u);
}

TEST_F(SoundDeviceTest, DuplicatesShareMemoryAndPlayOnTheirOwn)
{
    IDirectSoundBuffer* a = make(8, pcm(1, 44100, 16));
    fill(a, {100, 200, 300, 400});
    ASSERT_EQ(a->SetVolume(-602), DS_OK);
    IDirectSoundBuffer* b = nullptr;
    ASSERT_EQ(device->DuplicateSoundBuffer(a, &b), DS_OK);
    LONG volume = 0;
    b->GetVolume(&volume);
    EXPECT_EQ(volume, -602); // settings are copied
    ASSERT_EQ(b->SetVolume(0), DS_OK);
    fill(b, {1000, 2000, 3000, 4000}); // the same memory
    ASSERT_EQ(b->SetCurrentPosition(4), DS_OK);
    ASSERT_EQ(a->Play(0, 0, 0), DS_OK);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(left(audio.pull(5)), (std::vector<int16_t>{500 + 3000, 1000 + 4000, 1500 + 1000, 2000 + 2000, 3000}));
    // Releasing the original leaves the duplicate playing its sound.
    EXPECT_EQ(a->Release(), 0u);
    EXPECT_EQ(left(audio.pull(2)), (std::vector<int16_t>{4000, 1000}));
    EXPECT_EQ(b->Release(), 0u);
    EXPECT_EQ(device->DuplicateSoundBuffer(nullptr, &b), DSERR_INVALIDPARAM);
}

TEST_F(SoundDeviceTest, NotificationsFireWhenTheirByteHasBeenMixed)
{
    IDirectSoundBuffer* b = make(40, pcm(1, 44100, 16),
                                 DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_CTRLVOLUME);
    void* object = nullptr;
    ASSERT_EQ(b->QueryInterface(IID_IDirectSoundNotify, &object), S_OK);
    auto* notify = static_cast<IDirectSoundNotify*>(object);
    HANDLE at10 = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    HANDLE last = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    HANDLE stop = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    DSBPOSITIONNOTIFY positions[3] = {{10, at10}, {39, last}, {DSBPN_OFFSETSTOP, stop}};
    EXPECT_EQ(notify->SetNotificationPositions(1, nullptr), DSERR_INVALIDPARAM);
    DSBPOSITIONNOTIFY outside{40, at10};
    EXPECT_EQ(notify->SetNotificationPositions(1, &outside), DSERR_INVALIDPARAM);
    ASSERT_EQ(notify->SetNotificationPositions(3, positions), DS_OK);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(notify->SetNotificationPositions(0, nullptr), DSERR_INVALIDCALL); // not while playing

    audio.pull(5); // bytes 0..9
    EXPECT_EQ(WaitForSingleObject(at10, 0), DWORD(WAIT_TIMEOUT));
    audio.pull(1); // byte 10
    EXPECT_EQ(WaitForSingleObject(at10, 0), DWORD(WAIT_OBJECT_0));
    audio.pull(13); // up to byte 37
    EXPECT_EQ(WaitForSingleObject(last, 0), DWORD(WAIT_TIMEOUT));
    audio.pull(3); // the last frame, then round again to byte 3
    EXPECT_EQ(WaitForSingleObject(last, 0), DWORD(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(at10, 0), DWORD(WAIT_TIMEOUT));
    audio.pull(25); // a whole turn: both again
    HANDLE both[2] = {at10, last};
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), DWORD(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(stop, 0), DWORD(WAIT_TIMEOUT));
    ASSERT_EQ(b->Stop(), DS_OK);
    EXPECT_EQ(WaitForSingleObject(stop, 0), DWORD(WAIT_OBJECT_0));
    ASSERT_EQ(b->Stop(), DS_OK);
    EXPECT_EQ(WaitForSingleObject(stop, 0), DWORD(WAIT_TIMEOUT)); // only a playing buffer stops

    // A buffer played once signals the stop position at its end.
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    audio.pull(30);
    EXPECT_EQ(WaitForSingleObject(stop, 0), DWORD(WAIT_OBJECT_0));

    // The notification interface shares the buffer's references.
    EXPECT_EQ(b->Release(), 1u);
    EXPECT_EQ(notify->Release(), 0u);
    CloseHandle(at10);
    CloseHandle(last);
    CloseHandle(stop);
}

TEST_F(SoundDeviceTest, LostBuffersRefuseUntilRestored)
{
    IDirectSoundBuffer* b = make(8, pcm(1, 44100, 16));
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    static_cast<vtl::SoundBuffer*>(b)->lose();
    DWORD status = 0;
    b->GetStatus(&status);
    EXPECT_EQ(status, DWORD(DSBSTATUS_BUFFERLOST));
    EXPECT_EQ(b->Play(0, 0, 0), DSERR_BUFFERLOST);
    void *p1, *p2;
    DWORD n1, n2;
    EXPECT_EQ(b->Lock(0, 4, &p1, &n1, &p2, &n2, 0), DSERR_BUFFERLOST);
    EXPECT_EQ(b->Restore(), DS_OK);
    EXPECT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(b->Release(), 0u);
}
