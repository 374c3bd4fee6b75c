#include "colour_profile.h"
#include "file_bytes.h"

#include <lcms2.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {
// A zlib stream into at most `limit` bytes; empty when it is damaged.
std::vector<uint8_t> inflated(const uint8_t* data, size_t size, size_t limit)
{
    std::vector<uint8_t> out(std::min<size_t>(limit, 1 << 16));
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return {};
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    int status = Z_OK;
    while (status == Z_OK) {
        if (z.total_out == out.size()) {
            if (out.size() >= limit)
                break;
            out.resize(std::min(limit, out.size() * 2));
        }
        z.next_out = out.data() + z.total_out;
        z.avail_out = static_cast<uInt>(out.size() - z.total_out);
        status = inflate(&z, Z_NO_FLUSH);
    }
    out.resize(status == Z_STREAM_END ? z.total_out : 0);
    inflateEnd(&z);
    return out;
}
} // namespace

bool convertToSrgb(const uint8_t* profile, size_t size, Picture& picture)
{
    cmsHPROFILE from = cmsOpenProfileFromMem(profile, static_cast<cmsUInt32Number>(size));
    if (!from)
        return false;
    bool done = false;
    if (cmsGetColorSpace(from) == cmsSigRgbData) {
        cmsHPROFILE to = cmsCreate_sRGBProfile();
        cmsHTRANSFORM transform =
            cmsCreateTransform(from, TYPE_RGBA_8, to, TYPE_RGBA_8, INTENT_PERCEPTUAL, cmsFLAGS_COPY_ALPHA);
        if (transform) {
            for (int y = 0; y < picture.height; ++y)
                cmsDoTransform(transform, picture.pixel(0, y), picture.pixel(0, y),
                               static_cast<cmsUInt32Number>(picture.width));
            cmsDeleteTransform(transform);
            done = true;
        }
        cmsCloseProfile(to);
    }
    cmsCloseProfile(from);
    return done;
}

void applyBmpColourProfile(const std::vector<uint8_t>& file, Picture& picture)
{
    if (file.size() < kBmpFileHeader + kBmpV5HeaderSize || le32(file, kBmpFileHeader) < kBmpV5HeaderSize)
        return;
    const uint32_t space = le32(file, kBmpColourSpace);
    if (space == kProfileLinked) {
        picture.warnings.push_back("its colours depend on a colour profile in another file, which was ignored: "
                                   "the colours may differ from what your paint program shows");
        return;
    }
    if (space != kProfileEmbedded)
        return;
    const uint64_t at = kBmpFileHeader + uint64_t(le32(file, kBmpFileHeader + 112));
    const uint64_t size = le32(file, kBmpFileHeader + 116);
    if (at + size > file.size() || !convertToSrgb(file.data() + at, static_cast<size_t>(size), picture))
        picture.warnings.push_back("its embedded colour profile could not be used and was ignored: the "
                                   "colours may differ from what your paint program shows");
}

void applyPngColourProfile(const std::vector<uint8_t>& file, Picture& picture)
{
    // Chunks: length, type, data, CRC; the profile comes before the pixels.
    for (size_t at = 8; at + 12 <= file.size();) {
        const uint32_t length = be32(file, at);
        if (length > file.size() - at - 12 || std::memcmp(&file[at + 4], "IDAT", 4) == 0)
            return;
        if (std::memcmp(&file[at + 4], "iCCP", 4) == 0) {
            const uint8_t* data = &file[at + 8];
            const uint8_t* nameEnd = static_cast<const uint8_t*>(std::memchr(data, 0, length));
            bool used = false;
            if (nameEnd && size_t(nameEnd - data) + 2 <= length) {
                const size_t skip = size_t(nameEnd - data) + 2; // the name, its 0 and the method
                const std::vector<uint8_t> profile = inflated(data + skip, length - skip, 16u << 20);
                used = !profile.empty() && convertToSrgb(profile.data(), profile.size(), picture);
            }
            if (!used)
                picture.warnings.push_back("its embedded colour profile could not be used and was ignored: the "
                                           "colours may differ from what your paint program shows");
            return;
        }
        at += 12 + size_t(length);
    }
}
