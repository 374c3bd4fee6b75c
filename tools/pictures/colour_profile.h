// Embedded colour profiles: the pixels are turned into sRGB through the
// profile (with lcms2), as a viewer that honours it shows them, or the
// picture is told that the profile was ignored.
#ifndef VTLTOOLS_COLOUR_PROFILE_H
#define VTLTOOLS_COLOUR_PROFILE_H

#include <cstdint>
#include <vector>

#include "picture.h"

// A BMP with a V5 header: an embedded profile is applied, a linked one
// (a file named in the header) is not and gives a warning.
void applyBmpColourProfile(const std::vector<uint8_t>& file, Picture& picture);
// A PNG with an iCCP chunk: the profile is applied.
void applyPngColourProfile(const std::vector<uint8_t>& file, Picture& picture);

// Turns `picture`'s pixels from the colours of the ICC profile in
// `profile` into sRGB; false (and the picture unchanged) when the profile
// is not one of RGB colours that lcms2 can use.
bool convertToSrgb(const uint8_t* profile, size_t size, Picture& picture);

#endif
