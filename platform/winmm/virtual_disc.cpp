// Reading the virtual disc: each track file is mapped, not read, so that
// long tracks cost no memory until they play.
#include "platform/winmm/virtual_disc.h"

#include <vantrel/seam/riff_wave.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vtl {

VirtualDisc::~VirtualDisc()
{
    for (DiscTrack& t : tracks)
        if (t.mapping)
            munmap(t.mapping, t.mappingSize);
}

std::string VirtualDisc::folder()
{
    if (const char* named = std::getenv("VANTREL_CDAUDIO"))
        if (*named)
            return named;
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "cdaudio";
    std::string exe(path, size_t(n));
    return exe.substr(0, exe.rfind('/') + 1) + "cdaudio";
}

static bool mapTrack(const std::string& path, DiscTrack& track)
{
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    if (fstat(fd, &info) != 0 || info.st_size < 12 || info.st_size > 0xFFFFFFFFll) {
        close(fd);
        return false;
    }
    void* bytes = mmap(nullptr, size_t(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (bytes == MAP_FAILED)
        return false;
    track.mapping = bytes;
    track.mappingSize = size_t(info.st_size);
    WAVEFORMATEX* format;
    unsigned char* data;
    DWORD size;
    if (!readRiffWave(static_cast<unsigned char*>(bytes), DWORD(info.st_size), &format, &data, &size) ||
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
        if (access(path.c_str(), F_OK) != 0)
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
