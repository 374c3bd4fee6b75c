// Any bytes through the tools' own readers: the picture reader (its
// choice of decoder, size checks, colour profiles and TGA reader), its
// writers, vtlsprite's RLE scan, and vtlpack's printing of entry names.
// The bytes are copied into a buffer of exactly their size, so any read past
// them is caught; a reader that accepts a picture must have filled every
// pixel it declares, and what the writers make of it reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "file_info.h"
#include "picture.h"
#include "tools/vtlpack/vtlpack.h"

namespace {
void checkPicture(bool ok, const Picture& picture, const std::string& error)
{
    if (!ok) {
        if (error.empty())
            std::abort(); // every refusal has a reason
        return;
    }
    if (picture.rgba.size() != size_t(picture.width) * size_t(picture.height) * 4)
        std::abort();
    // Writing a picture of millions of pixels (a few bytes of GIF can
    // declare one) proves nothing more and takes seconds.
    if (picture.rgba.size() > (size_t(1) << 22))
        return;
    encodeBmp24(picture);
    // The TGA the library reads holds the picture exactly; read back here,
    // one with nothing visible would be taken for a TGA without alpha.
    bool anyVisible = false;
    for (size_t i = 3; i < picture.rgba.size(); i += 4)
        anyVisible |= picture.rgba[i] != 0;
    Picture back;
    std::string why;
    if (anyVisible &&
        (!readTga(encodeTga(picture), back, why) || back.rgba != picture.rgba || back.hasAlpha != picture.hasAlpha))
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> file(data, data + size);
    std::string error;
    // By name a TGA (read here), else by the bytes.
    for (const char* name : {"F.TGA", "F.PNG"}) {
        Picture picture;
        checkPicture(decodePicture(file, name, picture, error), picture, error);
    }
    RleSummary summary;
    scanRle(file.data(), file.size(), summary, error);

    vtlpack::printable(std::string(data, data + size));
    return 0;
}
