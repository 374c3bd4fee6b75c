// The picture decoding library of the system the tools are built for:
// SDL2_image (sdl_image_decoder.cpp), or on Windows the system's own
// Windows Imaging Component (wic_decoder.cpp).
#ifndef VTLTOOLS_PICTURE_DECODER_H
#define VTLTOOLS_PICTURE_DECODER_H

#include <string>
#include <vector>

#include "picture.h"

// Decodes `file`, whose first bytes showed `format` (a name of
// sniffPictureFormat), into `picture`; false with the decoder's reason.
bool decodeWithLibrary(const std::vector<uint8_t>& file, const std::string& format, Picture& picture,
                       std::string& error);

// The formats read through it and by the tools themselves, as a refusal
// lists them.
extern const char* const kPictureFormatsRead;

#endif
