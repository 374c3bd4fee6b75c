// LoadBitmap over the module's RT_BITMAP resources.  Windows makes a
// device-dependent bitmap in the display's format; here the bitmap keeps
// the resource's own depth and colours, which GDI converts when it draws.
#include "platform/gdi/bitmap_resources.h"

#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/resources.h>

#include <cstdlib>
#include <cstring>

namespace vtl {
namespace {

struct Dib {
    BITMAPINFOHEADER header;
    const RGBQUAD* colors;
    DWORD colorCount;
    const unsigned char* bits;
    DWORD pitch;
};

// The resource's layout, checked against its size.
bool readDib(HINSTANCE instance, LPCSTR name, Dib& dib)
{
    HRSRC found = FindResourceA(instance, name, RT_BITMAP);
    if (!found)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(instance, found)));
    const DWORD size = SizeofResource(instance, found);
    if (!bytes || size < sizeof(BITMAPINFOHEADER)) {
        setError(ERROR_INVALID_DATA);
        return false;
    }
    std::memcpy(&dib.header, bytes, sizeof dib.header);
    const BITMAPINFOHEADER& h = dib.header;
    const WORD depth = h.biBitCount;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || h.biCompression != BI_RGB || h.biWidth <= 0 ||
        h.biHeight == 0 || h.biWidth > 0x8000 || std::labs(h.biHeight) > 0x8000 ||
        !(depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32)) {
        setError(ERROR_INVALID_DATA);
        return false;
    }
    dib.colorCount = depth <= 8 ? (h.biClrUsed ? h.biClrUsed : 1u << depth) : h.biClrUsed;
    dib.pitch = ((static_cast<DWORD>(h.biWidth) * depth + 31) / 32) * 4;
    const uint64_t need = uint64_t(h.biSize) + uint64_t(dib.colorCount) * 4 +
                          uint64_t(dib.pitch) * static_cast<uint64_t>(std::labs(h.biHeight));
    if (dib.colorCount > 256 || need > size) {
        setError(ERROR_INVALID_DATA);
        return false;
    }
    dib.colors = reinterpret_cast<const RGBQUAD*>(bytes + h.biSize);
    dib.bits = bytes + h.biSize + dib.colorCount * 4;
    return true;
}

uint32_t pixelAt(const unsigned char* row, int x, WORD depth)
{
    switch (depth) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    case 8: return row[x];
    case 16: return uint32_t(row[2 * x]) | uint32_t(row[2 * x + 1]) << 8;
    case 24: return uint32_t(row[3 * x]) | uint32_t(row[3 * x + 1]) << 8 | uint32_t(row[3 * x + 2]) << 16;
    default: return uint32_t(row[4 * x]) | uint32_t(row[4 * x + 1]) << 8 | uint32_t(row[4 * x + 2]) << 16;
    }
}

} // namespace

HBITMAP bitmapFromResource(HINSTANCE instance, LPCSTR name)
{
    Dib dib;
    if (!readDib(instance, name, dib))
        return nullptr;
    // The header and colours as one BITMAPINFO, as CreateDIBSection reads it.
    std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFOHEADER header = dib.header;
    header.biSize = sizeof header;
    header.biClrUsed = dib.header.biBitCount <= 8 ? dib.colorCount : 0;
    std::memcpy(info.data(), &header, sizeof header);
    if (header.biClrUsed)
        std::memcpy(info.data() + sizeof header, dib.colors, dib.colorCount * sizeof(RGBQUAD));
    void* bits = nullptr;
    HBITMAP bitmap =
        CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits)
        std::memcpy(bits, dib.bits, size_t(dib.pitch) * size_t(std::labs(dib.header.biHeight)));
    return bitmap;
}

bool bitmapResourcePixels(HINSTANCE instance, LPCSTR name, RgbImage& image)
{
    Dib dib;
    if (!readDib(instance, name, dib))
        return false;
    const BITMAPINFOHEADER& h = dib.header;
    const bool bottomUp = h.biHeight > 0;
    image.width = h.biWidth;
    image.height = static_cast<int>(std::labs(h.biHeight));
    image.bytes.assign(size_t(image.width) * 3 * image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* row = dib.bits + size_t(dib.pitch) * size_t(bottomUp ? image.height - 1 - y : y);
        uint8_t* out = image.bytes.data() + size_t(y) * image.width * 3;
        for (int x = 0; x < image.width; ++x, out += 3) {
            const uint32_t p = pixelAt(row, x, h.biBitCount);
            if (h.biBitCount <= 8) {
                const RGBQUAD c = p < dib.colorCount ? dib.colors[p] : RGBQUAD{0, 0, 0, 0};
                out[0] = c.rgbBlue, out[1] = c.rgbGreen, out[2] = c.rgbRed;
            } else if (h.biBitCount == 16) { // 5-5-5
                out[0] = uint8_t((p & 31) * 255 / 31);
                out[1] = uint8_t(((p >> 5) & 31) * 255 / 31);
                out[2] = uint8_t(((p >> 10) & 31) * 255 / 31);
            } else {
                out[0] = uint8_t(p), out[1] = uint8_t(p >> 8), out[2] = uint8_t(p >> 16);
            }
        }
    }
    return true;
}

} // namespace vtl

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name)
{
    VTL_TRACE(gdi, "LoadBitmapA", instance, vtl::trace::Atom{name});
    if (!instance) {
        VTL_UNSUPPORTED("LoadBitmapA of the system's bitmaps (OBM_*)", "returns NULL");
        vtl::setError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return vtlTraceCall_.result(HBITMAP(nullptr));
    }
    return vtlTraceCall_.result(vtl::bitmapFromResource(instance, name));
}
