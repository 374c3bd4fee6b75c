// One track of the virtual disc as the CD device plays it: PCM frames in a
// layout the mixer reads, handed out a window at a time so that a track
// decoded from a compressed file never has to be held whole.
#ifndef VANTREL_PLATFORM_WINMM_TRACK_SOURCE_H
#define VANTREL_PLATFORM_WINMM_TRACK_SOURCE_H

#include "platform/dsound/audio_mix.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vtl {

// Called with the sound engine's mutex held (from the mixer, or from the
// device's own requests), except prepare().
class TrackSource {
public:
    virtual ~TrackSource() = default;
    // Reads what the track needs before it can play (a WAV track's file),
    // on the game's thread and without the engine's mutex, since that may
    // take long.  Called for every track a play reaches before it starts.
    virtual void prepare() {}
    // Places the source at `first` ahead of the play, so that a compressed
    // track seeks on the game's thread and not on the mixer's first pass.
    virtual void prime(uint32_t first)
    {
        uint32_t available;
        frames(first, &available);
    }
    // The track's frames from `first` on: `*available` of them lie one after
    // the other at the result.  Unless fewer remain in the track there are at
    // least two, so that the mixer can interpolate between neighbours within
    // one window.  Frames a source fails to read are given as silence.
    virtual const uint8_t* frames(uint32_t first, uint32_t* available) = 0;
    // Why reading failed while the track played, once: empty when nothing
    // failed or the failure was already taken.
    virtual std::string takeFailure() { return {}; }
};

// What opening a track file gave.  Without a source the track is silent for
// `frames` frames of `layout.rate` (0 frames: its length is unknown and it is
// skipped), and `failure` says why it cannot be read.
struct OpenedTrack {
    std::unique_ptr<TrackSource> source;
    PcmLayout layout{SampleKind::S16, 2, 4, 44100};
    uint32_t frames = 0;
    std::string failure;
};

// A WAV track the mixer plays as it is.  Only its chunk headers are read
// here; the whole file is read into memory, through the file mapping seam,
// when the track is prepared to play.  False when it is no WAV the mixer can
// play; the length is still filled in when the header gives one.
bool openMappedWave(const std::string& path, OpenedTrack& track);

} // namespace vtl

#endif
