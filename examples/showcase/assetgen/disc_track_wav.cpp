// The CD track in a build without libsndfile: a WAV file, which the library
// plays without a decoder.
#include "disc_track.h"

#include "files.h"

#include <cstdio>

const char* const kDiscTrackName = "track01.wav";

bool writeDiscTrack(const std::string& folder, const std::vector<float>& samples, int rate)
{
    std::printf("showcase-assetgen: built without libsndfile: the CD track is %s\n", kDiscTrackName);
    return writeWav(folder + "/" + kDiscTrackName, samples, rate);
}
