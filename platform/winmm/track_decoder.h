// The decoder of compressed CD tracks (FLAC, Ogg Vorbis, MP3, and WAV
// encodings the mixer does not read itself).  Built with libsndfile in
// platform/winmm/sndfile/ when VANTREL_WITH_SNDFILE is on; without it
// platform/winmm/wav_only/ answers that there is no decoder.
#ifndef VANTREL_PLATFORM_WINMM_TRACK_DECODER_H
#define VANTREL_PLATFORM_WINMM_TRACK_DECODER_H

#include "platform/winmm/track_source.h"

#include <string>
#include <vector>

namespace vtl {

// The file endings the decoder reads, looked for after ".wav" for each track
// number, in this order (empty without a decoder).
const std::vector<std::string>& decodedTrackEndings();

// Opens a track for decoding while it plays.  False when the file cannot be
// decoded; `track.failure` says why, and the length is filled in when the
// file's header gave one.
bool openDecodedTrack(const std::string& path, OpenedTrack& track);

} // namespace vtl

#endif
