// mciSendCommandA and its "cdaudio" device, playing the virtual disc through
// the shared sound output.
//
// Positions are kept as CD frames from the start of the disc; the time
// formats only change how they are given and returned.  The play cursor is
// the player's position in the current track's samples, so the position
// reported is what has been mixed.
//
// MCI_NOTIFY asks for one MM_MCINOTIFY per command, as on Windows.  A play's
// notification comes when it ends (successful), when a command that stops
// it comes (aborted: another play, stop, seek, close), or when a command
// that lets it go on asks for a notification of its own (superseded); the
// other commands finish at once and notify at once.  The end of a play is
// seen by the mixer, which posts the message itself.
#include "platform/dsound/audio_engine.h"
#include "platform/dsound/audio_mix.h"
#include "platform/winmm/virtual_disc.h"

#include <vantrel/win32/debug.h>
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/window.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/trace.h"

namespace vtl {
namespace {

class CdDevice final : public MixVoice {
public:
    MCIDEVICEID id = 0;
    std::shared_ptr<AudioEngine> engine;
    VirtualDisc disc;
    DWORD timeFormat = MCI_FORMAT_MSF;

    ~CdDevice() override { halt(); }

    // --- guarded by the engine's mutex
    bool playing = false;
    bool paused = false;
    size_t track = 0;    // index of the current track
    MixPosition position = 0; // in the current track's sample frames
    uint32_t until = 0;  // CD frame where the play ends
    HWND notifyWindow = nullptr; // a play's pending notification

    // Posts the pending play notification with `result`.
    void notifyLocked(WPARAM result)
    {
        if (notifyWindow)
            PostMessageA(notifyWindow, MM_MCINOTIFY, result, LPARAM(id));
        notifyWindow = nullptr;
    }

    uint32_t positionLocked() const
    {
        const DiscTrack& t = disc.tracks[track];
        return t.start + uint32_t((position >> 32) * 75 / t.layout.rate);
    }

    void seekLocked(uint32_t cdFrame)
    {
        track = disc.timeline.trackAt(cdFrame);
        const DiscTrack& t = disc.tracks[track];
        const uint64_t frame = firstSampleOf(cdFrame - t.start, t.layout.rate);
        position = MixPosition(frame < t.frames ? frame : t.frames) << 32;
        primeLocked();
    }

    void halt()
    {
        if (!engine)
            return;
        std::lock_guard<std::mutex> lock(engine->mutex());
        playing = false;
        engine->stop(this);
        notifyLocked(MCI_NOTIFY_ABORTED);
    }

    bool mix(int32_t* accumulator, uint32_t frames, uint32_t outputRate, std::vector<HANDLE>&) override
    {
        uint32_t produced = 0;
        while (produced < frames) {
            DiscTrack& t = disc.tracks[track];
            // Sample frames of this track that belong to the play.
            uint32_t limit = t.frames;
            if (until < t.start + t.length)
                limit = uint32_t(firstSampleOf(until - t.start, t.layout.rate));
            const uint32_t at = uint32_t(position >> 32);
            if (at >= limit) {
                if (limit < t.frames || track + 1 == disc.tracks.size()) {
                    playing = false;
                    notifyLocked(MCI_NOTIFY_SUCCESSFUL);
                    return false;
                }
                ++track;
                position = 0;
                continue;
            }
            const uint64_t step = mixStep(t.layout.rate, outputRate);
            const uint32_t wanted = frames - produced;
            if (!t.source) {
                // A track that cannot be read passes as silence.
                const uint64_t left = ((uint64_t(limit) << 32) - position + step - 1) / step;
                const uint32_t n = uint32_t(std::min<uint64_t>(left, wanted));
                // The last step may pass the end by up to a frame; the
                // position stops at the end, as a sound's does.
                position = std::min(position + n * step, uint64_t(limit) << 32);
                produced += n;
                continue;
            }
            uint32_t available;
            const uint8_t* data = t.source->frames(at, &available);
            const uint32_t count = std::min(available, limit - at);
            // Within the window, relative to its first frame.
            MixPosition local = position - (MixPosition(at) << 32);
            uint32_t n = wanted;
            if (at + count < limit) {
                // More of the track follows in the next window: stop before
                // the window's last frame, so that no frame is interpolated
                // towards the silence after it, nor past its end (where the
                // mixer would drop the fraction of a frame the step overshot).
                const uint64_t last = uint64_t(count - 1) << 32;
                uint64_t fit = (last - local + step - 1) / step;
                if (fit > 1 && local + fit * step >= uint64_t(count) << 32)
                    --fit;
                n = uint32_t(std::min<uint64_t>(fit, wanted));
            }
            MixResult r = mixSound(data, count, t.layout, false, local, step, StereoGain{65536, 65536},
                                   accumulator + size_t(produced) * 2, n);
            position = (MixPosition(at) << 32) + local;
            produced += r.produced;
        }
        return true;
    }

    // Primes the current track's source at the play cursor, so that a play
    // from the middle of a compressed track seeks here and not on the
    // mixer's first pass.
    void primeLocked()
    {
        DiscTrack& t = disc.tracks[track];
        if (t.source && (position >> 32) < t.frames)
            t.source->prime(uint32_t(position >> 32));
    }

    // Readies every track a play from `from` to `to` (CD frames) reaches.
    // Without the engine's mutex: reading a WAV track takes as long as the
    // file is big, and the mixer plays on meanwhile.
    void prepareTracks(uint32_t from, uint32_t to)
    {
        for (DiscTrack& t : disc.tracks)
            if (t.source && t.start + t.length > from && (t.start < to || t.start == from))
                t.source->prepare();
    }

    // Failures met while tracks played, reported by the next request.
    std::vector<std::string> takeFailuresLocked()
    {
        std::vector<std::string> lines;
        for (DiscTrack& t : disc.tracks)
            if (t.source) {
                std::string why = t.source->takeFailure();
                if (!why.empty())
                    lines.push_back("CD audio: " + t.path + " cannot be read to its end (" + why +
                                    "): the rest of it plays as silence\r\n");
            }
        return lines;
    }

    // --- time formats
    bool toCdFrame(DWORD value, uint32_t* cdFrame) const { return disc.timeline.toCdFrame(timeFormat, value, cdFrame); }
    DWORD duration(uint32_t cdFrames) const { return cdDuration(timeFormat, cdFrames); }
    DWORD fromCdFrame(uint32_t cdFrame) const { return disc.timeline.fromCdFrame(timeFormat, cdFrame); }
};

// The open devices.  Never destroyed: a game that never closes its CD (the
// class has no close) still stops and queries it from the destructors of its
// globals, which may run after the statics here are gone.  A device left open
// plays on until the process ends, as on Windows.
struct DeviceList {
    std::mutex lock;
    std::map<MCIDEVICEID, std::shared_ptr<CdDevice>> devices;
    MCIDEVICEID next = 1;
};

DeviceList& openDevices()
{
    static DeviceList* list = new DeviceList;
    return *list;
}

MCIERROR openDevice(DWORD_PTR flags, MCI_OPEN_PARMSA* params)
{
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (!(flags & MCI_OPEN_TYPE) || !params->lpstrDeviceType || !equalNoCase(params->lpstrDeviceType, "cdaudio"))
        return MCIERR_INVALID_DEVICE_NAME;
    auto device = std::make_shared<CdDevice>();
    const bool loaded = device->disc.load(VirtualDisc::folder());
    // The device reports each track it cannot read once, as it opens; the
    // rest of the disc plays.
    for (const std::string& line : device->disc.problems)
        OutputDebugStringA(line.c_str());
    if (!loaded)
        return MCIERR_DEVICE_NOT_READY;
    device->engine = AudioEngine::acquire();
    if (!device->engine)
        return MCIERR_HARDWARE;
    DeviceList& list = openDevices();
    std::lock_guard<std::mutex> lock(list.lock);
    params->wDeviceID = list.next++;
    device->id = params->wDeviceID;
    list.devices[params->wDeviceID] = device;
    if ((flags & MCI_NOTIFY) && params->dwCallback)
        PostMessageA(HWND(params->dwCallback), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, LPARAM(device->id));
    return 0;
}

MCIERROR play(CdDevice& d, DWORD_PTR flags, MCI_PLAY_PARMS* params)
{
    if ((flags & (MCI_FROM | MCI_TO)) && !params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    uint32_t from, to = d.disc.length;
    {
        std::lock_guard<std::mutex> lock(d.engine->mutex());
        from = d.positionLocked();
    }
    if ((flags & MCI_FROM) && !d.toCdFrame(params->dwFrom, &from))
        return MCIERR_OUTOFRANGE;
    if ((flags & MCI_TO) && !d.toCdFrame(params->dwTo, &to))
        return MCIERR_OUTOFRANGE;
    if (from >= d.disc.length || from > to)
        return MCIERR_OUTOFRANGE;
    d.prepareTracks(from, to);
    std::lock_guard<std::mutex> lock(d.engine->mutex());
    d.notifyLocked(MCI_NOTIFY_ABORTED);
    if ((flags & MCI_NOTIFY) && params)
        d.notifyWindow = HWND(params->dwCallback);
    d.seekLocked(from);
    d.until = to;
    d.playing = true;
    d.paused = false;
    d.engine->start(&d);
    return 0;
}

MCIERROR status(CdDevice& d, DWORD_PTR flags, MCI_STATUS_PARMS* params)
{
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (!(flags & MCI_STATUS_ITEM))
        return MCIERR_MISSING_PARAMETER;
    const size_t count = d.disc.tracks.size();
    const DiscTrack* track = nullptr;
    if (flags & MCI_TRACK) {
        if (params->dwTrack < 1 || params->dwTrack > count)
            return MCIERR_OUTOFRANGE;
        track = &d.disc.tracks[params->dwTrack - 1];
    }
    std::lock_guard<std::mutex> lock(d.engine->mutex());
    switch (params->dwItem) {
    case MCI_STATUS_LENGTH:
        params->dwReturn = d.duration(track ? track->length : d.disc.length);
        return 0;
    case MCI_STATUS_POSITION:
        if (track)
            params->dwReturn = d.fromCdFrame(track->start);
        else if (flags & MCI_STATUS_START)
            params->dwReturn = d.fromCdFrame(0);
        else
            params->dwReturn = d.fromCdFrame(d.positionLocked());
        return 0;
    case MCI_STATUS_NUMBER_OF_TRACKS:
        params->dwReturn = count;
        return 0;
    case MCI_STATUS_MODE:
        params->dwReturn = d.playing ? MCI_MODE_PLAY : d.paused ? MCI_MODE_PAUSE : MCI_MODE_STOP;
        return 0;
    case MCI_STATUS_MEDIA_PRESENT:
    case MCI_STATUS_READY:
        params->dwReturn = TRUE;
        return 0;
    case MCI_STATUS_TIME_FORMAT:
        params->dwReturn = d.timeFormat;
        return 0;
    case MCI_STATUS_CURRENT_TRACK:
        params->dwReturn = d.track + 1;
        return 0;
    }
    return MCIERR_MISSING_PARAMETER;
}

MCIERROR run(CdDevice& d, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    std::vector<std::string> failures;
    {
        std::lock_guard<std::mutex> lock(d.engine->mutex());
        failures = d.takeFailuresLocked();
    }
    for (const std::string& line : failures)
        OutputDebugStringA(line.c_str());
    switch (message) {
    case MCI_PLAY:
        return play(d, flags, reinterpret_cast<MCI_PLAY_PARMS*>(parameters));
    case MCI_STOP:
    case MCI_PAUSE: {
        std::lock_guard<std::mutex> lock(d.engine->mutex());
        d.paused = message == MCI_PAUSE && d.playing;
        d.playing = false;
        d.engine->stop(&d);
        if (message == MCI_STOP)
            d.notifyLocked(MCI_NOTIFY_ABORTED);
        return 0;
    }
    case MCI_RESUME: {
        std::lock_guard<std::mutex> lock(d.engine->mutex());
        if (d.paused) {
            d.paused = false;
            d.playing = true;
            d.engine->start(&d);
        }
        return 0;
    }
    case MCI_SEEK: {
        auto* seek = reinterpret_cast<MCI_SEEK_PARMS*>(parameters);
        uint32_t to;
        if (flags & MCI_SEEK_TO_START)
            to = 0;
        else if (flags & MCI_SEEK_TO_END)
            to = d.disc.length;
        else if (!(flags & MCI_TO))
            return MCIERR_MISSING_PARAMETER;
        else if (!seek)
            return MCIERR_NULL_PARAMETER_BLOCK;
        else if (!d.toCdFrame(seek->dwTo, &to))
            return MCIERR_OUTOFRANGE;
        std::lock_guard<std::mutex> lock(d.engine->mutex());
        d.playing = d.paused = false;
        d.engine->stop(&d);
        d.notifyLocked(MCI_NOTIFY_ABORTED);
        d.seekLocked(to);
        return 0;
    }
    case MCI_SET: {
        auto* set = reinterpret_cast<MCI_SET_PARMS*>(parameters);
        if (!set)
            return MCIERR_NULL_PARAMETER_BLOCK;
        if (flags & MCI_SET_TIME_FORMAT) {
            DWORD f = set->dwTimeFormat;
            if (f != MCI_FORMAT_TMSF && f != MCI_FORMAT_MSF && f != MCI_FORMAT_MILLISECONDS)
                return MCIERR_BAD_TIME_FORMAT;
            std::lock_guard<std::mutex> lock(d.engine->mutex());
            d.timeFormat = f;
        }
        return 0;
    }
    case MCI_STATUS:
        return status(d, flags, reinterpret_cast<MCI_STATUS_PARMS*>(parameters));
    }
    return MCIERR_UNRECOGNIZED_COMMAND;
}

// A command and its notification: a play keeps its own until it ends; any
// other command asking for one supersedes a pending play's (a stop or seek
// has aborted it by then) and is notified as soon as it has succeeded.
MCIERROR command(CdDevice& d, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    const auto* generic = reinterpret_cast<const MCI_GENERIC_PARMS*>(parameters);
    const HWND callback = (flags & MCI_NOTIFY) && generic ? HWND(generic->dwCallback) : nullptr;
    if (callback && message != MCI_PLAY) {
        std::lock_guard<std::mutex> lock(d.engine->mutex());
        d.notifyLocked(MCI_NOTIFY_SUPERSEDED);
    }
    const MCIERROR error = run(d, message, flags, parameters);
    if (callback && message != MCI_PLAY && !error)
        PostMessageA(callback, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, LPARAM(d.id));
    return error;
}

} // namespace
} // namespace vtl

MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    VTL_TRACE(winmm, "mciSendCommandA", device, message, flags, parameters);
    if (message == MCI_OPEN)
        return vtlTraceCall_.result(vtl::openDevice(flags, reinterpret_cast<MCI_OPEN_PARMSA*>(parameters)));
    std::shared_ptr<vtl::CdDevice> d;
    {
        vtl::DeviceList& list = vtl::openDevices();
        std::lock_guard<std::mutex> lock(list.lock);
        auto it = list.devices.find(device);
        if (it == list.devices.end())
            return vtlTraceCall_.result(MCIERR_INVALID_DEVICE_ID);
        d = it->second;
        if (message == MCI_CLOSE)
            list.devices.erase(it);
    }
    if (message == MCI_CLOSE) {
        // The device stops when its last user lets go of it; a play of
        // this user's is cut short now.
        {
            std::lock_guard<std::mutex> lock(d->engine->mutex());
            d->notifyLocked(MCI_NOTIFY_ABORTED);
        }
        const auto* generic = reinterpret_cast<const MCI_GENERIC_PARMS*>(parameters);
        if ((flags & MCI_NOTIFY) && generic && generic->dwCallback)
            PostMessageA(HWND(generic->dwCallback), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, LPARAM(device));
        return vtlTraceCall_.result(0);
    }
    return vtlTraceCall_.result(vtl::command(*d, message, flags, parameters));
}
