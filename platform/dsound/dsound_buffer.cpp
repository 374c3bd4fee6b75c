// Secondary sound buffers: checked requests, sound memory shared with
// duplicates, and the voice the mixer plays.
#include "platform/dsound/dsound_buffer.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/synch.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>

namespace vtl {

SoundBuffer* SoundBuffer::create(std::shared_ptr<AudioEngine> engine, const DSBUFFERDESC& description,
                                 HRESULT* result)
{
    if (description.dwSize != sizeof(DSBUFFERDESC) || !description.lpwfxFormat) {
        *result = DSERR_INVALIDPARAM;
        return nullptr;
    }
    if (description.dwFlags & (DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRL3D)) {
        VTL_UNSUPPORTED("IDirectSound::CreateSoundBuffer of a primary or 3D buffer", "fails");
        *result = DSERR_UNSUPPORTED;
        return nullptr;
    }
    PcmLayout layout;
    if (!layoutFromFormat(*description.lpwfxFormat, &layout)) {
        *result = DSERR_BADFORMAT;
        return nullptr;
    }
    DWORD size = description.dwBufferBytes;
    if (size < DSBSIZE_MIN || size > DSBSIZE_MAX || size < layout.frameBytes) {
        *result = DSERR_INVALIDPARAM;
        return nullptr;
    }
    auto memory = std::make_shared<SoundMemory>();
    memory->bytes.reset(new (std::nothrow) uint8_t[size]);
    if (!memory->bytes) {
        *result = DSERR_OUTOFMEMORY;
        return nullptr;
    }
    // A new buffer holds silence.
    std::memset(memory->bytes.get(), layout.kind == SampleKind::U8 ? 0x80 : 0, size);
    memory->size = size;

    SoundBuffer* buffer = new (std::nothrow) SoundBuffer;
    if (!buffer) {
        *result = DSERR_OUTOFMEMORY;
        return nullptr;
    }
    buffer->engine_ = std::move(engine);
    buffer->memory_ = std::move(memory);
    // Up to wBitsPerSample only: a PCM format's cbSize is ignored, and the
    // record may end there (a 16-byte format chunk in a file).
    std::memcpy(&buffer->format_, description.lpwfxFormat, offsetof(WAVEFORMATEX, cbSize));
    buffer->format_.cbSize = 0;
    buffer->layout_ = layout;
    buffer->flags_ = description.dwFlags;
    buffer->frequency_ = layout.rate;
    buffer->step_ = mixStep(layout.rate, buffer->engine_->rate());
    *result = DS_OK;
    return buffer;
}

SoundBuffer* SoundBuffer::duplicate()
{
    SoundBuffer* copy = new (std::nothrow) SoundBuffer;
    if (!copy)
        return nullptr;
    copy->engine_ = engine_;
    copy->memory_ = memory_;
    copy->format_ = format_;
    copy->layout_ = layout_;
    copy->flags_ = flags_;
    std::lock_guard<std::mutex> lock(engine_->mutex());
    copy->volume_ = volume_;
    copy->pan_ = pan_;
    copy->frequency_ = frequency_;
    copy->gain_ = gain_;
    copy->step_ = step_;
    return copy;
}

HRESULT SoundBuffer::QueryInterface(REFIID iid, LPVOID* object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDirectSoundBuffer)) {
        *object = static_cast<IDirectSoundBuffer*>(this);
    } else if (IsEqualIID(iid, IID_IDirectSoundNotify) && (flags_ & DSBCAPS_CTRLPOSITIONNOTIFY)) {
        *object = static_cast<IDirectSoundNotify*>(&notify_);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG SoundBuffer::AddRef()
{
    return ++references_;
}

ULONG SoundBuffer::Release()
{
    ULONG left = --references_;
    if (left == 0) {
        {
            std::lock_guard<std::mutex> lock(engine_->mutex());
            engine_->stop(this);
        }
        delete this;
    }
    return left;
}

HRESULT SoundBuffer::GetCaps(LPDSBCAPS caps)
{
    if (!caps || caps->dwSize != sizeof(DSBCAPS))
        return DSERR_INVALIDPARAM;
    caps->dwFlags = flags_ | DSBCAPS_LOCSOFTWARE;
    caps->dwBufferBytes = memory_->size;
    caps->dwUnlockTransferRate = 0;
    caps->dwPlayCpuOverhead = 0;
    return DS_OK;
}

HRESULT SoundBuffer::GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor)
{
    VTL_TRACE(frame, "IDirectSoundBuffer::GetCurrentPosition", this, playCursor, writeCursor);
    std::lock_guard<std::mutex> lock(engine_->mutex());
    DWORD play = DWORD(position_ >> 32) * layout_.frameBytes;
    DWORD write = play;
    if (playing_) {
        // The mixer takes a period's worth at a time: the next bytes it will
        // read lie that far ahead.
        uint64_t ahead = (uint64_t(engine_->periodFrames()) * frequency_ + engine_->rate() - 1) / engine_->rate();
        write = DWORD((play + ahead * layout_.frameBytes) % (uint64_t(frames()) * layout_.frameBytes));
    }
    if (playCursor)
        *playCursor = play;
    if (writeCursor)
        *writeCursor = write;
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundBuffer::GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written)
{
    if (!format) {
        if (!written)
            return DSERR_INVALIDPARAM;
        *written = sizeof(WAVEFORMATEX);
        return DS_OK;
    }
    DWORD n = std::min<DWORD>(size, sizeof(WAVEFORMATEX));
    std::memcpy(format, &format_, n);
    if (written)
        *written = n;
    return DS_OK;
}

HRESULT SoundBuffer::GetVolume(LPLONG volume)
{
    if (!volume)
        return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(engine_->mutex());
    *volume = volume_;
    return DS_OK;
}

HRESULT SoundBuffer::GetPan(LPLONG pan)
{
    if (!pan)
        return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(engine_->mutex());
    *pan = pan_;
    return DS_OK;
}

HRESULT SoundBuffer::GetFrequency(LPDWORD frequency)
{
    if (!frequency)
        return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(engine_->mutex());
    *frequency = frequency_;
    return DS_OK;
}

HRESULT SoundBuffer::GetStatus(LPDWORD status)
{
    VTL_TRACE(frame, "IDirectSoundBuffer::GetStatus", this, status);
    if (!status)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    std::lock_guard<std::mutex> lock(engine_->mutex());
    *status = (playing_ ? DSBSTATUS_PLAYING : 0) | (playing_ && looping_ ? DSBSTATUS_LOOPING : 0) |
              (lost_ ? DSBSTATUS_BUFFERLOST : 0);
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundBuffer::Initialize(IDirectSound*, LPCDSBUFFERDESC)
{
    return DSERR_ALREADYINITIALIZED;
}

HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD firstBytes, LPVOID* second,
                          LPDWORD secondBytes, DWORD flags)
{
    VTL_TRACE(frame, "IDirectSoundBuffer::Lock", this, offset, bytes, first, firstBytes, second, secondBytes, flags);
    if (!first || !firstBytes)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    DWORD size = memory_->size;
    {
        std::lock_guard<std::mutex> lock(engine_->mutex());
        if (lost_)
            return vtlTraceCall_.result(DSERR_BUFFERLOST);
    }
    if (flags & DSBLOCK_FROMWRITECURSOR)
        GetCurrentPosition(nullptr, &offset);
    if (flags & DSBLOCK_ENTIREBUFFER)
        bytes = size;
    if (offset >= size || bytes == 0 || bytes > size)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    DWORD head = std::min(bytes, size - offset);
    DWORD tail = bytes - head;
    *first = memory_->bytes.get() + offset;
    *firstBytes = head;
    if (second)
        *second = tail ? memory_->bytes.get() : nullptr;
    if (secondBytes)
        *secondBytes = second ? tail : 0;
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundBuffer::Unlock(LPVOID first, DWORD firstBytes, LPVOID second, DWORD secondBytes)
{
    VTL_TRACE(frame, "IDirectSoundBuffer::Unlock", this, first, firstBytes, second, secondBytes);
    auto inside = [this](LPVOID p, DWORD n) {
        if (!p)
            return n == 0;
        uint8_t* begin = memory_->bytes.get();
        uint8_t* q = static_cast<uint8_t*>(p);
        return q >= begin && q <= begin + memory_->size && n <= DWORD(begin + memory_->size - q);
    };
    if (!inside(first, firstBytes) || !inside(second, secondBytes))
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    // Taking the mutex orders what the game wrote before everything the
    // mixer reads afterwards.
    std::lock_guard<std::mutex> lock(engine_->mutex());
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundBuffer::Play(DWORD reserved, DWORD priority, DWORD flags)
{
    VTL_TRACE(dsound, "IDirectSoundBuffer::Play", this, reserved, priority, flags);
    if (reserved != 0 || priority != 0)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    std::lock_guard<std::mutex> lock(engine_->mutex());
    if (lost_)
        return vtlTraceCall_.result(DSERR_BUFFERLOST);
    looping_ = (flags & DSBPLAY_LOOPING) != 0;
    playing_ = true;
    engine_->start(this);
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundBuffer::SetCurrentPosition(DWORD position)
{
    VTL_TRACE(dsound, "IDirectSoundBuffer::SetCurrentPosition", this, position);
    if (position >= memory_->size)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    std::lock_guard<std::mutex> lock(engine_->mutex());
    position_ = MixPosition(std::min(position / layout_.frameBytes, frames() - 1)) << 32;
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundBuffer::SetFormat(LPCWAVEFORMATEX)
{
    VTL_TRACE(dsound, "IDirectSoundBuffer::SetFormat", this);
    return vtlTraceCall_.result(DSERR_INVALIDCALL); // only a primary buffer takes a format
}

HRESULT SoundBuffer::SetVolume(LONG volume)
{
    VTL_TRACE(dsound, "IDirectSoundBuffer::SetVolume", this, volume);
    if (!(flags_ & DSBCAPS_CTRLVOLUME))
        return vtlTraceCall_.result(DSERR_CONTROLUNAVAIL);
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    std::lock_guard<std::mutex> lock(engine_->mutex());
    volume_ = volume;
    gain_ = gainFromVolumePan(volume_, pan_);
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundBuffer::SetPan(LONG pan)
{
    VTL_TRACE(dsound, "IDirectSoundBuffer::SetPan", this, pan);
    if (!(flags_ & DSBCAPS_CTRLPAN))
        return vtlTraceCall_.result(DSERR_CONTROLUNAVAIL);
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    std::lock_guard<std::mutex> lock(engine_->mutex());
    pan_ = pan;
    gain_ = gainFromVolumePan(volume_, pan_);
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundBuffer::SetFrequency(DWORD frequency)
{
    VTL_TRACE(dsound, "IDirectSoundBuffer::SetFrequency", this, frequency);
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY))
        return vtlTraceCall_.result(DSERR_CONTROLUNAVAIL);
    if (frequency == DSBFREQUENCY_ORIGINAL)
        frequency = layout_.rate;
    if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    std::lock_guard<std::mutex> lock(engine_->mutex());
    frequency_ = frequency;
    step_ = mixStep(frequency, engine_->rate());
    return vtlTraceCall_.result(DS_OK);
}

void SoundBuffer::stopLocked(std::vector<HANDLE>& signals)
{
    if (!playing_)
        return;
    playing_ = false;
    engine_->stop(this);
    for (const DSBPOSITIONNOTIFY& n : notifications_)
        if (n.dwOffset == DSBPN_OFFSETSTOP)
            signals.push_back(n.hEventNotify);
}

HRESULT SoundBuffer::Stop()
{
    VTL_TRACE(dsound, "IDirectSoundBuffer::Stop", this);
    std::vector<HANDLE> signals;
    {
        std::lock_guard<std::mutex> lock(engine_->mutex());
        stopLocked(signals);
    }
    for (HANDLE event : signals)
        SetEvent(event);
    return vtlTraceCall_.result(DS_OK);
}

HRESULT SoundBuffer::Restore()
{
    VTL_TRACE(dsound, "IDirectSoundBuffer::Restore", this);
    std::lock_guard<std::mutex> lock(engine_->mutex());
    lost_ = false;
    return vtlTraceCall_.result(DS_OK);
}

void SoundBuffer::lose()
{
    std::vector<HANDLE> signals;
    {
        std::lock_guard<std::mutex> lock(engine_->mutex());
        lost_ = true;
        stopLocked(signals);
    }
    for (HANDLE event : signals)
        SetEvent(event);
}

HRESULT SoundBuffer::setNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions)
{
    VTL_TRACE(dsound, "IDirectSoundNotify::SetNotificationPositions", this, count, positions);
    if (count > 0 && !positions)
        return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    for (DWORD i = 0; i < count; ++i)
        if (positions[i].dwOffset != DSBPN_OFFSETSTOP && positions[i].dwOffset >= memory_->size)
            return vtlTraceCall_.result(DSERR_INVALIDPARAM);
    std::lock_guard<std::mutex> lock(engine_->mutex());
    if (playing_)
        return vtlTraceCall_.result(DSERR_INVALIDCALL);
    notifications_.assign(positions, positions + count);
    return vtlTraceCall_.result(DS_OK);
}

bool SoundBuffer::mix(int32_t* accumulator, uint32_t outFrames, uint32_t, std::vector<HANDLE>& signals)
{
    const uint32_t n = frames();
    const uint32_t start = uint32_t(position_ >> 32);
    MixResult r = mixSound(memory_->bytes.get(), n, layout_, looping_, position_, step_, gain_, accumulator, outFrames);
    if (r.advanced > 0) {
        for (const DSBPOSITIONNOTIFY& note : notifications_) {
            if (note.dwOffset == DSBPN_OFFSETSTOP)
                continue;
            uint32_t frame = std::min(note.dwOffset / layout_.frameBytes, n - 1);
            if (r.advanced >= n || (frame + n - start) % n < r.advanced)
                signals.push_back(note.hEventNotify);
        }
    }
    if (r.ended) {
        // A sound played once rewinds, so that playing it again starts it
        // from the beginning.
        position_ = 0;
        playing_ = false;
        mixing = false;
        for (const DSBPOSITIONNOTIFY& note : notifications_)
            if (note.dwOffset == DSBPN_OFFSETSTOP)
                signals.push_back(note.hEventNotify);
        return false;
    }
    return true;
}

} // namespace vtl
