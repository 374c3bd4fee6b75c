// Any bytes through the tools' own readers: vtlsprite's PNG, BMP and TGA
// readers and its RLE scan, and vtlpack's printing of entry names.
// The bytes are copied into a buffer of exactly their size, so any read past
// them is caught; a reader that accepts a picture must have filled every
// pixel it declares.
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
    if (ok && picture.rgba.size() != size_t(picture.width) * size_t(picture.height) * 4)
        std::abort();
    if (!ok && error.empty())
        std::abort(); // every refusal has a reason
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> file(data, data + size);
    std::string error;
    {
        Picture picture;
        checkPicture(readTga(file, picture, error), picture, error);
    }
    {
        Picture picture;
        checkPicture(readBmp(file, picture, error), picture, error);
    }
    if (size > 0) {
        Picture picture;
        checkPicture(readPng(file, picture, error), picture, error);
    }
    RleSummary summary;
    scanRle(file.data(), file.size(), summary, error);

    vtlpack::printable(std::string(data, data + size));
    return 0;
}
