// The virtual compact disc: a folder of WAV tracks, mapped into memory.
#ifndef VANTREL_PLATFORM_WINMM_VIRTUAL_DISC_H
#define VANTREL_PLATFORM_WINMM_VIRTUAL_DISC_H

#include "platform/dsound/audio_mix.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vtl {

struct DiscTrack {
    HANDLE mapping = nullptr; // the file's mapping (file_mapping.h)
    void* view = nullptr;     // the whole file
    const uint8_t* data = nullptr; // sound data inside the mapping
    uint32_t frames = 0;           // sample frames
    PcmLayout layout{};
    uint32_t start = 0;  // first CD frame (1/75 s) on the disc
    uint32_t length = 0; // CD frames
};

class VirtualDisc {
public:
    VirtualDisc() = default;
    ~VirtualDisc();
    VirtualDisc(const VirtualDisc&) = delete;
    VirtualDisc& operator=(const VirtualDisc&) = delete;

    // The folder named by VANTREL_CDAUDIO, else "cdaudio" beside the
    // executable.
    static std::string folder();
    // Maps track01.wav, track02.wav, ... until a number is missing.  False
    // when there is no first track or a track is not a playable WAV.
    bool load(const std::string& folder);

    std::vector<DiscTrack> tracks;
    uint32_t length = 0; // CD frames of the whole disc
};

} // namespace vtl

#endif
