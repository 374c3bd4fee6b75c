// `vtlpack create --convert`: a picture of any format stored in the form its
// entry's name asks for.
#ifndef VANTREL_TOOLS_VTLPACK_PICTURE_CONVERSION_H
#define VANTREL_TOOLS_VTLPACK_PICTURE_CONVERSION_H

#include <string>
#include <vector>

namespace vtlpack {
// False in a vtlpack built without the picture decoders (a build without
// the tools, where SDL2_image was missing).
bool canConvertPictures();

// Replaces `bytes`, the picture read from `source`, with what a `.BMP` or
// `.TGA` entry named `entry` must hold for the library to load it: a 24-bit
// bottom-up BMP, or a type 2 bottom-up TGA (32 bits when the picture has
// alpha).  What is lost or ignored on the way goes into `warnings`.  False,
// with the reason, when the picture cannot be read.
bool convertPicture(const std::string& source, const std::string& entry, std::string& bytes,
                    std::vector<std::string>& warnings, std::string& why);
} // namespace vtlpack

#endif
