// The virtual compact disc: a folder of numbered track files.
#ifndef VANTREL_PLATFORM_WINMM_VIRTUAL_DISC_H
#define VANTREL_PLATFORM_WINMM_VIRTUAL_DISC_H

#include "platform/shared/cd_timeline.h"
#include "platform/winmm/track_source.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vtl {

struct DiscTrack {
    std::string path;
    std::unique_ptr<TrackSource> source; // null: the track is silence
    uint32_t frames = 0;                 // sample frames
    PcmLayout layout{};
    uint32_t start = 0;  // first CD frame (1/75 s) on the disc
    uint32_t length = 0; // CD frames
};

class VirtualDisc {
public:
    // The folder named by VANTREL_CDAUDIO, else "cdaudio" beside the
    // executable.
    static std::string folder();
    // Reads track01, track02, ... until a number has no file.  A number's
    // file is the first of trackNN.wav and the decoder's endings (.flac,
    // .ogg, .mp3) that exists.  A track that cannot be read stays on the disc
    // as silence of the length its header gives, or as a track of no length
    // (skipped when the disc plays on) when it gives none; each such track
    // adds a line to `problems`.  False when there is no first track.
    bool load(const std::string& folder);

    std::vector<DiscTrack> tracks;
    uint32_t length = 0; // CD frames of the whole disc
    CdTimeline timeline; // the tracks' places, for the time formats
    std::vector<std::string> problems; // debug messages, "\r\n" ended
};

} // namespace vtl

#endif
