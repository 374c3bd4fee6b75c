// The stand-in for a vtlpack built without the picture decoders: archives
// are packed, listed and verified as ever, and --convert says why it
// cannot.
#include "tools/vtlpack/picture_conversion.h"

bool vtlpack::canConvertPictures() { return false; }

bool vtlpack::convertPicture(const std::string&, const std::string&, std::string&, std::vector<std::string>&,
                             std::string& why)
{
    why = "this vtlpack was built without SDL2_image and lcms2, so it converts no pictures";
    return false;
}
