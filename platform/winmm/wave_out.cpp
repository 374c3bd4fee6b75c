// The waveOut device: blocks written to it play one after another as a
// stream through the shared sound output.  The queue, the play position and
// the headers' flags are guarded by the engine's mutex, as every voice's
// state is; notifications leave through the device's own thread, so that a
// callback may queue the next block at once without meeting the mixer's lock.
// Where no thread starts (a page) they leave in the program's own turns.
#include "platform/dsound/audio_engine.h"
#include "platform/dsound/audio_mix.h"

#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/window.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/host/threads.h"
#include "platform/kernel/trace.h"

namespace vtl {
namespace {

typedef void(CALLBACK* WaveOutProc)(HWAVEOUT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR);

struct Notice {
    UINT message;
    WAVEHDR* header;
};

// Delivers a device's notifications in order, on a thread of its own or in
// the program's turns.
class Notifier : public std::enable_shared_from_this<Notifier> {
public:
    Notifier(HWAVEOUT device, DWORD kind, DWORD_PTR target, DWORD_PTR instance)
        : device_(device), kind_(kind), target_(target), instance_(instance)
    {
    }

    // False where nothing would deliver the notifications.
    bool start()
    {
        std::shared_ptr<Notifier> self = shared_from_this();
        if (host::startThread(thread_, [self] { self->run(); }))
            return true;
        turnWork_ = host::addTurnWork([self] { return self->deliverPosted(); });
        return turnWork_ != 0;
    }

    void post(UINT message, WAVEHDR* header)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        notices_.push_back(Notice{message, header});
        wake_.notify_one();
    }

    // Delivers what is posted, then ends the thread.  From the thread
    // itself (a callback that closes its device) the thread ends on its own.
    void finish()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            finishing_ = true;
            wake_.notify_one();
        }
        if (turnWork_) {
            deliverPosted();
            return;
        }
        if (thread_.get_id() == std::this_thread::get_id())
            thread_.detach();
        else
            thread_.join();
    }

private:
    void run()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return finishing_ || !notices_.empty(); });
            if (notices_.empty())
                return;
            const Notice notice = notices_.front();
            notices_.pop_front();
            lock.unlock();
            deliver(notice);
            lock.lock();
        }
    }

    // In the program's turns: delivers what is posted, and after the last
    // notice of a finished device takes itself out of the turns.  A callback
    // that closes its device meets the delivery already running.
    host::WaitClock::time_point deliverPosted()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (delivering_)
            return host::WaitClock::time_point::max();
        delivering_ = true;
        while (!notices_.empty()) {
            const Notice notice = notices_.front();
            notices_.pop_front();
            lock.unlock();
            deliver(notice);
            lock.lock();
        }
        delivering_ = false;
        if (finishing_ && turnWork_) {
            host::removeTurnWork(turnWork_);
            turnWork_ = 0;
        }
        return host::WaitClock::time_point::max();
    }

    void deliver(const Notice& notice) const
    {
        const DWORD_PTR header = reinterpret_cast<DWORD_PTR>(notice.header);
        switch (kind_) {
        case CALLBACK_FUNCTION:
            reinterpret_cast<WaveOutProc>(target_)(device_, notice.message, instance_, header, 0);
            break;
        case CALLBACK_WINDOW:
            PostMessageA(reinterpret_cast<HWND>(target_), notice.message, reinterpret_cast<WPARAM>(device_),
                         static_cast<LPARAM>(header));
            break;
        case CALLBACK_EVENT:
            SetEvent(reinterpret_cast<HANDLE>(target_));
            break;
        default:
            break;
        }
    }

    const HWAVEOUT device_;
    const DWORD kind_;
    const DWORD_PTR target_;
    const DWORD_PTR instance_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Notice> notices_;
    bool finishing_ = false;
    bool delivering_ = false;
    std::thread thread_;
    unsigned turnWork_ = 0;
};

class WaveOutDevice final : public MixVoice {
public:
    WaveOutDevice(std::shared_ptr<AudioEngine> engine, const PcmLayout& layout, std::shared_ptr<Notifier> notifier)
        : engine(std::move(engine)), layout(layout), notifier(std::move(notifier))
    {
    }

    const std::shared_ptr<AudioEngine> engine;
    const PcmLayout layout;
    const std::shared_ptr<Notifier> notifier;

    // --- guarded by the engine's mutex
    std::deque<WAVEHDR*> queue;
    MixPosition position = 0; // in the first queued block
    uint64_t played = 0;      // frames played since open or reset
    bool paused = false;
    DWORD volume = 0xFFFFFFFF;
    StereoGain gain{65536, 65536};

    bool mix(int32_t* accumulator, uint32_t frames, uint32_t outputRate, std::vector<HANDLE>&) override
    {
        const uint64_t step = mixStep(layout.rate, outputRate);
        uint32_t produced = 0;
        while (produced < frames && !queue.empty()) {
            WAVEHDR* header = queue.front();
            const uint32_t length = header->dwBufferLength / layout.frameBytes;
            const MixResult r = mixSound(reinterpret_cast<const uint8_t*>(header->lpData), length, layout, false,
                                         position, step, gain, accumulator + size_t(produced) * 2,
                                         frames - produced);
            produced += r.produced;
            played += r.advanced;
            if (r.ended || (position >> 32) >= length) {
                queue.pop_front();
                position = 0;
                doneLocked(header);
            } else if (r.produced == 0) {
                break;
            }
        }
        return !queue.empty();
    }

    void doneLocked(WAVEHDR* header)
    {
        header->dwFlags = (header->dwFlags & ~DWORD(WHDR_INQUEUE)) | WHDR_DONE;
        notifier->post(WOM_DONE, header);
    }
};

// The open devices by handle.  Handles count up, so a closed handle stays
// invalid rather than naming the next device opened.
struct DeviceTable {
    std::mutex lock;
    std::map<HWAVEOUT, std::shared_ptr<WaveOutDevice>> devices;
    uintptr_t last = 0;
};

DeviceTable& deviceTable()
{
    static DeviceTable* table = new DeviceTable; // outlives devices left open at exit
    return *table;
}

std::shared_ptr<WaveOutDevice> find(HWAVEOUT handle)
{
    DeviceTable& table = deviceTable();
    std::lock_guard<std::mutex> lock(table.lock);
    const auto found = table.devices.find(handle);
    return found == table.devices.end() ? nullptr : found->second;
}

bool knownId(UINT_PTR id)
{
    return id == 0 || id == UINT_PTR(WAVE_MAPPER) || UINT(id) == WAVE_MAPPER;
}

// Checks a header call's arguments: the device's result code, or 0.
MMRESULT checkHeader(const std::shared_ptr<WaveOutDevice>& device, LPWAVEHDR header, UINT size)
{
    if (!device)
        return MMSYSERR_INVALHANDLE;
    if (!header || size < sizeof(WAVEHDR))
        return MMSYSERR_INVALPARAM;
    return MMSYSERR_NOERROR;
}

} // namespace
} // namespace vtl

using namespace vtl;

UINT waveOutGetNumDevs()
{
    VTL_TRACE0(winmm, "waveOutGetNumDevs");
    return vtlTraceCall_.result(1u);
}

MMRESULT waveOutGetDevCapsA(UINT_PTR id, LPWAVEOUTCAPSA caps, UINT size)
{
    VTL_TRACE(winmm, "waveOutGetDevCapsA", static_cast<unsigned long long>(id), caps, size);
    if (!knownId(id))
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_BADDEVICEID));
    if (!caps)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALPARAM));
    WAVEOUTCAPSA full{};
    full.wMid = 1; // Microsoft: the mapper's maker
    full.wPid = 2; // the wave mapper
    full.vDriverVersion = 0x0500;
    std::strcpy(full.szPname, "Vantrel sound output");
    full.dwFormats = 0x0FFF; // every WAVE_FORMAT_ rate, width and channel count
    full.wChannels = 2;
    full.dwSupport = WAVECAPS_VOLUME | WAVECAPS_LRVOLUME | WAVECAPS_SAMPLEACCURATE;
    // Windows copies as much of the record as the caller's size holds.
    std::memcpy(caps, &full, size < sizeof full ? size : sizeof full);
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}

MMRESULT waveOutOpen(LPHWAVEOUT device, UINT id, LPCWAVEFORMATEX format, DWORD_PTR callback, DWORD_PTR instance,
                     DWORD flags)
{
    VTL_TRACE(winmm, "waveOutOpen", device, id, format, static_cast<unsigned long long>(callback), flags);
    if (!knownId(id))
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_BADDEVICEID));
    if (!format)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALPARAM));
    const DWORD kind = flags & CALLBACK_TYPEMASK;
    if (kind != CALLBACK_NULL && kind != CALLBACK_WINDOW && kind != CALLBACK_THREAD && kind != CALLBACK_FUNCTION &&
        kind != CALLBACK_EVENT)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALFLAG));
    PcmLayout layout;
    if (!layoutFromFormat(*format, &layout))
        return vtlTraceCall_.result(MMRESULT(WAVERR_BADFORMAT));
    if (flags & WAVE_FORMAT_QUERY)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
    if (!device)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALPARAM));
    if (kind == CALLBACK_WINDOW && callback && !IsWindow(reinterpret_cast<HWND>(callback)))
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALPARAM));
    if (kind == CALLBACK_THREAD)
        VTL_UNSUPPORTED("waveOutOpen with CALLBACK_THREAD", "opens without notifications");
    std::shared_ptr<AudioEngine> engine = AudioEngine::acquire();
    if (!engine)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_NODRIVER));

    DeviceTable& table = deviceTable();
    std::lock_guard<std::mutex> lock(table.lock);
    const HWAVEOUT handle = reinterpret_cast<HWAVEOUT>(++table.last * 4 + 0x1000);
    auto notifier = std::make_shared<Notifier>(handle, kind == CALLBACK_THREAD ? CALLBACK_NULL : kind, callback,
                                               instance);
    if (!notifier->start())
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOMEM));
    table.devices[handle] = std::make_shared<WaveOutDevice>(std::move(engine), layout, notifier);
    notifier->post(WOM_OPEN, nullptr);
    *device = handle;
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}

MMRESULT waveOutClose(HWAVEOUT handle)
{
    VTL_TRACE(winmm, "waveOutClose", handle);
    std::shared_ptr<WaveOutDevice> device;
    {
        DeviceTable& table = deviceTable();
        std::lock_guard<std::mutex> lock(table.lock);
        const auto found = table.devices.find(handle);
        if (found == table.devices.end())
            return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALHANDLE));
        device = found->second;
        std::lock_guard<std::mutex> mixing(device->engine->mutex());
        if (!device->queue.empty())
            return vtlTraceCall_.result(MMRESULT(WAVERR_STILLPLAYING));
        device->engine->stop(device.get());
        table.devices.erase(found);
    }
    device->notifier->post(WOM_CLOSE, nullptr);
    device->notifier->finish();
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}

MMRESULT waveOutPrepareHeader(HWAVEOUT handle, LPWAVEHDR header, UINT size)
{
    VTL_TRACE(winmm, "waveOutPrepareHeader", handle, header, size);
    const std::shared_ptr<WaveOutDevice> device = find(handle);
    if (const MMRESULT bad = checkHeader(device, header, size))
        return vtlTraceCall_.result(bad);
    // Windows reads only the header's own flags: a prepared header is left
    // as it is, any other one becomes prepared and nothing else.
    std::lock_guard<std::mutex> lock(device->engine->mutex());
    if (!(header->dwFlags & WHDR_PREPARED))
        header->dwFlags = WHDR_PREPARED;
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT handle, LPWAVEHDR header, UINT size)
{
    VTL_TRACE(winmm, "waveOutUnprepareHeader", handle, header, size);
    const std::shared_ptr<WaveOutDevice> device = find(handle);
    if (const MMRESULT bad = checkHeader(device, header, size))
        return vtlTraceCall_.result(bad);
    std::lock_guard<std::mutex> lock(device->engine->mutex());
    if (header->dwFlags & WHDR_INQUEUE)
        return vtlTraceCall_.result(MMRESULT(WAVERR_STILLPLAYING));
    if (!(header->dwFlags & WHDR_PREPARED))
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
    header->dwFlags &= ~DWORD(WHDR_PREPARED);
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}

MMRESULT waveOutWrite(HWAVEOUT handle, LPWAVEHDR header, UINT size)
{
    VTL_TRACE(winmm, "waveOutWrite", handle, header, size);
    const std::shared_ptr<WaveOutDevice> device = find(handle);
    if (const MMRESULT bad = checkHeader(device, header, size))
        return vtlTraceCall_.result(bad);
    std::lock_guard<std::mutex> lock(device->engine->mutex());
    if (!(header->dwFlags & WHDR_PREPARED))
        return vtlTraceCall_.result(MMRESULT(WAVERR_UNPREPARED));
    if (header->dwFlags & WHDR_INQUEUE)
        return vtlTraceCall_.result(MMRESULT(WAVERR_STILLPLAYING));
    if (header->dwFlags & (WHDR_BEGINLOOP | WHDR_ENDLOOP))
        VTL_UNSUPPORTED("waveOutWrite with WHDR_BEGINLOOP or WHDR_ENDLOOP", "plays the blocks once");
    header->dwFlags = (header->dwFlags & ~DWORD(WHDR_DONE)) | WHDR_INQUEUE;
    header->lpNext = nullptr;
    device->queue.push_back(header);
    if (!device->paused)
        device->engine->start(device.get());
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}

MMRESULT waveOutPause(HWAVEOUT handle)
{
    VTL_TRACE(winmm, "waveOutPause", handle);
    const std::shared_ptr<WaveOutDevice> device = find(handle);
    if (!device)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALHANDLE));
    std::lock_guard<std::mutex> lock(device->engine->mutex());
    device->paused = true;
    device->engine->stop(device.get());
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}

MMRESULT waveOutRestart(HWAVEOUT handle)
{
    VTL_TRACE(winmm, "waveOutRestart", handle);
    const std::shared_ptr<WaveOutDevice> device = find(handle);
    if (!device)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALHANDLE));
    std::lock_guard<std::mutex> lock(device->engine->mutex());
    device->paused = false;
    if (!device->queue.empty())
        device->engine->start(device.get());
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}

MMRESULT waveOutReset(HWAVEOUT handle)
{
    VTL_TRACE(winmm, "waveOutReset", handle);
    const std::shared_ptr<WaveOutDevice> device = find(handle);
    if (!device)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALHANDLE));
    std::lock_guard<std::mutex> lock(device->engine->mutex());
    device->engine->stop(device.get());
    for (WAVEHDR* header : device->queue)
        device->doneLocked(header);
    device->queue.clear();
    device->position = 0;
    device->played = 0;
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}

MMRESULT waveOutGetPosition(HWAVEOUT handle, LPMMTIME time, UINT size)
{
    VTL_TRACE(winmm, "waveOutGetPosition", handle, time, size);
    const std::shared_ptr<WaveOutDevice> device = find(handle);
    if (!device)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALHANDLE));
    if (!time || size < sizeof(MMTIME))
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALPARAM));
    uint64_t frames;
    {
        std::lock_guard<std::mutex> lock(device->engine->mutex());
        frames = device->played;
    }
    switch (time->wType) {
    case TIME_SAMPLES:
        time->u.sample = DWORD(frames);
        break;
    case TIME_MS:
        time->u.ms = DWORD(frames * 1000 / device->layout.rate);
        break;
    default:
        time->wType = TIME_BYTES;
        time->u.cb = DWORD(frames * device->layout.frameBytes);
        break;
    }
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}

MMRESULT waveOutSetVolume(HWAVEOUT handle, DWORD volume)
{
    VTL_TRACE(winmm, "waveOutSetVolume", handle, volume);
    const std::shared_ptr<WaveOutDevice> device = find(handle);
    if (!device)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALHANDLE));
    // 0xFFFF is full volume: the Q16 gain 65536.
    auto gain = [](DWORD level) { return int32_t(level + (level >> 15)); };
    std::lock_guard<std::mutex> lock(device->engine->mutex());
    device->volume = volume;
    device->gain = StereoGain{gain(volume & 0xFFFF), gain(volume >> 16)};
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}

MMRESULT waveOutGetVolume(HWAVEOUT handle, LPDWORD volume)
{
    VTL_TRACE(winmm, "waveOutGetVolume", handle, volume);
    const std::shared_ptr<WaveOutDevice> device = find(handle);
    if (!device)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALHANDLE));
    if (!volume)
        return vtlTraceCall_.result(MMRESULT(MMSYSERR_INVALPARAM));
    std::lock_guard<std::mutex> lock(device->engine->mutex());
    *volume = device->volume;
    return vtlTraceCall_.result(MMRESULT(MMSYSERR_NOERROR));
}
