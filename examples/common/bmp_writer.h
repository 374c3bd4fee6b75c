// Writes pixels of any display format as a 24-bit BMP, for the examples'
// screenshots.  Header-only so every example can use it without a library.
#ifndef VANTREL_EXAMPLES_BMP_WRITER_H
#define VANTREL_EXAMPLES_BMP_WRITER_H

#include <vantrel.h>

#include <cstdio>
#include <string>
#include <vector>

// `pixels` holds `height` rows `pitch` bytes apart, each pixel
// `bitsPerPixel` / 8 bytes in the layout of `formatCode`.
inline bool writeBmp24(const std::string& path, const unsigned char* pixels, long pitch, int width,
                       int height, unsigned bitsPerPixel, unsigned formatCode)
{
    const int bytes = static_cast<int>(bitsPerPixel / 8);
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + static_cast<size_t>(stride) * height, 0);
    auto put32 = [&](size_t at, DWORD v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<DWORD>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<DWORD>(width));
    put32(22, static_cast<DWORD>(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, static_cast<DWORD>(stride * height));
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &file[54 + static_cast<size_t>(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = pixels + static_cast<long>(y) * pitch + x * bytes;
            unsigned long v = 0;
            for (int i = 0; i < bytes && i < 4; ++i)
                v |= static_cast<unsigned long>(p[i]) << (8 * i);
            unsigned char r = 0, g = 0, b = 0;
            VTLUnpackColor(bitsPerPixel, formatCode, v, &r, &g, &b);
            row[x * 3] = b;
            row[x * 3 + 1] = g;
            row[x * 3 + 2] = r;
        }
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

#endif
