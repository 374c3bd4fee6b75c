// CreateDIBSection and GetObject for bitmaps.
#include "platform/gdi/gdi_bitmap.h"

#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <cstdlib>
#include <cstring>

using namespace vtl;

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, VOID** bits, HANDLE section, DWORD)
{
    VTL_TRACE(gdi, "CreateDIBSection", info, usage, static_cast<const void*>(bits), section);
    if (bits)
        *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(HBITMAP(nullptr));
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const WORD depth = h.biBitCount;
    const bool knownDepth = depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1 ||
        !knownDepth || h.biCompression != BI_RGB || h.biWidth > 0x8000 || std::labs(h.biHeight) > 0x8000) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(HBITMAP(nullptr));
    }
    auto* bitmap = new Bitmap;
    bitmap->header = h;
    bitmap->header.biSize = sizeof(BITMAPINFOHEADER);
    bitmap->pitch = ((static_cast<DWORD>(h.biWidth) * depth + 31) / 32) * 4;
    bitmap->header.biSizeImage = bitmap->pitch * static_cast<DWORD>(std::labs(h.biHeight));
    if (depth <= 8) {
        const DWORD count = h.biClrUsed && h.biClrUsed < (1u << depth) ? h.biClrUsed : (1u << depth);
        std::memcpy(bitmap->colors, info->bmiColors, count * sizeof(RGBQUAD));
    }
    bitmap->bits.reset(new unsigned char[bitmap->header.biSizeImage]());
    std::lock_guard<std::mutex> lock(gdiMutex());
    registerObject(bitmap);
    if (bits)
        *bits = bitmap->bits.get();
    return vtlTraceCall_.result(static_cast<HBITMAP>(handleOf(bitmap)));
}

int GetObjectA(HANDLE object, int size, LPVOID buffer)
{
    VTL_TRACE(gdi, "GetObjectA", object, size, buffer);
    std::lock_guard<std::mutex> lock(gdiMutex());
    auto* bitmap = static_cast<Bitmap*>(liveObject(object, GdiKind::kBitmap));
    if (!bitmap)
        return vtlTraceCall_.result(0);
    if (!buffer)
        return vtlTraceCall_.result(static_cast<int>(sizeof(BITMAP)));
    if (size < static_cast<int>(sizeof(BITMAP)))
        return vtlTraceCall_.result(0);
    BITMAP b{};
    b.bmWidth = bitmap->header.biWidth;
    b.bmHeight = std::labs(bitmap->header.biHeight);
    b.bmWidthBytes = static_cast<LONG>(bitmap->pitch);
    b.bmPlanes = 1;
    b.bmBitsPixel = bitmap->header.biBitCount;
    b.bmBits = bitmap->bits.get();
    std::memcpy(buffer, &b, sizeof b);
    return vtlTraceCall_.result(static_cast<int>(sizeof b));
}
