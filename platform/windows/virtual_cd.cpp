#include "platform/windows/virtual_cd.h"

#include "platform/shared/wave_header.h"
#include <vantrel/seam/riff_wave.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace vtl {
namespace {

// waveOut is fed this many buffers of an eighth of a second each.
constexpr int kBuffers = 4;

std::vector<unsigned char> readWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isPlayablePcm(const WAVEFORMATEX& f)
{
    return f.wFormatTag == WAVE_FORMAT_PCM && f.nChannels >= 1 && f.nChannels <= 2 &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) &&
           f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8 && f.nSamplesPerSec >= 1000 &&
           f.nSamplesPerSec <= 200000;
}

} // namespace

VirtualCd::VirtualCd(MCIDEVICEID id)
    : id_(id), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      bufferDone_(CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
}

VirtualCd::~VirtualCd()
{
    halt(MCI_NOTIFY_ABORTED);
    CloseHandle(stop_);
    CloseHandle(bufferDone_);
}

std::string VirtualCd::folder()
{
    if (const char* named = std::getenv("VANTREL_CDAUDIO"))
        if (*named)
            return named;
    char exe[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return "cdaudio";
    std::string path(exe, n);
    return path.substr(0, path.find_last_of("\\/") + 1) + "cdaudio";
}

bool VirtualCd::load(const std::string& where)
{
    for (int number = 1; number <= 99; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "/track%02d.wav", number);
        const std::string path = where + name;
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            break;
        Track track;
        track.path = path;
        WaveHeader header{};
        const bool read = readWaveHeader(path, &header);
        if (read && header.format.nBlockAlign && header.format.nSamplesPerSec) {
            track.format = header.format;
            track.frames = header.dataSize / header.format.nBlockAlign;
            track.playable = isPlayablePcm(header.format);
        }
        uint32_t cdFrames = 0;
        const bool placed = timeline_.add(track.frames, track.format.nSamplesPerSec, &cdFrames);
        if (!placed)
            track.playable = false;
        if (!track.playable) {
            const std::string why = "CD audio: " + path + " cannot be read (" +
                                    (read ? "no PCM WAV that waveOut plays" : "no RIFF WAVE format and data") +
                                    "): " + (cdFrames ? "it plays as silence" : "skipped") + "\r\n";
            OutputDebugStringA(why.c_str());
        }
        tracks_.push_back(track);
    }
    return !tracks_.empty();
}

uint32_t VirtualCd::positionLocked() const
{
    if (!playing_)
        return cursor_;
    uint64_t at;
    if (out_) {
        MMTIME time{};
        time.wType = TIME_SAMPLES;
        waveOutGetPosition(out_, &time, sizeof time);
        const uint64_t sample = segmentFirstSample_ + (time.wType == TIME_SAMPLES ? time.u.sample : 0);
        at = segmentTrackStart_ + sample * 75 / segmentRate_;
    } else {
        at = segmentStart_ + uint64_t(GetTickCount() - silenceSince_) * 75 / 1000;
    }
    return uint32_t(std::min<uint64_t>(at, until_));
}

void VirtualCd::notifyLocked(WPARAM why)
{
    if (notifyWindow_)
        PostMessageA(notifyWindow_, MM_MCINOTIFY, why, id_);
    notifyWindow_ = nullptr;
}

void VirtualCd::halt(WPARAM why)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (playing_)
            cursor_ = positionLocked();
        playing_ = false;
        notifyLocked(why);
    }
    SetEvent(stop_);
    if (worker_.joinable())
        worker_.join();
    ResetEvent(stop_);
}

void VirtualCd::playSegment(size_t t, uint32_t from, uint32_t to)
{
    const Track& track = tracks_[t];
    const uint32_t trackStart = timeline_.starts[t];
    std::vector<unsigned char> bytes;
    unsigned char* data = nullptr;
    DWORD dataSize = 0;
    HWAVEOUT out = nullptr;
    if (track.playable) {
        bytes = readWhole(track.path);
        WAVEFORMATEX* format = nullptr;
        if (!readRiffWave(bytes.data(), DWORD(bytes.size()), &format, &data, &dataSize) ||
            std::memcmp(format, &track.format, 16) != 0)
            data = nullptr; // changed since the disc was read: silence
        if (data && waveOutOpen(&out, WAVE_MAPPER, &track.format, reinterpret_cast<DWORD_PTR>(bufferDone_), 0,
                                CALLBACK_EVENT) != MMSYSERR_NOERROR)
            out = nullptr;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        segmentStart_ = from;
        segmentTrackStart_ = trackStart;
        segmentRate_ = track.format.nSamplesPerSec ? track.format.nSamplesPerSec : 1;
        segmentFirstSample_ = firstSampleOf(from - trackStart, segmentRate_);
        silenceSince_ = GetTickCount();
        out_ = out;
    }
    if (!out) {
        // A track that cannot be played passes as silence of its length.
        WaitForSingleObject(stop_, DWORD(uint64_t(to - from) * 1000 / 75));
        return;
    }
    const uint32_t block = track.format.nBlockAlign;
    const uint64_t available = dataSize / block;
    const uint64_t first = std::min<uint64_t>(firstSampleOf(from - trackStart, segmentRate_), available);
    const uint64_t last = std::min<uint64_t>(firstSampleOf(to - trackStart, segmentRate_), available);
    const uint64_t chunk = std::max<uint32_t>(segmentRate_ / 8, 1);
    WAVEHDR headers[kBuffers] = {};
    uint64_t next = first;
    for (;;) {
        bool busy = false;
        for (WAVEHDR& h : headers) {
            if ((h.dwFlags & WHDR_PREPARED) && !(h.dwFlags & WHDR_DONE)) {
                busy = true;
                continue;
            }
            if (h.dwFlags & WHDR_PREPARED)
                waveOutUnprepareHeader(out, &h, sizeof h);
            if (next >= last || stopAsked())
                continue;
            const uint64_t frames = std::min(chunk, last - next);
            h = WAVEHDR{};
            h.lpData = reinterpret_cast<LPSTR>(data + next * block);
            h.dwBufferLength = DWORD(frames * block);
            next += frames;
            if (waveOutPrepareHeader(out, &h, sizeof h) == MMSYSERR_NOERROR &&
                waveOutWrite(out, &h, sizeof h) == MMSYSERR_NOERROR)
                busy = true;
        }
        if (!busy)
            break;
        const HANDLE waits[2] = {stop_, bufferDone_};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0)
            waveOutReset(out); // every buffer comes back done
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        out_ = nullptr;
    }
    waveOutClose(out);
}

void VirtualCd::run(uint32_t from, uint32_t to)
{
    uint32_t at = from;
    while (at < to && !stopAsked()) {
        const size_t t = timeline_.trackAt(at);
        const uint32_t end = std::min(to, timeline_.starts[t] + timeline_.trackLength(t));
        if (end > at)
            playSegment(t, at, end);
        if (t + 1 == tracks_.size())
            break;
        at = std::max(end, timeline_.starts[t + 1]);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (!stopAsked() && playing_) {
        playing_ = false;
        cursor_ = std::min(to, timeline_.length);
        notifyLocked(MCI_NOTIFY_SUCCESSFUL);
    }
}

MCIERROR VirtualCd::play(DWORD_PTR flags, const MCI_PLAY_PARMS* params)
{
    if ((flags & (MCI_FROM | MCI_TO | MCI_NOTIFY)) && !params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    uint32_t from, to = timeline_.length;
    DWORD format;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        from = positionLocked();
        format = timeFormat_;
    }
    if ((flags & MCI_FROM) && !timeline_.toCdFrame(format, params->dwFrom, &from))
        return MCIERR_OUTOFRANGE;
    if ((flags & MCI_TO) && !timeline_.toCdFrame(format, params->dwTo, &to))
        return MCIERR_OUTOFRANGE;
    if (from >= timeline_.length || from > to)
        return MCIERR_OUTOFRANGE;
    halt(MCI_NOTIFY_SUPERSEDED);
    std::lock_guard<std::mutex> lock(mutex_);
    playing_ = true;
    paused_ = false;
    until_ = to;
    segmentStart_ = from;
    silenceSince_ = GetTickCount();
    if (flags & MCI_NOTIFY)
        notifyWindow_ = reinterpret_cast<HWND>(params->dwCallback);
    worker_ = std::thread(&VirtualCd::run, this, from, to);
    return 0;
}

MCIERROR VirtualCd::status(DWORD_PTR flags, MCI_STATUS_PARMS* params)
{
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (!(flags & MCI_STATUS_ITEM))
        return MCIERR_MISSING_PARAMETER;
    const size_t count = tracks_.size();
    size_t track = count;
    if (flags & MCI_TRACK) {
        if (params->dwTrack < 1 || params->dwTrack > count)
            return MCIERR_OUTOFRANGE;
        track = params->dwTrack - 1;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    switch (params->dwItem) {
    case MCI_STATUS_LENGTH:
        params->dwReturn =
            cdDuration(timeFormat_, track < count ? timeline_.trackLength(track) : timeline_.length);
        return 0;
    case MCI_STATUS_POSITION:
        if (track < count)
            params->dwReturn = timeline_.fromCdFrame(timeFormat_, timeline_.starts[track]);
        else if (flags & MCI_STATUS_START)
            params->dwReturn = timeline_.fromCdFrame(timeFormat_, 0);
        else
            params->dwReturn = timeline_.fromCdFrame(timeFormat_, positionLocked());
        return 0;
    case MCI_STATUS_NUMBER_OF_TRACKS: params->dwReturn = count; return 0;
    case MCI_STATUS_MODE:
        params->dwReturn = playing_ ? MCI_MODE_PLAY : paused_ ? MCI_MODE_PAUSE : MCI_MODE_STOP;
        return 0;
    case MCI_STATUS_MEDIA_PRESENT:
    case MCI_STATUS_READY: params->dwReturn = TRUE; return 0;
    case MCI_STATUS_TIME_FORMAT: params->dwReturn = timeFormat_; return 0;
    case MCI_STATUS_CURRENT_TRACK: params->dwReturn = timeline_.trackAt(positionLocked()) + 1; return 0;
    }
    return MCIERR_MISSING_PARAMETER;
}

MCIERROR VirtualCd::command(UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    if (message == MCI_PLAY)
        return play(flags, reinterpret_cast<const MCI_PLAY_PARMS*>(parameters));
    MCIERROR result = 0;
    switch (message) {
    case MCI_STOP:
    case MCI_PAUSE: {
        bool wasPlaying;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            wasPlaying = playing_;
        }
        halt(MCI_NOTIFY_ABORTED);
        std::lock_guard<std::mutex> lock(mutex_);
        paused_ = message == MCI_PAUSE && wasPlaying;
        break;
    }
    case MCI_RESUME: {
        uint32_t from, to;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!paused_)
                break;
            from = cursor_;
            to = until_;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        paused_ = false;
        playing_ = from < to;
        if (playing_) {
            segmentStart_ = from;
            silenceSince_ = GetTickCount();
            worker_ = std::thread(&VirtualCd::run, this, from, to);
        }
        break;
    }
    case MCI_SEEK: {
        const auto* seek = reinterpret_cast<const MCI_SEEK_PARMS*>(parameters);
        uint32_t to;
        DWORD format;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            format = timeFormat_;
        }
        if (flags & MCI_SEEK_TO_START)
            to = 0;
        else if (flags & MCI_SEEK_TO_END)
            to = timeline_.length;
        else if (!(flags & MCI_TO))
            return MCIERR_MISSING_PARAMETER;
        else if (!seek)
            return MCIERR_NULL_PARAMETER_BLOCK;
        else if (!timeline_.toCdFrame(format, seek->dwTo, &to))
            return MCIERR_OUTOFRANGE;
        halt(MCI_NOTIFY_ABORTED);
        std::lock_guard<std::mutex> lock(mutex_);
        paused_ = false;
        cursor_ = to;
        break;
    }
    case MCI_SET: {
        const auto* set = reinterpret_cast<const MCI_SET_PARMS*>(parameters);
        if (!set)
            return MCIERR_NULL_PARAMETER_BLOCK;
        if (flags & MCI_SET_TIME_FORMAT) {
            const DWORD f = set->dwTimeFormat;
            if (f != MCI_FORMAT_TMSF && f != MCI_FORMAT_MSF && f != MCI_FORMAT_MILLISECONDS)
                return MCIERR_BAD_TIME_FORMAT;
            std::lock_guard<std::mutex> lock(mutex_);
            timeFormat_ = f;
        }
        break;
    }
    case MCI_STATUS: result = status(flags, reinterpret_cast<MCI_STATUS_PARMS*>(parameters)); break;
    default: return MCIERR_UNRECOGNIZED_COMMAND;
    }
    // A command done at once notifies at once.
    const auto* generic = reinterpret_cast<const MCI_GENERIC_PARMS*>(parameters);
    if (result == 0 && (flags & MCI_NOTIFY) && generic)
        PostMessageA(reinterpret_cast<HWND>(generic->dwCallback), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, id_);
    return result;
}

} // namespace vtl
