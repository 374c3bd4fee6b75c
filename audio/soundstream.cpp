// SOUNDSTREAM: a long WAV played through a ring of four segments that a
// worker thread refills as the play cursor leaves them.  Where no thread
// starts (a page), a periodic timer event looks at the worker's events
// instead.
#include <vantrel/audio.h>
#include <vantrel/core.h>
#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>

#include "archive/archive_users.h"
#include "audio/audio_testing.h"
#include <vantrel/seam/riff_wave.h>
#include <vantrel/win32/timing.h>

#include <cstring>
#include <map>

namespace {

constexpr DWORD kSegments = 4;
// How often the timer that stands in for the worker looks at its events: a
// small part of a segment (three quarters of a second).
constexpr UINT kRefillLookMs = 50;

DWORD WINAPI streamWorker(LPVOID parameter)
{
    auto* s = static_cast<SOUNDSTREAM*>(parameter);
    // play() made these before starting this thread, and makes new ones
    // only after it has ended.
    HANDLE events[2] = {s->events[0], s->events[1]};
    for (;;) {
        DWORD woken = WaitForMultipleObjects(2, events, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0) {
            s->stream();
            vtl::testing::audio::refilled(s);
        } else if (woken == WAIT_OBJECT_0 + 1) {
            s->stopped = 1;
            if (s->buffer)
                s->buffer->Stop();
            CloseHandle(events[0]);
            CloseHandle(events[1]);
            s->events[0] = nullptr;
            s->events[1] = nullptr;
        } else {
            return 1; // the handles are closed: this play is over
        }
    }
}

// The plays refilled by a timer event instead of a worker thread, with
// their events' ids.  Only the game's calls on the streams touch it.
std::map<const SOUNDSTREAM*, UINT>& refillTimers()
{
    static auto* timers = new std::map<const SOUNDSTREAM*, UINT>; // streams may be released at exit
    return *timers;
}

// Does what the worker would for the events set so far, without waiting:
// the refills, then the stop, which closes the events.
void takeEvents(SOUNDSTREAM& s)
{
    while (s.events[0]) {
        const DWORD woken = WaitForMultipleObjects(2, s.events, FALSE, 0);
        if (woken == WAIT_OBJECT_0) {
            s.stream();
            vtl::testing::audio::refilled(&s);
        } else if (woken == WAIT_OBJECT_0 + 1) {
            s.stopped = 1;
            if (s.buffer)
                s.buffer->Stop();
            CloseHandle(s.events[0]);
            CloseHandle(s.events[1]);
            s.events[0] = nullptr;
            s.events[1] = nullptr;
        } else {
            return;
        }
    }
}

void CALLBACK refillTick(UINT, UINT, DWORD_PTR stream, DWORD_PTR, DWORD_PTR)
{
    takeEvents(*reinterpret_cast<SOUNDSTREAM*>(stream));
}

bool hasWorker(const SOUNDSTREAM& s)
{
    return s.thread || refillTimers().count(&s);
}

// Ends the worker of the previous play once it has stopped.
void joinWorker(SOUNDSTREAM& s)
{
    if (s.thread) {
        WaitForSingleObject(s.thread, INFINITE);
        CloseHandle(s.thread);
        s.thread = nullptr;
        return;
    }
    const auto timer = refillTimers().find(&s);
    if (timer == refillTimers().end())
        return;
    // Synchronous: no look is running once the kill returns.  What the
    // stop set is taken here; events a stopped buffer never set close too.
    timeKillEvent(timer->second);
    refillTimers().erase(timer);
    takeEvents(s);
    if (s.events[0]) {
        s.stopped = 1;
        CloseHandle(s.events[0]);
        CloseHandle(s.events[1]);
        s.events[0] = nullptr;
        s.events[1] = nullptr;
    }
}

// Queues the ring from the start of the data, as loadWav leaves it: the
// write position back at 0 and the end of the sound not yet queued.
void fillFromTheStart(SOUNDSTREAM& s)
{
    s.readPosition = 0;
    s.writePosition = 0;
    s.endReached = 0;
    s.endPending = 0;
    s.endSegment = 0;
    s.endOffset = 0;
    for (DWORD i = 0; i < kSegments; ++i)
        s.stream();
}

} // namespace

bool SOUNDSTREAM::loadWav(const char* fileName)
{
    release();
    FastFile file{};
    if (!file.open(owner, const_cast<char*>(fileName)))
        return false;
    // The entry stays locked for the life of the stream: the refills read it
    // in place.
    auto* bytes = static_cast<unsigned char*>(file.lock(0, 0));
    DWORD available = file.fSize();
    file.close();
    if (!bytes)
        return false;
    if (!vtl::readRiffWave(bytes, available, &format, &data, &dataSize) || format->nBlockAlign == 0) {
        // Nothing refers to the entry: give its lock back.
        --owner->lockCount;
        format = nullptr;
        data = nullptr;
        return false;
    }
    // The stream may outlive its handle: it keeps the archive's bytes.
    vtl::holdArchiveBytes(bytes);
    DWORD block = format->nBlockAlign;
    segmentSize = DWORD(uint64_t(format->nSamplesPerSec) * block * 3 / 4);
    segmentSize = (segmentSize + block - 1) / block * block;
    bufferSize = kSegments * segmentSize;

    buffer = SOUND::makeStream(bufferSize, format);
    if (!buffer) {
        Msg("SOUNDSTREAM::load() - Create buffer.");
        return false;
    }
    endReached = 0;
    writePosition = 0;
    readPosition = 0;
    loop = 0;
    void* notification = nullptr;
    if (FAILED(buffer->QueryInterface(IID_IDirectSoundNotify, &notification))) {
        Msg("SOUNDSTREAM::load() - Create notify.");
        return false;
    }
    notify = static_cast<IDirectSoundNotify*>(notification);
    fillFromTheStart(*this);
    // Filled for a play without looping; play fills it again for the loop
    // it is given, so that a short sound played looping has no silent
    // segments on its first time round.
    refillOnPlay = 1;
    stopped = 0;
    return true;
}

bool SOUNDSTREAM::stream()
{
    if (!buffer) {
        Msg("SOUNDSTREAM::memread() - No sound buffer.");
        return false;
    }
    void* region = nullptr;
    DWORD bytes = 0;
    // Segments never wrap: only the first region is asked for.
    if (FAILED(buffer->Lock(writePosition, segmentSize, &region, &bytes, nullptr, nullptr, 0)))
        return false;
    if (region) {
        unsigned char silence = format && format->wBitsPerSample == 8 ? 0x80 : 0x00;
        auto* out = static_cast<unsigned char*>(region);
        // play() clears endReached, but a sound whose last piece is already
        // in the ring (all of a short one) must not be queued a second time
        // when played once.
        const bool pastTheEnd = endReached || endPending;
        // Refilling the segment that held the data's last piece means the
        // cursor has left it: without looping, the sound has been heard.
        if (endPending && writePosition == endSegment) {
            endPending = 0;
            if (!loop)
                refillOnPlay = 1;
        }
        if (loop || !pastTheEnd) {
            DWORD left = readPosition < dataSize ? dataSize - readPosition : 0;
            DWORD piece = segmentSize;
            if (left >= segmentSize) {
                std::memcpy(out, data + readPosition, segmentSize);
                readPosition += segmentSize;
            } else {
                std::memset(out, silence, bytes);
                std::memcpy(out, data + readPosition, left);
                piece = left;
                readPosition = dataSize;
            }
            // A piece that ends exactly at the end of the data is the last
            // one too: a looping sound goes on in the next segment without a
            // silent one between.
            if (readPosition == dataSize) {
                endReached = 1;
                readPosition = 0;
                endPending = 1;
                endSegment = writePosition;
                endOffset = writePosition + piece;
            }
        } else {
            // Past the end of a stream played once: silence, not the last
            // piece or the whole sound over again.
            endReached = 1;
            std::memset(out, silence, bytes);
        }
    }
    bool unlocked = SUCCEEDED(buffer->Unlock(region, bytes, nullptr, 0));
    writePosition += segmentSize;
    if (writePosition >= bufferSize)
        writePosition -= bufferSize;
    return unlocked;
}

// Whether the sound of the last play without looping has been heard to its
// end (or the ring is as loadWav left it): the next play then starts from
// the start of the data at once.  Asked with no worker running.
bool SOUNDSTREAM::heardToTheEnd()
{
    if (refillOnPlay)
        return true;
    if (loop || !endPending || endOffset == endSegment + segmentSize)
        return false;
    // The cursor stands in the silence after the last piece, in the segment
    // that holds it: the worker learns this only when the cursor leaves it.
    DWORD cursor = 0;
    if (FAILED(buffer->GetCurrentPosition(&cursor, nullptr)))
        return false;
    return cursor >= endOffset && cursor < endSegment + segmentSize;
}

bool SOUNDSTREAM::play(bool looping)
{
    // A play still running is paused, so that its worker is done with the
    // fields (it takes the refills it was sent first); the buffer goes on
    // from the same cursor below, unless the sound starts over.
    if (buffer && hasWorker(*this)) {
        buffer->Stop();
        joinWorker(*this);
    }
    const bool startOver = buffer && heardToTheEnd();
    loop = looping ? 1 : 0;
    endReached = 0;
    if (!buffer) {
        Msg("DXSoundBuffer::play() - No buffer.");
        return false;
    }
    if (startOver) {
        buffer->SetCurrentPosition(0);
        fillFromTheStart(*this);
        refillOnPlay = 0;
    }
    if (!hasWorker(*this)) {
        events[0] = CreateEvent(nullptr, FALSE, FALSE, nullptr);
        events[1] = CreateEvent(nullptr, FALSE, FALSE, nullptr);
        DSBPOSITIONNOTIFY positions[5] = {
            {segmentSize, events[0]},
            {2 * segmentSize, events[0]},
            {3 * segmentSize, events[0]},
            {4 * segmentSize - 1, events[0]},
            {static_cast<DWORD>(DSBPN_OFFSETSTOP), events[1]},
        };
        stopped = 0;
        thread = CreateThread(nullptr, 0, streamWorker, this, 0, nullptr);
        const UINT timer = thread ? 0
                                  : timeSetEvent(kRefillLookMs, 0, refillTick, reinterpret_cast<DWORD_PTR>(this),
                                                 TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
        if (timer)
            refillTimers()[this] = timer;
        if (!thread && !timer) {
            // Nothing would refill the ring, which would loop its first
            // segments.
            Msg("SOUNDSTREAM::play() - No thread to refill the stream.");
            CloseHandle(events[0]);
            CloseHandle(events[1]);
            events[0] = nullptr;
            events[1] = nullptr;
            return false;
        }
        if (notify)
            notify->SetNotificationPositions(5, positions);
    }
    HRESULT result = buffer->Play(0, 0, DSBPLAY_LOOPING);
    if (result == DSERR_BUFFERLOST && SUCCEEDED(buffer->Restore()))
        result = buffer->Play(0, 0, DSBPLAY_LOOPING);
    if (FAILED(result)) {
        // Nothing will stop the buffer, so end the worker here.
        HANDLE stopEvent = events[1];
        SetEvent(stopEvent);
        joinWorker(*this);
        return false;
    }
    return true;
}

bool SOUNDSTREAM::stop()
{
    if (!buffer) {
        Msg("DXSoundBuffer::stop() - No buffer.");
        return false;
    }
    if (FAILED(buffer->Stop()))
        return false;
    // Stopping signalled the stop event: wait for the worker to close its
    // events and end, so that a following play starts a clean one.
    joinWorker(*this);
    readPosition = 0;
    return true;
}

bool SOUNDSTREAM::setVol(long volume)
{
    if (!buffer) {
        Msg("SOUNDSTREAM::setVol() - No buffer.");
        return false;
    }
    return SUCCEEDED(buffer->SetVolume(LONG(volume)));
}

bool SOUNDSTREAM::setPan(long pan)
{
    if (!buffer) {
        Msg("SOUNDSTREAM::setPan() - No buffer.");
        return false;
    }
    return SUCCEEDED(buffer->SetPan(LONG(pan)));
}

bool SOUNDSTREAM::release()
{
    if (buffer && hasWorker(*this))
        stop();
    if (notify) {
        notify->Release();
        notify = nullptr;
    }
    vtl::letGoOfArchiveBytes(owner, data); // and the lock loadWav kept on the entry
    data = nullptr;
    format = nullptr;
    if (!buffer)
        return true;
    ULONG left = buffer->Release();
    buffer = nullptr;
    return left == 0;
}
