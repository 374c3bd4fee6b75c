// The CD track as Ogg Vorbis, written with libsndfile (the library decodes
// it with the same).
#include "disc_track.h"

#include <sndfile.h>

#include <cstdio>

const char* const kDiscTrackName = "track01.ogg";

bool writeDiscTrack(const std::string& folder, const std::vector<float>& samples, int rate)
{
    const std::string path = folder + "/" + kDiscTrackName;
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "showcase-assetgen: %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    double quality = 0.4; // of 0..1: plenty for a tune this simple
    sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    const sf_count_t frames = static_cast<sf_count_t>(samples.size());
    const bool written = sf_writef_float(file, samples.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}
