// SOUNDBUFFER: playing, stopping and filling a whole sound.
#include <vantrel/audio.h>
#include <vantrel/core.h>

#include <cstring>

SOUNDBUFFER::SOUNDBUFFER() : buffer(nullptr) {}

SOUNDBUFFER::~SOUNDBUFFER()
{
    release();
}

bool SOUNDBUFFER::release()
{
    if (!buffer)
        return true;
    if (buffer->Release() != 0) {
        // Another reference (a notification interface) keeps it alive.
        buffer = nullptr;
        return false;
    }
    buffer = nullptr;
    return true;
}

bool SOUNDBUFFER::copy(const SOUNDBUFFER& source)
{
    if (!release()) {
        Msg("DXSound::copy() - Release failed.");
        return false;
    }
    buffer = SOUND::copy(source.buffer);
    return buffer != nullptr;
}

bool SOUNDBUFFER::play(bool loop) const
{
    if (!buffer) {
        Msg("SOUNDBUFFER::play() - No buffer.");
        return false;
    }
    HRESULT result = buffer->Play(0, 0, loop ? DSBPLAY_LOOPING : 0);
    if (result == DSERR_BUFFERLOST) {
        // The sound memory comes back as it was left; it is not refilled.
        if (FAILED(buffer->Restore()))
            return false;
        result = buffer->Play(0, 0, loop ? DSBPLAY_LOOPING : 0);
    }
    return SUCCEEDED(result);
}

bool SOUNDBUFFER::stop() const
{
    if (!buffer) {
        Msg("SOUNDBUFFER::stop() - No buffer.");
        return false;
    }
    bool stopped = SUCCEEDED(buffer->Stop());
    return SUCCEEDED(buffer->SetCurrentPosition(0)) && stopped;
}

bool SOUNDBUFFER::setVol(long volume) const
{
    if (!buffer) {
        Msg("SOUNDBUFFER::setVol() - No buffer.");
        return false;
    }
    return SUCCEEDED(buffer->SetVolume(LONG(volume)));
}

bool SOUNDBUFFER::setPan(long pan) const
{
    if (!buffer) {
        Msg("SOUNDBUFFER::setPan() - No buffer.");
        return false;
    }
    return SUCCEEDED(buffer->SetPan(LONG(pan)));
}

bool SOUNDBUFFER::memread(char* data, unsigned long size)
{
    if (!data || size == 0) {
        Msg("SOUNDBUFFER::write() - Bad file or size.");
        return false;
    }
    if (!buffer) {
        Msg("SOUNDBUFFER::write() - No sound buffer.");
        return false;
    }
    void *first, *second;
    DWORD firstBytes, secondBytes;
    if (FAILED(buffer->Lock(0, DWORD(size), &first, &firstBytes, &second, &secondBytes, 0)))
        return false;
    std::memcpy(first, data, firstBytes);
    if (second)
        std::memcpy(second, data + firstBytes, secondBytes);
    return SUCCEEDED(buffer->Unlock(first, firstBytes, second, secondBytes));
}

bool SOUNDBUFFER::write(HMMIO file, unsigned long size)
{
    if (!file || size == 0) {
        Msg("SOUNDBUFFER::write() - Bad file or size.");
        return false;
    }
    if (!buffer) {
        Msg("SOUNDBUFFER::write() - No sound buffer.");
        return false;
    }
    void *first, *second;
    DWORD firstBytes, secondBytes;
    if (FAILED(buffer->Lock(0, DWORD(size), &first, &firstBytes, &second, &secondBytes, 0)))
        return false;
    const char* failure = nullptr;
    if (mmioRead(file, static_cast<HPSTR>(first), LONG(firstBytes)) != LONG(firstBytes))
        failure = "SOUNDBUFFER::write() - Write1.";
    else if (second && mmioRead(file, static_cast<HPSTR>(second), LONG(secondBytes)) != LONG(secondBytes))
        failure = "SOUNDBUFFER::write() - Write2.";
    // Unlocked on every path, so that a short file leaves a usable buffer.
    bool unlocked = SUCCEEDED(buffer->Unlock(first, firstBytes, second, secondBytes));
    if (failure) {
        Msg("%s", failure);
        return false;
    }
    return unlocked;
}
