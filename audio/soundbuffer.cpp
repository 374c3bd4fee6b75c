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

namespace {

// The buffer's memory from its start, locked for filling: the checks and the
// Lock that memread and write share.
struct Fill {
    void* first;
    DWORD firstBytes;
    void* second;
    DWORD secondBytes;
};

bool lockForFill(IDirectSoundBuffer* buffer, bool haveSource, unsigned long size, Fill& fill)
{
    if (!haveSource || size == 0) {
        Msg("SOUNDBUFFER::write() - Bad file or size.");
        return false;
    }
    if (!buffer) {
        Msg("SOUNDBUFFER::write() - No sound buffer.");
        return false;
    }
    return SUCCEEDED(buffer->Lock(0, DWORD(size), &fill.first, &fill.firstBytes, &fill.second, &fill.secondBytes, 0));
}

} // namespace

bool SOUNDBUFFER::memread(const char* data, unsigned long size)
{
    Fill f;
    if (!lockForFill(buffer, data != nullptr, size, f))
        return false;
    std::memcpy(f.first, data, f.firstBytes);
    if (f.second)
        std::memcpy(f.second, data + f.firstBytes, f.secondBytes);
    return SUCCEEDED(buffer->Unlock(f.first, f.firstBytes, f.second, f.secondBytes));
}

bool SOUNDBUFFER::write(HMMIO file, unsigned long size)
{
    Fill f;
    if (!lockForFill(buffer, file != nullptr, size, f))
        return false;
    const char* failure = nullptr;
    if (mmioRead(file, static_cast<HPSTR>(f.first), LONG(f.firstBytes)) != LONG(f.firstBytes))
        failure = "SOUNDBUFFER::write() - Write1.";
    else if (f.second && mmioRead(file, static_cast<HPSTR>(f.second), LONG(f.secondBytes)) != LONG(f.secondBytes))
        failure = "SOUNDBUFFER::write() - Write2.";
    // Unlocked on every path, so that a short file leaves a usable buffer.
    bool unlocked = SUCCEEDED(buffer->Unlock(f.first, f.firstBytes, f.second, f.secondBytes));
    if (failure) {
        Msg("%s", failure);
        return false;
    }
    return unlocked;
}
