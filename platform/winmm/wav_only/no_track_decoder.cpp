// A build without libsndfile (VANTREL_WITH_SNDFILE off): the virtual disc
// reads WAV tracks the mixer plays as they are, and nothing else.
#include "platform/winmm/track_decoder.h"

namespace vtl {

const std::vector<std::string>& decodedTrackEndings()
{
    static const std::vector<std::string> none;
    return none;
}

bool openDecodedTrack(const std::string&, OpenedTrack& track)
{
    track.failure = "this build reads WAV tracks only";
    return false;
}

} // namespace vtl
