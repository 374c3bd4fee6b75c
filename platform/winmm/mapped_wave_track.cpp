// WAV tracks mapped whole through the file mapping seam: the mapping keeps
// the bytes the file had when the disc was opened, so a track replaced or
// truncated on disk while the disc is open cannot be taken from under the
// player.
#include "platform/winmm/track_source.h"

#include <vantrel/seam/file_mapping.h>
#include <vantrel/seam/riff_wave.h>

namespace vtl {
namespace {

class MappedWave final : public TrackSource {
public:
    MappedWave(HANDLE mapping, void* view, const uint8_t* data, uint32_t frames, uint16_t frameBytes)
        : mapping_(mapping), view_(view), data_(data), frames_(frames), frameBytes_(frameBytes)
    {
    }
    ~MappedWave() override
    {
        unmapView(mapping_, view_);
        closeMapping(mapping_);
    }
    const uint8_t* frames(uint32_t first, uint32_t* available) override
    {
        if (first > frames_)
            first = frames_;
        *available = frames_ - first;
        return data_ + size_t(first) * frameBytes_;
    }

private:
    HANDLE mapping_;
    void* view_;
    const uint8_t* data_;
    uint32_t frames_;
    uint16_t frameBytes_;
};

} // namespace

bool openMappedWave(const std::string& path, OpenedTrack& track)
{
    HANDLE file = openFileForReading(path.c_str());
    if (!file) {
        track.failure = "the file cannot be opened";
        return false;
    }
    HANDLE mapping = createReadOnlyMapping(file);
    size_t length = 0;
    void* bytes = mapping ? mapView(mapping, &length) : nullptr;
    // The view outlives the file handle, as a mapped view does.
    closeFile(file);
    if (!bytes) {
        if (mapping)
            closeMapping(mapping);
        track.failure = "the file cannot be mapped";
        return false;
    }
    auto release = [&] {
        unmapView(mapping, bytes);
        closeMapping(mapping);
    };
    WAVEFORMATEX* format;
    unsigned char* data;
    DWORD size;
    if (!readRiffWave(static_cast<unsigned char*>(bytes), DWORD(length), &format, &data, &size)) {
        release();
        track.failure = "no RIFF WAVE format and data";
        return false;
    }
    if (!layoutFromFormat(*format, &track.layout)) {
        // The header still tells how long the track is, so that the tracks
        // after it keep their places on the disc.
        if (format->nBlockAlign && format->nSamplesPerSec) {
            track.layout.rate = format->nSamplesPerSec;
            track.frames = size / format->nBlockAlign;
        }
        release();
        track.failure = "a sound format the mixer does not play";
        return false;
    }
    track.frames = size / track.layout.frameBytes;
    track.source.reset(new MappedWave(mapping, bytes, data, track.frames, track.layout.frameBytes));
    return true;
}

} // namespace vtl
