// Reading the virtual disc's folder: which file is each track, how long it
// is, and what to say about the ones that cannot be read.
#include "platform/winmm/virtual_disc.h"

#include "platform/host/files.h"
#include "platform/host/process.h"
#include "platform/winmm/track_decoder.h"

#include <vantrel/win32/dsound.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vtl {

std::string VirtualDisc::folder()
{
    if (const char* named = std::getenv("VANTREL_CDAUDIO"))
        if (*named)
            return named;
    const std::string exe = host::executablePath();
    if (exe.empty())
        return "cdaudio";
    return exe.substr(0, exe.rfind('/') + 1) + "cdaudio";
}

namespace {

// WAV tracks are mapped and played as they are; a WAV in an encoding the
// mixer does not read, and every other ending, goes to the decoder.
OpenedTrack openTrack(const std::string& path, bool wave)
{
    OpenedTrack track;
    if (wave && openMappedWave(path, track))
        return track;
    OpenedTrack decoded;
    if (openDecodedTrack(path, decoded))
        return decoded;
    if (!wave || track.failure.empty())
        return decoded;
    // The decoder could not help either: the WAV header's length stands.
    if (!track.frames && decoded.frames) {
        track.frames = decoded.frames;
        track.layout = decoded.layout;
    }
    return track;
}

// A track the mixer cannot play keeps the length its header gives, so that
// the tracks after it stay in their places; but a header's rate is only
// believed within the range a sound buffer accepts.  A rate of 1 Hz would
// make a few megabytes of data last for days of silence and push every later
// track out of reach of the disc's 32-bit positions.
void distrustAbsurdRate(OpenedTrack& track)
{
    if (track.source || !track.frames)
        return;
    const uint32_t rate = track.layout.rate;
    if (rate >= DSBFREQUENCY_MIN && rate <= DSBFREQUENCY_MAX)
        return;
    track.frames = 0;
    track.failure = "a sample rate of " + std::to_string(rate) + " Hz";
}

std::string problem(const std::string& path, const OpenedTrack& track)
{
    return "CD audio: " + path + " cannot be read (" + track.failure + "): " +
           (track.frames ? "it plays as silence" : "skipped") + "\r\n";
}

} // namespace

bool VirtualDisc::load(const std::string& where)
{
    std::vector<std::string> endings{".wav"};
    for (const std::string& ending : decodedTrackEndings())
        endings.push_back(ending);
    for (int number = 1; number <= 99; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "/track%02d", number);
        std::string path;
        for (const std::string& ending : endings)
            if (host::fileExists(where + name + ending)) {
                path = where + name + ending;
                break;
            }
        if (path.empty())
            break;
        OpenedTrack opened = openTrack(path, path.compare(path.size() - 4, 4, ".wav") == 0);
        distrustAbsurdRate(opened);
        uint32_t cdFrames = 0;
        if (!timeline.add(opened.frames, opened.layout.rate, &cdFrames)) {
            opened.source.reset();
            opened.frames = 0;
            opened.failure = "the disc would be longer than its positions can count";
        }
        if (!opened.source)
            problems.push_back(problem(path, opened));
        DiscTrack track;
        track.path = path;
        track.source = std::move(opened.source);
        track.frames = opened.frames;
        track.layout = opened.layout;
        track.length = cdFrames;
        track.start = length;
        length += track.length;
        tracks.push_back(std::move(track));
    }
    return !tracks.empty();
}

} // namespace vtl
