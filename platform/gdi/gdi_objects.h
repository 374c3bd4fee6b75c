// GDI objects: fonts, brushes, bitmaps, palettes and device contexts.  Handles are 32-bit
// numbers looked up in the table of live objects, so a game may keep one in
// a DWORD, and a stale or foreign handle fails cleanly instead of crashing.
#ifndef VANTREL_PLATFORM_GDI_GDI_OBJECTS_H
#define VANTREL_PLATFORM_GDI_GDI_OBJECTS_H

#include <vantrel/win32/gdi.h>
#include <vantrel/win32/gdi_fonts.h>
#include <vantrel/win32/gdi_palettes.h>
#include <vantrel/win32/pixel_format.h>

#include "platform/gdi/pixel_space.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace vtl {

enum class GdiKind { kFont, kBrush, kDC, kBitmap, kPalette };

struct GdiObject {
    GdiKind kind;
    bool stock = false;
    uint32_t handle = 0; // its number while registered
    int selections = 0;  // device contexts it is selected into
    bool deleted = false; // DeleteObject came while it was selected
    explicit GdiObject(GdiKind k) : kind(k) {}
    virtual ~GdiObject() = default;
};

struct Glyph {
    bool loaded = false;
    int left = 0, top = 0;   // bitmap origin relative to the pen on the baseline
    int width = 0, rows = 0;
    int advance = 0;         // pixels
    std::vector<unsigned char> coverage;
};

struct Font : GdiObject {
    Font() : GdiObject(GdiKind::kFont) {}
    ~Font() override;
    FT_Face face = nullptr;
    LOGFONTA description = {}; // as asked for, for GetObject and the metrics
    int ascent = 0;  // pixels above the baseline
    int descent = 0; // pixels below it
    bool underline = false;
    bool strikeOut = false;
    bool fakeBold = false;
    bool fakeItalic = false;
    Glyph glyphs[256];
};

struct Brush : GdiObject {
    Brush(COLORREF c, bool none) : GdiObject(GdiKind::kBrush), color(c), hollow(none) {}
    COLORREF color;
    bool hollow;
};

struct DeviceContext;

// A device-dependent bitmap (in the display's layout, or monochrome) or a
// DIB section (in the layout its header gave; the game writes its bits).
struct Bitmap : GdiObject {
    Bitmap() : GdiObject(GdiKind::kBitmap) {}
    std::unique_ptr<unsigned char[]> bits;
    DWORD pitch = 0;       // bytes per row in memory
    PixelSpace space;      // over `bits`, its colour table pointing into `colors`
    RGBQUAD colors[256] = {};
    bool dibSection = false;
    BITMAPINFOHEADER header = {}; // a DIB section's, as GetObject reports it
    DeviceContext* selectedInto = nullptr; // a bitmap is in one context at a time
};

struct Palette : GdiObject {
    Palette() : GdiObject(GdiKind::kPalette) {}
    std::vector<PALETTEENTRY> entries;
};

enum class DCKind {
    kMemory,  // CreateCompatibleDC: draws into its selected bitmap
    kSurface, // over pixels handed over by a surface (createMemoryDC, createSurfaceDC)
    kWindow,  // GetDC: the window's pixels where the backend has them
};

struct DeviceContext : GdiObject {
    DeviceContext() : GdiObject(GdiKind::kDC) {}
    DCKind dcKind = DCKind::kWindow;
    PixelSpace space;          // not drawable: a context that measures but has no pixels
    VTLPixelFormat format = {}; // the device's format for GetDeviceCaps; zero: the desktop's
    RGBQUAD surfaceColors[256] = {}; // an 8-bit surface's palette, when it came with one
    Bitmap* bitmap = nullptr;  // a memory context's selected bitmap
    Palette* palette = nullptr; // null: the default palette
    Font* font = nullptr;      // null: the default font
    GdiObject* brush = nullptr;
    int stretchMode = BLACKONWHITE;
    int bkMode = OPAQUE;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    HWND window = nullptr;     // GetDC's window
};

// One lock for all GDI state: text is drawn on the game's thread, and
// FreeType faces are not to be used from two threads at once.
std::mutex& gdiMutex();

// Live-object registry (gdiMutex held).
void registerObject(GdiObject* object);
void unregisterObject(GdiObject* object);
// The handle a registered object is known by (null for null).
HGDIOBJ handleOf(const GdiObject* object);
// The live object a handle names, of any kind; null for anything else.
GdiObject* objectOf(const void* handle);
GdiObject* liveObject(const void* handle, GdiKind kind);

// The font a context draws with (gdiMutex held); null when no font file
// could be loaded at all.
Font* fontOf(DeviceContext& dc);
Font* defaultFont();
// A context takes or lets go of an object it selects (gdiMutex held); an
// object deleted while selected goes once the last context lets go.
void holdSelection(GdiObject* object);
void releaseSelection(GdiObject* object);

DeviceContext* liveDC(HDC dc);
// The stock objects a new context starts with (gdiMutex held).
Bitmap* defaultBitmap();
GdiObject* stockBrush(int which);
Palette* defaultPalette();
// A new bitmap of `bits` per pixel (1: monochrome), rows `pitch` bytes
// apart, cleared; null, with the last error set, when the memory cannot be
// had (gdiMutex held, not yet registered).
Bitmap* newBitmap(int width, int height, int bits, DWORD pitch, bool bottomUp);
// A device bitmap in the display's layout.
Bitmap* newDisplayBitmap(int width, int height);
// Selects `bitmap` into a memory context, letting go of the one before
// (gdiMutex held).
void selectBitmap(DeviceContext& dc, Bitmap* bitmap);
// The colour a COLORREF names in a context: PALETTEINDEX values through its
// selected palette, the flag byte dropped otherwise.
COLORREF resolveColor(const DeviceContext& dc, COLORREF color);
// A window context's pixels were drawn on: shows them (gdiMutex held).
void windowDrawn(DeviceContext& dc);

} // namespace vtl

#endif
