// Pictures decoded by SDL2_image.
#ifndef VTLTOOLS_SDL_IMAGE_DECODER_H
#define VTLTOOLS_SDL_IMAGE_DECODER_H

#include <string>
#include <vector>

#include "picture.h"

// Decodes `file`, whose first bytes showed `format` (a name of
// sniffPictureFormat), into `picture`; false with the decoder's reason.
bool decodeWithSdlImage(const std::vector<uint8_t>& file, const std::string& format, Picture& picture,
                        std::string& error);

#endif
