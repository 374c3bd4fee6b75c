// mciSendString for the "cdaudio" device: each command string becomes the
// mciSendCommand request it stands for, and status answers come back as the
// text Windows gives ("playing", "01:02:30:00", "3").  Commands for the
// "waveaudio" device go to mci_waveaudio.h.
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/window.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/trace.h"
#include "platform/winmm/mci_waveaudio.h"

namespace {

using vtl::answer;

// The devices opened by string, by lower-case name or alias.
struct StringDevices {
    std::mutex lock;
    std::map<std::string, MCIDEVICEID> byName;
};

StringDevices& stringDevices()
{
    static StringDevices* devices = new StringDevices; // used from globals' destructors too
    return *devices;
}

std::string lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

// Words separated by blanks; a quoted word may hold blanks.
std::vector<std::string> wordsOf(const char* command)
{
    std::vector<std::string> words;
    const char* p = command;
    while (*p) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        std::string word;
        if (*p == '"') {
            for (++p; *p && *p != '"'; ++p)
                word += *p;
            if (*p)
                ++p;
        } else {
            for (; *p && *p != ' ' && *p != '\t'; ++p)
                word += *p;
        }
        words.push_back(word);
    }
    return words;
}

class Request {
public:
    Request(std::vector<std::string> words, size_t from) : words_(std::move(words)), at_(from) {}

    bool done() const { return at_ >= words_.size(); }
    // Takes the next word when it is `keyword` (any case).
    bool take(const char* keyword)
    {
        if (done() || lower(words_[at_]) != keyword)
            return false;
        ++at_;
        return true;
    }
    bool next(std::string* word)
    {
        if (done())
            return false;
        *word = words_[at_++];
        return true;
    }

private:
    std::vector<std::string> words_;
    size_t at_;
};

// A position or length as text in the device's time format.
std::string timeText(DWORD value, DWORD format, bool duration)
{
    char text[32];
    if (format == MCI_FORMAT_TMSF && !duration)
        std::snprintf(text, sizeof text, "%02u:%02u:%02u:%02u", MCI_TMSF_TRACK(value), MCI_TMSF_MINUTE(value),
                      MCI_TMSF_SECOND(value), MCI_TMSF_FRAME(value));
    else if (format == MCI_FORMAT_TMSF || format == MCI_FORMAT_MSF)
        std::snprintf(text, sizeof text, "%02u:%02u:%02u", MCI_MSF_MINUTE(value), MCI_MSF_SECOND(value),
                      MCI_MSF_FRAME(value));
    else
        std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(value));
    return text;
}

// A position given as text: "t:m:s:f" in TMSF, "m:s:f" in MSF, else a number.
bool parseTime(const std::string& text, DWORD format, DWORD* value)
{
    unsigned parts[4] = {};
    int count = 0;
    const char* p = text.c_str();
    for (;;) {
        char* end;
        const unsigned long part = std::strtoul(p, &end, 10);
        if (end == p || count == 4 || part > 0xFFFFFFFFul)
            return false;
        parts[count++] = unsigned(part);
        if (*end == '\0')
            break;
        if (*end != ':')
            return false;
        p = end + 1;
    }
    if (count == 1) {
        *value = parts[0];
        return true;
    }
    if (format == MCI_FORMAT_TMSF)
        *value = MCI_MAKE_TMSF(parts[0], parts[1], count > 2 ? parts[2] : 0, count > 3 ? parts[3] : 0);
    else if (format == MCI_FORMAT_MSF && count <= 3)
        *value = MCI_MAKE_MSF(parts[0], parts[1], count > 2 ? parts[2] : 0);
    else
        return false;
    return true;
}

DWORD statusOf(MCIDEVICEID device, DWORD item, MCIERROR* error, DWORD track = 0)
{
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    status.dwTrack = track;
    *error = mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | (track ? MCI_TRACK : 0), DWORD_PTR(&status));
    return DWORD(status.dwReturn);
}

MCIERROR openCd(Request& r, const std::string& name, LPSTR out, UINT size)
{
    std::string alias = lower(name);
    bool aliased = false;
    while (!r.done()) {
        std::string word;
        if (r.take("alias")) {
            if (!r.next(&word))
                return MCIERR_MISSING_STRING_ARGUMENT;
            alias = lower(word);
            aliased = true;
        } else if (r.take("type")) {
            if (!r.next(&word))
                return MCIERR_MISSING_STRING_ARGUMENT;
            if (lower(word) != "cdaudio")
                return MCIERR_INVALID_DEVICE_NAME;
        } else if (!r.take("shareable") && !r.take("wait") && !r.take("notify")) {
            return MCIERR_UNRECOGNIZED_KEYWORD;
        }
    }
    StringDevices& devices = stringDevices();
    std::lock_guard<std::mutex> lock(devices.lock);
    // The device's own name taken twice is an open device; a chosen alias
    // taken twice is a duplicate alias.
    if (devices.byName.count(alias))
        return aliased ? MCIERR_DUPLICATE_ALIAS : MCIERR_DEVICE_OPEN;
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = "cdaudio";
    if (const MCIERROR error = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE, DWORD_PTR(&open)))
        return error;
    devices.byName[alias] = open.wDeviceID;
    return answer(std::to_string(open.wDeviceID), out, size);
}

MCIERROR closeDevices(const std::string& name)
{
    StringDevices& devices = stringDevices();
    std::lock_guard<std::mutex> lock(devices.lock);
    if (name == "all") {
        for (const auto& d : devices.byName)
            mciSendCommandA(d.second, MCI_CLOSE, 0, 0);
        devices.byName.clear();
        return 0;
    }
    const auto found = devices.byName.find(name);
    if (found == devices.byName.end())
        return MCIERR_INVALID_DEVICE_NAME;
    const MCIERROR error = mciSendCommandA(found->second, MCI_CLOSE, 0, 0);
    devices.byName.erase(found);
    return error;
}

// The word after `keyword` as a time in the device's format.
MCIERROR timeAfter(Request& r, DWORD format, DWORD* value)
{
    std::string word;
    if (!r.next(&word))
        return MCIERR_MISSING_PARAMETER;
    return parseTime(word, format, value) ? 0 : MCIERR_BAD_INTEGER;
}

MCIERROR play(MCIDEVICEID device, Request& r, HWND callback)
{
    MCIERROR error = 0;
    const DWORD format = statusOf(device, MCI_STATUS_TIME_FORMAT, &error);
    if (error)
        return error;
    MCI_PLAY_PARMS play{};
    DWORD flags = 0;
    bool waits = false;
    while (!r.done()) {
        if (r.take("from")) {
            flags |= MCI_FROM;
            error = timeAfter(r, format, &play.dwFrom);
        } else if (r.take("to")) {
            flags |= MCI_TO;
            error = timeAfter(r, format, &play.dwTo);
        } else if (r.take("wait")) {
            waits = true;
        } else if (r.take("notify")) {
            flags |= MCI_NOTIFY;
            play.dwCallback = DWORD_PTR(callback);
        } else {
            error = MCIERR_UNRECOGNIZED_KEYWORD;
        }
        if (error)
            return error;
    }
    if ((error = mciSendCommandA(device, MCI_PLAY, flags, DWORD_PTR(&play))) != 0)
        return error;
    // "wait" returns when the play has ended, as the device reports it.
    while (waits && statusOf(device, MCI_STATUS_MODE, &error) == MCI_MODE_PLAY && !error)
        Sleep(10);
    return error;
}

MCIERROR seek(MCIDEVICEID device, Request& r)
{
    if (!r.take("to"))
        return MCIERR_MISSING_PARAMETER;
    MCI_SEEK_PARMS seek{};
    if (r.take("start"))
        return mciSendCommandA(device, MCI_SEEK, MCI_SEEK_TO_START, DWORD_PTR(&seek));
    if (r.take("end"))
        return mciSendCommandA(device, MCI_SEEK, MCI_SEEK_TO_END, DWORD_PTR(&seek));
    MCIERROR error = 0;
    const DWORD format = statusOf(device, MCI_STATUS_TIME_FORMAT, &error);
    if (!error)
        error = timeAfter(r, format, &seek.dwTo);
    return error ? error : mciSendCommandA(device, MCI_SEEK, MCI_TO, DWORD_PTR(&seek));
}

MCIERROR set(MCIDEVICEID device, Request& r)
{
    if (r.take("time")) {
        if (!r.take("format"))
            return MCIERR_MISSING_PARAMETER;
        MCI_SET_PARMS set{};
        if (r.take("tmsf"))
            set.dwTimeFormat = MCI_FORMAT_TMSF;
        else if (r.take("msf"))
            set.dwTimeFormat = MCI_FORMAT_MSF;
        else if (r.take("milliseconds") || r.take("ms"))
            set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
        else
            return MCIERR_BAD_TIME_FORMAT;
        return mciSendCommandA(device, MCI_SET, MCI_SET_TIME_FORMAT, DWORD_PTR(&set));
    }
    if (r.take("door")) {
        if (!r.take("open") && !r.take("closed"))
            return MCIERR_MISSING_PARAMETER;
        VTL_UNSUPPORTED("mciSendString set cdaudio door", "ignored: the virtual disc has no door");
        return 0;
    }
    if (r.take("audio")) // "audio all on|off": the CD's own volume switch
        return 0;
    return MCIERR_UNRECOGNIZED_KEYWORD;
}

MCIERROR status(MCIDEVICEID device, Request& r, LPSTR out, UINT size)
{
    DWORD item;
    if (r.take("mode"))
        item = MCI_STATUS_MODE;
    else if (r.take("length"))
        item = MCI_STATUS_LENGTH;
    else if (r.take("position"))
        item = MCI_STATUS_POSITION;
    else if (r.take("number")) {
        if (!r.take("of") || !r.take("tracks"))
            return MCIERR_UNRECOGNIZED_KEYWORD;
        item = MCI_STATUS_NUMBER_OF_TRACKS;
    } else if (r.take("current")) {
        if (!r.take("track"))
            return MCIERR_UNRECOGNIZED_KEYWORD;
        item = MCI_STATUS_CURRENT_TRACK;
    } else if (r.take("media")) {
        if (!r.take("present"))
            return MCIERR_UNRECOGNIZED_KEYWORD;
        item = MCI_STATUS_MEDIA_PRESENT;
    } else if (r.take("ready"))
        item = MCI_STATUS_READY;
    else if (r.take("time")) {
        if (!r.take("format"))
            return MCIERR_UNRECOGNIZED_KEYWORD;
        item = MCI_STATUS_TIME_FORMAT;
    } else
        return MCIERR_MISSING_PARAMETER;
    DWORD track = 0;
    if (r.take("track")) {
        std::string word;
        if (!r.next(&word))
            return MCIERR_MISSING_PARAMETER;
        char* end;
        track = DWORD(std::strtoul(word.c_str(), &end, 10));
        if (*end || word.empty())
            return MCIERR_BAD_INTEGER;
    }
    if (!r.done() && !r.take("wait"))
        return MCIERR_UNRECOGNIZED_KEYWORD;
    MCIERROR error = 0;
    const DWORD value = statusOf(device, item, &error, track);
    if (error)
        return error;
    switch (item) {
    case MCI_STATUS_MODE:
        return answer(value == MCI_MODE_PLAY    ? "playing"
                      : value == MCI_MODE_PAUSE ? "paused"
                      : value == MCI_MODE_SEEK  ? "seeking"
                      : value == MCI_MODE_STOP  ? "stopped"
                                                : "not ready",
                      out, size);
    case MCI_STATUS_MEDIA_PRESENT:
    case MCI_STATUS_READY:
        return answer(value ? "true" : "false", out, size);
    case MCI_STATUS_TIME_FORMAT:
        return answer(value == MCI_FORMAT_TMSF ? "tmsf" : value == MCI_FORMAT_MSF ? "msf" : "milliseconds", out,
                      size);
    case MCI_STATUS_LENGTH:
    case MCI_STATUS_POSITION: {
        const DWORD format = statusOf(device, MCI_STATUS_TIME_FORMAT, &error);
        return error ? error : answer(timeText(value, format, item == MCI_STATUS_LENGTH), out, size);
    }
    default:
        return answer(std::to_string(value), out, size);
    }
}

MCIERROR run(const char* command, LPSTR out, UINT size, HWND callback)
{
    if (out && size)
        out[0] = '\0';
    const std::vector<std::string> words = wordsOf(command);
    const std::vector<std::string> rest(words.size() > 2 ? words.begin() + 2 : words.end(), words.end());
    Request r(words, 0);
    std::string verb, name;
    if (!r.next(&verb))
        return MCIERR_MISSING_COMMAND_STRING;
    verb = lower(verb);
    if (!r.next(&name))
        return MCIERR_MISSING_DEVICE_NAME;
    name = lower(name);
    if (verb == "open") {
        if (vtl::namesWaveAudio(name, rest))
            return vtl::openWaveAudio(words[1], rest, out, size, callback);
        if (name == "cdaudio" || name.find('.') == std::string::npos)
            return name == "cdaudio" || r.take("type") ? openCd(r, name, out, size) : MCIERR_INVALID_DEVICE_NAME;
        VTL_UNSUPPORTED("mciSendString open of a file other than a WAV file", "fails with MCIERR_CANNOT_LOAD_DRIVER");
        return MCIERR_CANNOT_LOAD_DRIVER;
    }
    if (vtl::isWaveAudio(name))
        return vtl::waveAudioCommand(verb, name, rest, out, size, callback);
    if (verb == "close" && name == "all")
        vtl::closeAllWaveAudio();
    if (verb == "close")
        return closeDevices(name);
    MCIDEVICEID device;
    {
        StringDevices& devices = stringDevices();
        std::lock_guard<std::mutex> lock(devices.lock);
        const auto found = devices.byName.find(name);
        if (found == devices.byName.end())
            return MCIERR_INVALID_DEVICE_NAME;
        device = found->second;
    }
    MCIERROR error;
    if (verb == "play")
        error = play(device, r, callback);
    else if (verb == "stop" || verb == "pause" || verb == "resume") {
        // The device notifies: a stop aborts a play's pending notification
        // before its own comes.
        MCI_GENERIC_PARMS generic{};
        generic.dwCallback = DWORD_PTR(callback);
        const DWORD flags = r.take("notify") ? MCI_NOTIFY : 0;
        r.take("wait");
        error = r.done() ? mciSendCommandA(device, verb == "stop" ? MCI_STOP : verb == "pause" ? MCI_PAUSE : MCI_RESUME,
                                           flags, DWORD_PTR(&generic))
                         : MCIERR_UNRECOGNIZED_KEYWORD;
    } else if (verb == "seek")
        error = seek(device, r);
    else if (verb == "set")
        error = set(device, r);
    else if (verb == "status")
        error = status(device, r, out, size);
    else
        return MCIERR_UNRECOGNIZED_COMMAND;
    return error;
}

} // namespace

MCIERROR mciSendStringA(LPCSTR command, LPSTR returnString, UINT returnLength, HWND callback)
{
    VTL_TRACE(winmm, "mciSendStringA", command, returnString, returnLength, callback);
    if (!command)
        return vtlTraceCall_.result(MCIERROR(MCIERR_MISSING_COMMAND_STRING));
    return vtlTraceCall_.result(run(command, returnString, returnLength, callback));
}
