// Text: measuring and drawing anti-aliased glyphs into memory pixels of any
// of the nine formats.  Each covered pixel is the text colour mixed over
// what was there by the glyph's coverage, channel by channel; fully covered
// pixels take the packed text colour as is.
#include "platform/gdi/gdi_objects.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <cstring>

namespace vtl {
namespace {

DeviceContext* liveDC(HDC dc) { return static_cast<DeviceContext*>(liveObject(dc, GdiKind::kDC)); }

const Glyph& glyphOf(Font& font, unsigned char c)
{
    Glyph& g = font.glyphs[c];
    if (g.loaded)
        return g;
    g.loaded = true;
    FT_Face face = font.face;
    if (FT_Load_Char(face, c, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0)
        return g;
    if (font.fakeBold)
        FT_Outline_Embolden(&face->glyph->outline, face->size->metrics.x_ppem * 2); // 1/32 em in 26.6
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return g;
    FT_GlyphSlot slot = face->glyph;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6) + (font.fakeBold ? 1 : 0);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(slot->bitmap.width);
    g.rows = static_cast<int>(slot->bitmap.rows);
    g.coverage.resize(static_cast<size_t>(g.width) * static_cast<size_t>(g.rows));
    for (int y = 0; y < g.rows; ++y) {
        const unsigned char* src = slot->bitmap.buffer + static_cast<ptrdiff_t>(y) * slot->bitmap.pitch;
        std::memcpy(&g.coverage[static_cast<size_t>(y) * g.width], src, static_cast<size_t>(g.width));
    }
    return g;
}

int textWidth(Font& font, const char* text, int length)
{
    int width = 0;
    for (int i = 0; i < length; ++i)
        width += glyphOf(font, static_cast<unsigned char>(text[i])).advance;
    return width;
}

unsigned long readPixel(const unsigned char* p, int bytes)
{
    switch (bytes) {
    case 1: return p[0];
    case 2: return static_cast<unsigned long>(p[0] | (p[1] << 8));
    case 3: return static_cast<unsigned long>(p[0] | (p[1] << 8) | (p[2] << 16));
    default: return static_cast<unsigned long>(p[0] | (p[1] << 8) | (p[2] << 16)) | (static_cast<unsigned long>(p[3]) << 24);
    }
}

void writePixel(unsigned char* p, int bytes, unsigned long v)
{
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

struct Painter {
    DeviceContext& dc;
    unsigned char r, g, b;
    unsigned long packed;

    Painter(DeviceContext& d, COLORREF color)
        : dc(d), r(GetRValue(color)), g(GetGValue(color)), b(GetBValue(color)),
          packed(VTLPackColor(d.format.bitsPerPixel, d.format.formatCode, r, g, b))
    {
    }

    void plot(int x, int y, unsigned coverage)
    {
        if (x < 0 || y < 0 || x >= dc.width || y >= dc.height || coverage == 0)
            return;
        int bytes = dc.format.bytesPerPixel;
        unsigned char* p = dc.pixels + static_cast<size_t>(y) * dc.pitch + static_cast<size_t>(x) * bytes;
        if (coverage >= 255) {
            writePixel(p, bytes, packed);
            return;
        }
        unsigned char dr, dg, db;
        if (!VTLUnpackColor(dc.format.bitsPerPixel, dc.format.formatCode, readPixel(p, bytes), &dr, &dg, &db))
            return;
        unsigned keep = 255 - coverage;
        auto mix = [&](unsigned src, unsigned dst) {
            return static_cast<unsigned char>((src * coverage + dst * keep + 127) / 255);
        };
        writePixel(p, bytes,
                   VTLPackColor(dc.format.bitsPerPixel, dc.format.formatCode, mix(r, dr), mix(g, dg), mix(b, db)));
    }

    void fill(int left, int top, int right, int bottom)
    {
        for (int y = std::max(top, 0); y < std::min(bottom, dc.height); ++y)
            for (int x = std::max(left, 0); x < std::min(right, dc.width); ++x)
                plot(x, y, 255);
    }
};

// The context and font for a text call, or null when the call is not valid
// (gdiMutex held).
Font* textFont(HDC handle, const char* text, int length, DeviceContext** context)
{
    if (length < 0 || (!text && length != 0))
        return nullptr;
    DeviceContext* dc = liveDC(handle);
    *context = dc;
    return dc ? fontOf(*dc) : nullptr;
}

} // namespace
} // namespace vtl

using namespace vtl;

BOOL GetTextExtentPointA(HDC handle, LPCSTR text, int length, LPSIZE size)
{
    VTL_TRACE(gdi, "GetTextExtentPointA", handle, vtl::trace::Text{text, length > 0 ? static_cast<size_t>(length) : 0}, length, size);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc;
    Font* font = textFont(handle, text, length, &dc);
    if (!font || !size)
        return vtlTraceCall_.result(FALSE);
    size->cx = textWidth(*font, text, length);
    size->cy = font->ascent + font->descent;
    return vtlTraceCall_.result(TRUE);
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size)
{
    VTL_TRACE(gdi, "GetTextExtentPoint32A", dc, vtl::trace::Text{text, length > 0 ? static_cast<size_t>(length) : 0}, length, size);
    return vtlTraceCall_.result(GetTextExtentPointA(dc, text, length, size));
}

BOOL TextOutA(HDC handle, int x, int y, LPCSTR text, int length)
{
    VTL_TRACE(gdi, "TextOutA", handle, x, y, vtl::trace::Text{text, length > 0 ? static_cast<size_t>(length) : 0}, length);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc;
    Font* font = textFont(handle, text, length, &dc);
    if (!font)
        return vtlTraceCall_.result(FALSE);
    if (!dc->pixels)
        return vtlTraceCall_.result(TRUE); // a window or desktop context: nothing of ours to draw on
    int width = textWidth(*font, text, length);
    int cell = font->ascent + font->descent;
    if (dc->bkMode == OPAQUE)
        Painter(*dc, dc->bkColor).fill(x, y, x + width, y + cell);
    Painter ink(*dc, dc->textColor);
    int baseline = y + font->ascent;
    int pen = x;
    for (int i = 0; i < length; ++i) {
        const Glyph& g = glyphOf(*font, static_cast<unsigned char>(text[i]));
        int gx = pen + g.left, gy = baseline - g.top;
        for (int row = 0; row < g.rows; ++row) {
            const unsigned char* cov = &g.coverage[static_cast<size_t>(row) * g.width];
            for (int col = 0; col < g.width; ++col)
                ink.plot(gx + col, gy + row, cov[col]);
        }
        pen += g.advance;
    }
    int thickness = std::max(1, cell / 16);
    if (font->underline) {
        int top = baseline + std::max(1, font->descent / 2);
        ink.fill(x, top, x + width, top + thickness);
    }
    if (font->strikeOut) {
        int top = baseline - font->ascent / 3;
        ink.fill(x, top, x + width, top + thickness);
    }
    return vtlTraceCall_.result(TRUE);
}
