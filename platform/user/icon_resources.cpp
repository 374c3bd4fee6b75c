#include "platform/user/icon_resources.h"

#include "platform/kernel/last_error.h"
#include "platform/kernel/resource_table.h"

#include <vantrel/win32/resources.h>

#include <cstdlib>
#include <cstring>

namespace vtl {
namespace {

uint16_t word(const unsigned char* p)
{
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

uint32_t dword(const unsigned char* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// The resource id of the best image the group lists: 14-byte entries after
// a 6-byte header (reserved, type, count).  Icons give width and height as
// bytes (0 meaning 256); cursors as words, the height doubled.
int pickImage(const unsigned char* group, DWORD size, bool cursor, int wanted)
{
    if (size < 6)
        return -1;
    const int count = word(group + 4);
    int best = -1, bestDistance = 0, bestDepth = 0;
    for (int i = 0; i < count && 6 + 14 * (i + 1) <= static_cast<int>(size); ++i) {
        const unsigned char* e = group + 6 + 14 * i;
        const int width = cursor ? word(e) : (e[0] ? e[0] : 256);
        const int depth = word(e + 6);
        const int distance = std::abs(width - wanted);
        if (best < 0 || distance < bestDistance || (distance == bestDistance && depth > bestDepth)) {
            best = word(e + 12);
            bestDistance = distance;
            bestDepth = depth;
        }
    }
    return best;
}

// The colour image and mask of an icon DIB; leaves `image` empty for what
// it does not read.
void decodeDib(const unsigned char* p, DWORD size, IconImage& image)
{
    if (size < 40 || dword(p) < 40 || dword(p) > size)
        return;
    const int width = static_cast<int>(dword(p + 4));
    const int height = static_cast<int>(dword(p + 8)) / 2;
    const int depth = word(p + 14);
    const uint32_t compression = dword(p + 16);
    uint32_t colors = dword(p + 32);
    if (width <= 0 || height <= 0 || width > 1024 || height > 1024 || compression != 0 ||
        !(depth == 1 || depth == 4 || depth == 8 || depth == 24 || depth == 32))
        return;
    if (depth <= 8 && (colors == 0 || colors > (1u << depth)))
        colors = 1u << depth;
    if (depth > 8)
        colors = 0;
    const size_t colorPitch = ((size_t(width) * depth + 31) / 32) * 4;
    const size_t maskPitch = ((size_t(width) + 31) / 32) * 4;
    const unsigned char* palette = p + dword(p);
    const unsigned char* bits = palette + 4 * colors;
    const unsigned char* mask = bits + colorPitch * height;
    if (size_t(mask - p) + maskPitch * height > size)
        return;
    image.width = width;
    image.height = height;
    image.pixels.assign(size_t(width) * height, 0);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = bits + colorPitch * (height - 1 - y);
        const unsigned char* maskRow = mask + maskPitch * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint32_t b, g, r, a = 0xFF;
            if (depth <= 8) {
                uint32_t index;
                if (depth == 8)
                    index = row[x];
                else if (depth == 4)
                    index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
                else
                    index = (row[x >> 3] >> (7 - (x & 7))) & 1;
                const unsigned char* c = palette + 4 * (index < colors ? index : 0);
                b = c[0], g = c[1], r = c[2];
            } else {
                const unsigned char* c = row + x * (depth / 8);
                b = c[0], g = c[1], r = c[2];
                if (depth == 32) {
                    a = c[3];
                    anyAlpha |= a != 0;
                }
            }
            const bool transparent = (maskRow[x >> 3] >> (7 - (x & 7))) & 1;
            if (depth != 32 && transparent)
                a = 0;
            image.pixels[size_t(y) * width + x] = a << 24 | r << 16 | g << 8 | b;
        }
    }
    // A 32-bit image whose alpha is all zero was drawn for the mask alone.
    if (depth == 32 && !anyAlpha) {
        for (int y = 0; y < height; ++y) {
            const unsigned char* maskRow = mask + maskPitch * (height - 1 - y);
            for (int x = 0; x < width; ++x) {
                if (!((maskRow[x >> 3] >> (7 - (x & 7))) & 1))
                    image.pixels[size_t(y) * width + x] |= 0xFF000000u;
            }
        }
    }
}

} // namespace

IconLookup iconFromResource(HINSTANCE instance, LPCSTR name, bool cursor, int size, IconImage& image)
{
    image = IconImage{};
    HRSRC group = FindResourceA(instance, name, cursor ? RT_GROUP_CURSOR : RT_GROUP_ICON);
    if (!group)
        return GetLastError() == ERROR_RESOURCE_DATA_NOT_FOUND ? IconLookup::kNoResources : IconLookup::kMissing;
    const auto* groupBytes = static_cast<const unsigned char*>(LoadResource(instance, group));
    const int id = pickImage(groupBytes, SizeofResource(instance, group), cursor, size);
    HRSRC one = id >= 0 ? FindResourceA(instance, MAKEINTRESOURCEA(id), cursor ? RT_CURSOR : RT_ICON) : nullptr;
    if (!one)
        return IconLookup::kMissing;
    const auto* bytes = static_cast<const unsigned char*>(LoadResource(instance, one));
    DWORD bytesSize = SizeofResource(instance, one);
    if (cursor) {
        // A cursor image starts with its hot spot.
        if (bytesSize < 4)
            return IconLookup::kFound;
        image.hotSpot = POINT{word(bytes), word(bytes + 2)};
        bytes += 4;
        bytesSize -= 4;
    }
    const POINT hotSpot = image.hotSpot;
    decodeDib(bytes, bytesSize, image);
    image.hotSpot = hotSpot;
    return IconLookup::kFound;
}

} // namespace vtl
