// The demo's virtual CD: one track, written in the best form this build's
// library can play.
#ifndef SHOWCASE_ASSETGEN_DISC_TRACK_H
#define SHOWCASE_ASSETGEN_DISC_TRACK_H

#include <string>
#include <vector>

// The track's file name ("track01.ogg", or "track01.wav" in a build without
// libsndfile).
extern const char* const kDiscTrackName;
// Writes mono `samples` at `rate` as FOLDER/kDiscTrackName.
bool writeDiscTrack(const std::string& folder, const std::vector<float>& samples, int rate);

#endif
