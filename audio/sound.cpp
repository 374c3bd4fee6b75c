// SOUND: the process's sound device and the buffers made on it.
#include <vantrel/audio.h>
#include <vantrel/core.h>

IDirectSound* SOUND::mSound = nullptr;

bool SOUND::create(HWND window)
{
    if (mSound)
        return true;
    void* device = nullptr;
    if (FAILED(CoCreateInstance(CLSID_DirectSound, nullptr, CLSCTX_ALL, IID_IDirectSound, &device))) {
        Msg("Unable to CoCreateInstance");
        return false;
    }
    mSound = static_cast<IDirectSound*>(device);
    if (FAILED(mSound->Initialize(nullptr))) {
        release();
        Msg("Unable to Initalize");
        return false;
    }
    if (FAILED(mSound->SetCooperativeLevel(window, DSSCL_NORMAL))) {
        release();
        Msg("Unable to SetCooperativeLevel");
        return false;
    }
    return true;
}

bool SOUND::release()
{
    if (!mSound)
        return true;
    if (mSound->Release() != 0)
        return false;
    mSound = nullptr;
    return true;
}

static IDirectSoundBuffer* makeBuffer(unsigned long size, WAVEFORMATEX* format, DWORD flags)
{
    if (!SOUND::mSound) {
        Msg("SOUND:makeSound() - Not created.");
        return nullptr;
    }
    DSBUFFERDESC description{};
    description.dwSize = sizeof(DSBUFFERDESC);
    description.dwFlags = flags;
    description.dwBufferBytes = DWORD(size);
    description.dwReserved = 0;
    description.lpwfxFormat = format;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(SOUND::mSound->CreateSoundBuffer(&description, &buffer, nullptr)))
        return nullptr;
    return buffer;
}

IDirectSoundBuffer* SOUND::make(unsigned long size, WAVEFORMATEX* format)
{
    return makeBuffer(size, format, DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME);
}

IDirectSoundBuffer* SOUND::makeStream(unsigned long size, WAVEFORMATEX* format)
{
    return makeBuffer(size, format,
                      DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
                          DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_GETCURRENTPOSITION2);
}

IDirectSoundBuffer* SOUND::copy(IDirectSoundBuffer* source)
{
    if (!mSound) {
        Msg("SOUND::copySound() - Not created.");
        return nullptr;
    }
    if (!source) {
        Msg("SOUND::copySound() - No buffer.");
        return nullptr;
    }
    IDirectSoundBuffer* duplicate = nullptr;
    if (FAILED(mSound->DuplicateSoundBuffer(source, &duplicate)))
        return nullptr;
    return duplicate;
}
