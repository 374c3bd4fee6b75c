// Device contexts over a caller's pixels, for drawing text into a memory
// surface with the system's GDI.  GDI draws only into its own bitmaps, so
// the context holds a DIB section of the same size and layout: the caller's
// pixels are copied in when the context is made and back out when it is
// destroyed.
#include <vantrel/seam/window_backend.h>

#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

namespace {

struct MemoryContext {
    unsigned char* pixels;
    DWORD pitch;
    int width;
    int height;
    unsigned bytesPerRow; // of a row's pixels, without padding
    HBITMAP bitmap;
    HGDIOBJ previous;
    unsigned char* bits;
    DWORD bitsPitch;
};

std::mutex& contextsMutex()
{
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

std::unordered_map<HDC, MemoryContext>& contexts()
{
    static auto* map = new std::unordered_map<HDC, MemoryContext>;
    return *map;
}

void copyRows(unsigned char* to, DWORD toPitch, const unsigned char* from, DWORD fromPitch, unsigned bytes,
              int rows)
{
    for (int y = 0; y < rows; ++y)
        std::memcpy(to + static_cast<size_t>(y) * toPitch, from + static_cast<size_t>(y) * fromPitch, bytes);
}

} // namespace

HDC vtl::createMemoryDC(unsigned char* pixels, DWORD pitch, int width, int height, const VTLPixelFormat& format)
{
    if (!pixels || width <= 0 || height <= 0)
        return nullptr;
    const unsigned bits = format.bitsPerPixel;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return nullptr;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height; // top-down, as the surfaces are
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = BI_RGB;
    if (bits == 16 || bits == 32) {
        info.header.biCompression = BI_BITFIELDS;
        DWORD masks[3] = {format.redMask, format.greenMask, format.blueMask};
        std::memcpy(info.colors, masks, sizeof masks);
    } else if (bits == 8) {
        PALETTEENTRY entries[256];
        VTLPalette332(entries);
        for (int i = 0; i < 256; ++i)
            info.colors[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
        info.header.biClrUsed = 256;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return nullptr;
    void* dibBits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &dibBits, nullptr, 0);
    if (!bitmap) {
        DeleteDC(dc);
        return nullptr;
    }
    MemoryContext context{};
    context.pixels = pixels;
    context.pitch = pitch;
    context.width = width;
    context.height = height;
    context.bytesPerRow = static_cast<unsigned>(width) * (bits / 8);
    context.bitmap = bitmap;
    context.bits = static_cast<unsigned char*>(dibBits);
    context.bitsPitch = (context.bytesPerRow + 3) & ~3u;
    GdiFlush();
    copyRows(context.bits, context.bitsPitch, pixels, pitch, context.bytesPerRow, height);
    context.previous = SelectObject(dc, bitmap);
    // The defaults a new context has everywhere: opaque white background,
    // black text.
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    std::lock_guard<std::mutex> lock(contextsMutex());
    contexts()[dc] = context;
    return dc;
}

void vtl::destroyMemoryDC(HDC dc)
{
    MemoryContext context;
    {
        std::lock_guard<std::mutex> lock(contextsMutex());
        auto found = contexts().find(dc);
        if (found == contexts().end())
            return;
        context = found->second;
        contexts().erase(found);
    }
    GdiFlush();
    copyRows(context.pixels, context.pitch, context.bits, context.bitsPitch, context.bytesPerRow, context.height);
    SelectObject(dc, context.previous);
    DeleteObject(context.bitmap);
    DeleteDC(dc);
}
