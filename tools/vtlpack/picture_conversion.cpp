#include "tools/vtlpack/picture_conversion.h"

#include <cctype>

#include "picture.h"

bool vtlpack::canConvertPictures() { return true; }

bool vtlpack::convertPicture(const std::string& source, const std::string& entry, std::string& bytes,
                             std::vector<std::string>& warnings, std::string& why)
{
    Picture picture;
    if (!decodePicture(std::vector<uint8_t>(bytes.begin(), bytes.end()), source, picture, why))
        return false;
    // The origin notes are about the library reading the source as it is;
    // what is written here is turned already.
    warnings = picture.warnings;
    const bool toBmp = std::toupper(static_cast<unsigned char>(entry.back())) == 'P';
    if (picture.deepChannels)
        warnings.push_back("its 16 bits per channel are rounded to 8");
    if (toBmp && picture.hasAlpha)
        warnings.push_back("its transparency is dropped: a .BMP entry holds no alpha (name the entry .TGA to keep it)");
    const std::vector<uint8_t> written = toBmp ? encodeBmp24(picture) : encodeTga(picture);
    bytes.assign(written.begin(), written.end());
    return true;
}
