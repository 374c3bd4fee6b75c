// The waveaudio device: the file is read whole when the device opens and
// mixed by the shared sound output when it plays.  Positions are kept in
// sample frames; the time formats (milliseconds, samples, bytes) only
// change how they are given and returned.
//
// "notify" asks for one MM_MCINOTIFY per command.  A play's notification
// comes when it ends (successful), when a command that stops it comes
// (aborted: another play, stop, seek, close), or when a command that lets
// it go on asks for a notification of its own (superseded); the other
// commands finish at once and notify at once.
// The end of a play is seen by the mixer, which posts the message itself.
#include "platform/winmm/mci_waveaudio.h"

#include "platform/dsound/audio_engine.h"
#include "platform/dsound/audio_mix.h"
#include "platform/kernel/trace.h"

#include <vantrel/seam/riff_wave.h>
#include <vantrel/win32/files.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/window.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace vtl {
namespace {

std::string lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

class WaveDevice final : public MixVoice {
public:
    MCIDEVICEID id = 0;
    std::shared_ptr<AudioEngine> engine;
    std::vector<unsigned char> file;
    const unsigned char* data = nullptr;
    uint32_t frames = 0;
    PcmLayout layout{};
    DWORD timeFormat = MCI_FORMAT_MILLISECONDS;

    // --- guarded by the engine's mutex
    bool playing = false;
    bool paused = false;
    MixPosition position = 0;
    uint32_t until = 0;        // the frame where the play ends
    HWND notifyWindow = nullptr; // a play's pending notification

    ~WaveDevice() override { halt(MCI_NOTIFY_ABORTED); }

    bool mix(int32_t* accumulator, uint32_t outFrames, uint32_t outputRate, std::vector<HANDLE>&) override
    {
        const MixResult r = mixSound(data, until, layout, false, position, mixStep(layout.rate, outputRate),
                                     StereoGain{65536, 65536}, accumulator, outFrames);
        if (!r.ended)
            return true;
        playing = false;
        position = MixPosition(until) << 32;
        notifyLocked(MCI_NOTIFY_SUCCESSFUL);
        return false;
    }

    // Posts the pending play notification with `result` (engine mutex held).
    void notifyLocked(WPARAM result)
    {
        if (notifyWindow)
            PostMessageA(notifyWindow, MM_MCINOTIFY, result, LPARAM(id));
        notifyWindow = nullptr;
    }

    void halt(WPARAM result)
    {
        if (!engine)
            return;
        std::lock_guard<std::mutex> lock(engine->mutex());
        engine->stop(this);
        playing = paused = false;
        notifyLocked(result);
    }
};

struct WaveDevices {
    std::mutex lock;
    std::map<std::string, std::shared_ptr<WaveDevice>> byName;
    MCIDEVICEID next = 0x100; // apart from the CD device's numbers
};

WaveDevices& waveDevices()
{
    static auto* devices = new WaveDevices; // used from globals' destructors too
    return *devices;
}

std::shared_ptr<WaveDevice> deviceNamed(const std::string& name)
{
    WaveDevices& d = waveDevices();
    std::lock_guard<std::mutex> lock(d.lock);
    const auto found = d.byName.find(name);
    return found == d.byName.end() ? nullptr : found->second;
}

// Reads the file whole; an error code for a file that is missing or not a
// WAV file the mixer plays.
MCIERROR load(WaveDevice& device, const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return MCIERR_FILE_NOT_FOUND;
    device.file.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    const BOOL ok = ReadFile(file, device.file.data(), DWORD(device.file.size()), &read, nullptr);
    CloseHandle(file);
    WAVEFORMATEX* format = nullptr;
    unsigned char* data = nullptr;
    DWORD size = 0;
    if (!ok || read != device.file.size() ||
        !readRiffWave(device.file.data(), DWORD(device.file.size()), &format, &data, &size) ||
        !layoutFromFormat(*format, &device.layout))
        return MCIERR_INVALID_FILE;
    device.data = data;
    device.frames = size / device.layout.frameBytes;
    return 0;
}

// Frames from a position in the device's time format.
uint32_t framesFrom(const WaveDevice& d, DWORD value)
{
    uint64_t frames = value;
    if (d.timeFormat == MCI_FORMAT_MILLISECONDS)
        frames = uint64_t(value) * d.layout.rate / 1000;
    else if (d.timeFormat == MCI_FORMAT_BYTES)
        frames = value / d.layout.frameBytes;
    return frames > d.frames ? d.frames + 1 : uint32_t(frames); // past the end: out of range
}

DWORD framesTo(const WaveDevice& d, uint64_t frames)
{
    if (d.timeFormat == MCI_FORMAT_MILLISECONDS)
        return DWORD(frames * 1000 / d.layout.rate);
    if (d.timeFormat == MCI_FORMAT_BYTES)
        return DWORD(frames * d.layout.frameBytes);
    return DWORD(frames);
}

// The number after a keyword, as a frame.
MCIERROR positionAfter(const WaveDevice& d, const std::vector<std::string>& rest, size_t& at, uint32_t* frame)
{
    if (++at >= rest.size())
        return MCIERR_MISSING_PARAMETER;
    char* end = nullptr;
    const unsigned long value = std::strtoul(rest[at].c_str(), &end, 10);
    if (rest[at].empty() || *end)
        return MCIERR_BAD_INTEGER;
    *frame = framesFrom(d, DWORD(value));
    return *frame > d.frames ? MCIERR_OUTOFRANGE : 0;
}

MCIERROR play(WaveDevice& d, const std::vector<std::string>& rest, HWND callback)
{
    uint32_t from = 0, to = d.frames;
    bool hasFrom = false, waits = false, notify = false;
    for (size_t at = 0; at < rest.size(); ++at) {
        const std::string word = lower(rest[at]);
        MCIERROR error = 0;
        if (word == "from") {
            error = positionAfter(d, rest, at, &from);
            hasFrom = true;
        } else if (word == "to") {
            error = positionAfter(d, rest, at, &to);
        } else if (word == "wait") {
            waits = true;
        } else if (word == "notify") {
            notify = true;
        } else {
            error = MCIERR_UNRECOGNIZED_KEYWORD;
        }
        if (error)
            return error;
    }
    {
        std::lock_guard<std::mutex> lock(d.engine->mutex());
        const uint32_t at = hasFrom ? from : uint32_t(d.position >> 32) >= d.frames ? 0 : uint32_t(d.position >> 32);
        if (to < at)
            return MCIERR_OUTOFRANGE;
        d.notifyLocked(MCI_NOTIFY_ABORTED);
        d.notifyWindow = notify ? callback : nullptr;
        d.position = MixPosition(at) << 32;
        d.until = to;
        d.playing = true;
        d.paused = false;
        d.engine->start(&d);
    }
    // "wait" returns when the play has ended, as the device reports it.
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(d.engine->mutex());
            if (!waits || !d.playing || d.paused)
                return 0;
        }
        Sleep(5);
    }
}

MCIERROR status(WaveDevice& d, const std::vector<std::string>& rest, LPSTR out, UINT size)
{
    std::string item;
    for (const std::string& word : rest) {
        const std::string w = lower(word);
        if (w != "wait" && w != "notify")
            item += (item.empty() ? "" : " ") + w;
    }
    std::lock_guard<std::mutex> lock(d.engine->mutex());
    if (item == "mode")
        return answer(d.paused ? "paused" : d.playing ? "playing" : "stopped", out, size);
    if (item == "length")
        return answer(std::to_string(framesTo(d, d.frames)), out, size);
    if (item == "position")
        return answer(std::to_string(framesTo(d, d.position >> 32)), out, size);
    if (item == "time format")
        return answer(d.timeFormat == MCI_FORMAT_MILLISECONDS ? "milliseconds"
                      : d.timeFormat == MCI_FORMAT_BYTES      ? "bytes"
                                                              : "samples",
                      out, size);
    if (item == "ready" || item == "media present")
        return answer("true", out, size);
    if (item == "number of tracks")
        return answer("1", out, size);
    if (item == "channels")
        return answer(std::to_string(d.layout.channels), out, size);
    if (item == "samplespersec")
        return answer(std::to_string(d.layout.rate), out, size);
    return item.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD;
}

MCIERROR set(WaveDevice& d, const std::vector<std::string>& rest)
{
    std::string words;
    for (const std::string& word : rest)
        words += (words.empty() ? "" : " ") + lower(word);
    DWORD format;
    if (words == "time format milliseconds" || words == "time format ms")
        format = MCI_FORMAT_MILLISECONDS;
    else if (words == "time format samples")
        format = MCI_FORMAT_SAMPLES;
    else if (words == "time format bytes")
        format = MCI_FORMAT_BYTES;
    else if (words.compare(0, 11, "time format") == 0)
        return MCIERR_BAD_TIME_FORMAT;
    else
        return MCIERR_UNRECOGNIZED_KEYWORD;
    std::lock_guard<std::mutex> lock(d.engine->mutex());
    d.timeFormat = format;
    return 0;
}

MCIERROR seek(WaveDevice& d, const std::vector<std::string>& rest)
{
    if (rest.size() < 2 || lower(rest[0]) != "to")
        return MCIERR_MISSING_PARAMETER;
    uint32_t frame;
    const std::string where = lower(rest[1]);
    if (where == "start") {
        frame = 0;
    } else if (where == "end") {
        frame = d.frames;
    } else {
        size_t at = 0;
        if (const MCIERROR error = positionAfter(d, rest, at, &frame))
            return error;
    }
    std::lock_guard<std::mutex> lock(d.engine->mutex());
    d.engine->stop(&d);
    d.playing = d.paused = false;
    d.notifyLocked(MCI_NOTIFY_ABORTED);
    d.position = MixPosition(frame) << 32;
    return 0;
}

} // namespace

bool namesWaveAudio(const std::string& name, const std::vector<std::string>& rest)
{
    for (size_t i = 0; i + 1 < rest.size(); ++i) {
        if (lower(rest[i]) == "type")
            return lower(rest[i + 1]) == "waveaudio";
    }
    return name == "waveaudio" || (name.size() > 4 && name.compare(name.size() - 4, 4, ".wav") == 0);
}

MCIERROR openWaveAudio(const std::string& name, const std::vector<std::string>& rest, LPSTR out, UINT size,
                       HWND callback)
{
    std::string alias = lower(name);
    bool aliased = false, notify = false;
    for (size_t at = 0; at < rest.size(); ++at) {
        const std::string word = lower(rest[at]);
        if (word == "alias" || word == "type") {
            if (++at >= rest.size())
                return MCIERR_MISSING_STRING_ARGUMENT;
            if (word == "alias") {
                alias = lower(rest[at]);
                aliased = true;
            }
        } else if (word == "notify") {
            notify = true;
        } else if (word != "shareable" && word != "wait") {
            return MCIERR_UNRECOGNIZED_KEYWORD;
        }
    }
    if (lower(name) == "waveaudio" || lower(name) == "new") {
        VTL_UNSUPPORTED("mciSendString open of a waveaudio device without a file (recording)",
                        "fails with MCIERR_UNSUPPORTED_FUNCTION");
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
    auto device = std::make_shared<WaveDevice>();
    device->engine = AudioEngine::acquire();
    if (!device->engine)
        return MCIERR_HARDWARE;
    if (const MCIERROR error = load(*device, name))
        return error;
    WaveDevices& d = waveDevices();
    {
        std::lock_guard<std::mutex> lock(d.lock);
        if (d.byName.count(alias))
            return aliased ? MCIERR_DUPLICATE_ALIAS : MCIERR_DEVICE_OPEN;
        device->id = d.next++;
        d.byName[alias] = device;
    }
    if (notify && callback)
        PostMessageA(callback, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, LPARAM(device->id));
    return answer(std::to_string(device->id), out, size);
}

bool isWaveAudio(const std::string& name)
{
    return deviceNamed(name) != nullptr;
}

MCIERROR waveAudioCommand(const std::string& verb, const std::string& name, const std::vector<std::string>& rest,
                          LPSTR out, UINT size, HWND callback)
{
    const std::shared_ptr<WaveDevice> device = deviceNamed(name);
    if (!device)
        return MCIERR_INVALID_DEVICE_NAME;
    if (verb == "play")
        return play(*device, rest, callback);
    bool notify = false;
    std::vector<std::string> words;
    for (const std::string& word : rest) {
        if (lower(word) == "notify")
            notify = true;
        else if (lower(word) != "wait")
            words.push_back(word);
    }
    if (notify && verb != "stop" && verb != "seek" && verb != "close") {
        std::lock_guard<std::mutex> lock(device->engine->mutex());
        device->notifyLocked(MCI_NOTIFY_SUPERSEDED);
    }
    MCIERROR error;
    if (verb == "close") {
        WaveDevices& d = waveDevices();
        {
            std::lock_guard<std::mutex> lock(d.lock);
            d.byName.erase(name);
        }
        device->halt(MCI_NOTIFY_ABORTED);
        error = words.empty() ? 0 : MCIERR_UNRECOGNIZED_KEYWORD;
    } else if (verb == "stop" || verb == "pause" || verb == "resume") {
        if (!words.empty())
            return MCIERR_UNRECOGNIZED_KEYWORD;
        std::lock_guard<std::mutex> lock(device->engine->mutex());
        if (verb == "resume") {
            if (device->playing && device->paused) {
                device->paused = false;
                device->engine->start(device.get());
            }
        } else {
            device->engine->stop(device.get());
            device->paused = verb == "pause" && device->playing;
            device->playing = device->paused;
            if (verb == "stop")
                device->notifyLocked(MCI_NOTIFY_ABORTED);
        }
        error = 0;
    } else if (verb == "seek") {
        error = seek(*device, words);
    } else if (verb == "set") {
        error = set(*device, words);
    } else if (verb == "status") {
        error = status(*device, words, out, size);
    } else {
        return MCIERR_UNRECOGNIZED_COMMAND;
    }
    if (notify && !error && callback)
        PostMessageA(callback, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, LPARAM(device->id));
    return error;
}

void closeAllWaveAudio()
{
    std::map<std::string, std::shared_ptr<WaveDevice>> all;
    {
        WaveDevices& d = waveDevices();
        std::lock_guard<std::mutex> lock(d.lock);
        all.swap(d.byName);
    }
    for (auto& device : all)
        device.second->halt(MCI_NOTIFY_ABORTED);
}

MCIERROR answer(const std::string& text, LPSTR out, UINT size)
{
    if (!out)
        return 0;
    if (text.size() + 1 > size)
        return MCIERR_PARAM_OVERFLOW;
    std::memcpy(out, text.c_str(), text.size() + 1);
    return 0;
}

} // namespace vtl
