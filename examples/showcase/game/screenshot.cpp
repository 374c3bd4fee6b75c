#include "game/screenshot.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
void put32(unsigned char* at, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(v >> (8 * i));
}
} // namespace

bool saveScreenshot(Game& g, const std::string& path)
{
    IDirectDrawSurface* back = g.gfx->backBuffer;
    if (!back)
        return false;
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
        return false;
    const int width = g.width, height = g.height, bytes = g.gfx->bytesPerPixel;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + static_cast<size_t>(stride) * height, 0);
    file[0] = 'B';
    file[1] = 'M';
    put32(&file[2], static_cast<DWORD>(file.size()));
    put32(&file[10], 54);
    put32(&file[14], 40);
    put32(&file[18], static_cast<DWORD>(width));
    put32(&file[22], static_cast<DWORD>(height));
    file[26] = 1;
    file[28] = 24;
    put32(&file[34], static_cast<DWORD>(stride * height));
    const auto* pixels = static_cast<const unsigned char*>(desc.lpSurface);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &file[54 + static_cast<size_t>(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = pixels + static_cast<size_t>(y) * desc.lPitch + x * bytes;
            unsigned long v = 0;
            for (int i = 0; i < bytes && i < 4; ++i)
                v |= static_cast<unsigned long>(p[i]) << (8 * i);
            unsigned char r = 0, gr = 0, b = 0;
            g.gfx->unpackColor(v, &r, &gr, &b);
            row[x * 3] = b;
            row[x * 3 + 1] = gr;
            row[x * 3 + 2] = r;
        }
    }
    back->Unlock(desc.lpSurface);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
