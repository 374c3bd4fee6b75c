// DIB sections for the GDI tests: a memory context holding one, and the
// bitmap information of the usual layouts.
#ifndef VANTREL_TESTS_WIN32_GDI_TEST_BITMAPS_H
#define VANTREL_TESTS_WIN32_GDI_TEST_BITMAPS_H

#include <windows.h>

#include <cstring>
#include <vector>

// A BITMAPINFO with room for a full colour table or three masks.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];

    DibInfo(int width, int height, int bits)
    {
        std::memset(this, 0, sizeof *this);
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bits);
        header.biCompression = BI_RGB;
    }
    // Index i is grey level i, so raster operations on indexes can be read
    // back as colours.
    DibInfo& grey()
    {
        for (int i = 0; i < 256; ++i)
            colors[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
        return *this;
    }
    DibInfo& masks(DWORD red, DWORD green, DWORD blue)
    {
        header.biCompression = BI_BITFIELDS;
        const DWORD m[3] = {red, green, blue};
        std::memcpy(colors, m, sizeof m);
        return *this;
    }
    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(this); }
};

// A memory context with a DIB section selected, released with the object.
struct DibCanvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    unsigned char* bits = nullptr;

    explicit DibCanvas(const DibInfo& info)
    {
        dc = CreateCompatibleDC(nullptr);
        void* p = nullptr;
        bitmap = CreateDIBSection(dc, info.info(), DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<unsigned char*>(p);
        previous = SelectObject(dc, bitmap);
    }
    ~DibCanvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
};

#endif
