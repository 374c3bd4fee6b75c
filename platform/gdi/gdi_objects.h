// GDI objects: fonts, brushes and device contexts.  Handles are 32-bit
// numbers looked up in the table of live objects, so a game may keep one in
// a DWORD, and a stale or foreign handle fails cleanly instead of crashing.
#ifndef VANTREL_PLATFORM_GDI_GDI_OBJECTS_H
#define VANTREL_PLATFORM_GDI_GDI_OBJECTS_H

#include <vantrel/win32/gdi.h>
#include <vantrel/win32/pixel_format.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace vtl {

enum class GdiKind { kFont, kBrush, kDC, kBitmap };

struct GdiObject {
    GdiKind kind;
    bool stock = false;
    uint32_t handle = 0; // its number while registered
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
    int ascent = 0;  // pixels above the baseline
    int descent = 0; // pixels below it
    bool underline = false;
    bool strikeOut = false;
    bool fakeBold = false;
    bool fakeItalic = false;
    int selections = 0;  // device contexts it is selected into
    bool deleted = false; // DeleteObject came while it was selected
    Glyph glyphs[256];
};

struct Brush : GdiObject {
    Brush(COLORREF c, bool none) : GdiObject(GdiKind::kBrush), color(c), hollow(none) {}
    COLORREF color;
    bool hollow;
};

struct DeviceContext : GdiObject {
    DeviceContext() : GdiObject(GdiKind::kDC) {}
    unsigned char* pixels = nullptr; // null: a context that measures but has no pixels
    DWORD pitch = 0;
    int width = 0;
    int height = 0;
    VTLPixelFormat format = {};
    Font* font = nullptr;      // null: the default font
    GdiObject* brush = nullptr;
    int bkMode = OPAQUE;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    HWND window = nullptr;     // GetDC's window
    bool windowPixels = false; // pixels are the window's own surface
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
// Releases a font reference held by a context (gdiMutex held).
void releaseFontSelection(Font* font);

} // namespace vtl

#endif
