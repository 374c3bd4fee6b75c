// The in-memory RIFF WAVE reader on arbitrary bytes: whatever it returns
// must lie inside the input, and a format it finds must be safe to check.
#include "platform/dsound/audio_mix.h"
#include <vantrel/seam/riff_wave.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    // A copy of exactly `size` bytes, so that any read past it is caught.
    std::vector<unsigned char> copy(bytes, bytes + size);
    const unsigned char* begin = copy.data();
    WAVEFORMATEX* format;
    unsigned char* data;
    DWORD dataSize;
    if (!vtl::readRiffWave(begin, DWORD(size), &format, &data, &dataSize))
        return 0;
    const unsigned char* f = reinterpret_cast<const unsigned char*>(format);
    if (f < begin || f + 16 > begin + size || data < begin || data + dataSize > begin + size)
        std::abort();
    vtl::PcmLayout layout;
    if (vtl::layoutFromFormat(*format, &layout)) {
        // Mixing what was found reads only the data chunk.
        std::vector<int32_t> acc(64 * 2);
        vtl::MixPosition position = 0;
        uint32_t frames = dataSize / layout.frameBytes;
        vtl::mixSound(data, frames, layout, true, position, vtl::mixStep(layout.rate, 44100),
                      vtl::StereoGain{65536, 65536}, acc.data(), 64);
    }
    return 0;
}
