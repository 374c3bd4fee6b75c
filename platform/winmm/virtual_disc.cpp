// Reading the virtual disc: each track file is brought into memory whole
// through the file mapping seam, whose copy a track replaced or truncated on
// disk while the disc is open cannot take away from under the player.
#include "platform/winmm/virtual_disc.h"

#include "platform/host/files.h"
#include "platform/host/process.h"

#include <vantrel/seam/file_mapping.h>
#include <vantrel/seam/riff_wave.h>

#include <cstdio>
#include <cstdlib>

namespace vtl {

VirtualDisc::~VirtualDisc()
{
    for (DiscTrack& t : tracks)
        if (t.mapping) {
            unmapView(t.mapping, t.view);
            closeMapping(t.mapping);
        }
}

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

static bool mapTrack(const std::string& path, DiscTrack& track)
{
    HANDLE file = openFileForReading(path.c_str());
    if (!file)
        return false;
    HANDLE mapping = createReadOnlyMapping(file);
    size_t length = 0;
    void* bytes = mapping ? mapView(mapping, &length) : nullptr;
    // The view outlives the file handle, as a mapped view does.
    closeFile(file);
    if (!bytes) {
        closeMapping(mapping);
        return false;
    }
    track.mapping = mapping;
    track.view = bytes;
    if (length < 12)
        return false;
    WAVEFORMATEX* format;
    unsigned char* data;
    DWORD size;
    if (!readRiffWave(static_cast<unsigned char*>(bytes), DWORD(length), &format, &data, &size) ||
        !layoutFromFormat(*format, &track.layout))
        return false;
    track.data = data;
    track.frames = size / track.layout.frameBytes;
    track.length = uint32_t(uint64_t(track.frames) * 75 / track.layout.rate);
    return true;
}

bool VirtualDisc::load(const std::string& where)
{
    for (int number = 1; number <= 99; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "/track%02d.wav", number);
        std::string path = where + name;
        if (!host::fileExists(path))
            break;
        tracks.emplace_back();
        DiscTrack& track = tracks.back();
        if (!mapTrack(path, track))
            return false;
        track.start = length;
        length += track.length;
    }
    return !tracks.empty();
}

} // namespace vtl
