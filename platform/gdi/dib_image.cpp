// Reading packed DIBs into bitmaps.
#include "platform/gdi/dib_image.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <cstring>
#include <vector>

namespace vtl {
namespace {

uint32_t le32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

HBITMAP refuse()
{
    setError(ERROR_INVALID_DATA);
    return nullptr;
}

} // namespace

HBITMAP bitmapFromDib(const unsigned char* dib, size_t size, size_t bitsOffset, int width, int height, UINT flags)
{
    if (!dib || size < 12)
        return refuse();
    // The header as a BITMAPINFOHEADER, whichever form the picture has.
    const uint32_t headerSize = le32(dib);
    BITMAPINFOHEADER h = {};
    size_t tableEntry;
    if (headerSize == 12) {
        h.biWidth = le16(dib + 4);
        h.biHeight = le16(dib + 6);
        h.biPlanes = le16(dib + 8);
        h.biBitCount = le16(dib + 10);
        tableEntry = 3;
    } else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= size) {
        std::memcpy(&h, dib, sizeof h);
        tableEntry = 4;
    } else {
        return refuse();
    }
    if (h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4) {
        VTL_UNSUPPORTED("run-length compressed bitmaps", "not loaded (ERROR_INVALID_DATA)");
        return refuse();
    }
    const int bits = h.biBitCount;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN || h.biWidth > 0x8000 ||
        (h.biHeight > 0x8000 || h.biHeight < -0x8000))
        return refuse();
    const DWORD colorsUsed = bits <= 8 ? (h.biClrUsed && h.biClrUsed < (1u << bits) ? h.biClrUsed : 1u << bits) : 0;
    size_t tableBytes = colorsUsed * tableEntry;
    // Masks follow a plain header; a larger header holds them itself.
    if (h.biCompression == BI_BITFIELDS && headerSize == sizeof(BITMAPINFOHEADER))
        tableBytes = 12;
    const size_t tableStart = headerSize;
    if (tableStart + tableBytes > size)
        return refuse();
    const int pictureHeight = h.biHeight > 0 ? h.biHeight : -h.biHeight;
    const size_t rowBytes = (static_cast<size_t>(h.biWidth) * static_cast<size_t>(bits) + 31) / 32 * 4;
    if (!bitsOffset)
        bitsOffset = tableStart + tableBytes;
    if (bitsOffset > size || rowBytes * static_cast<size_t>(pictureHeight) > size - bitsOffset)
        return refuse();

    // A BITMAPINFO with a full table, for CreateDIBSection.
    std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFOHEADER plain = h;
    plain.biSize = sizeof plain;
    plain.biClrUsed = colorsUsed;
    std::memcpy(info.data(), &plain, sizeof plain);
    if (h.biCompression == BI_BITFIELDS)
        std::memcpy(info.data() + sizeof plain, dib + (headerSize == sizeof plain ? tableStart : sizeof plain), 12);
    for (DWORD i = 0; i < colorsUsed; ++i) {
        const unsigned char* e = dib + tableStart + i * tableEntry;
        RGBQUAD q{e[0], e[1], e[2], 0};
        std::memcpy(info.data() + sizeof plain + i * sizeof(RGBQUAD), &q, sizeof q);
    }
    void* pictureBits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                       &pictureBits, nullptr, 0);
    if (!picture)
        return nullptr;
    std::memcpy(pictureBits, dib + bitsOffset, rowBytes * static_cast<size_t>(pictureHeight));

    const bool resize = (width && width != h.biWidth) || (height && height != pictureHeight);
    if ((flags & LR_CREATEDIBSECTION) && !(flags & LR_MONOCHROME) && !resize)
        return picture;

    // Another size or layout: drawn into the bitmap the game gets.
    const int outWidth = width ? width : h.biWidth;
    const int outHeight = height ? height : pictureHeight;
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HBITMAP result = nullptr;
    if (flags & LR_MONOCHROME) {
        result = CreateBitmap(outWidth, outHeight, 1, 1, nullptr);
    } else if (flags & LR_CREATEDIBSECTION) {
        plain.biWidth = outWidth;
        plain.biHeight = h.biHeight > 0 ? outHeight : -outHeight;
        std::memcpy(info.data(), &plain, sizeof plain);
        result = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, nullptr,
                                  nullptr, 0);
    } else {
        HDC screen = GetDC(nullptr);
        result = CreateCompatibleBitmap(screen, outWidth, outHeight);
        ReleaseDC(nullptr, screen);
    }
    if (result) {
        HGDIOBJ oldFrom = SelectObject(from, picture);
        HGDIOBJ oldTo = SelectObject(to, result);
        SetStretchBltMode(to, COLORONCOLOR);
        // Into a monochrome bitmap, white pixels are the ones that stay 1.
        SetBkColor(from, RGB(255, 255, 255));
        StretchBlt(to, 0, 0, outWidth, outHeight, from, 0, 0, h.biWidth, pictureHeight, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    DeleteDC(from);
    DeleteDC(to);
    DeleteObject(picture);
    return result;
}

} // namespace vtl
