// The message texts that tell COLORFX and MONOFX apart; everything else the
// two intensity image classes do is shared code.
#ifndef VANTREL_RLE_INTENSITY_NAMES_H
#define VANTREL_RLE_INTENSITY_NAMES_H

#include <cstddef>
#include <cstdint>

#include <vantrel/rlefx.h>

namespace vtl {

struct IntensityNames {
    const char* createFailed;
    const char* bmpBadFile;
    const char* tgaBadFile;
    const char* releaseFailed;
    const char* noData;
    const char* cannotCreate;
    const char* badRuns;
};

extern const IntensityNames kColorNames;
extern const IntensityNames kMonoNames;

// Intensity of a colour: the mean of its three channels, rounded down.
inline uint8_t intensity(unsigned r, unsigned g, unsigned b) { return static_cast<uint8_t>((r + g + b) / 3); }

// The shared bodies; `create` is the class's own (for its message).
bool createIntensity(RLEFX& image, int width, int height, unsigned long size, const IntensityNames& names);
bool decodeIntensity(RLEFX& image, const uint8_t* data, size_t size, const IntensityNames& names);
bool encodeIntensityBmp(RLEFX& image, const IntensityNames& names);
bool encodeIntensityTga(RLEFX& image, const IntensityNames& names);

} // namespace vtl

#endif
