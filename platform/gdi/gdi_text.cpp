// Text: measuring and drawing anti-aliased glyphs into the pixels of any
// context.  Each covered pixel is the text colour mixed over
// what was there by the glyph's coverage, channel by channel; fully covered
// pixels take the packed text colour as is.
#include "platform/gdi/gdi_objects.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <cstring>

namespace vtl {
namespace {

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

// Draws one colour over a context's pixels, within a clip rectangle.
struct Painter {
    PixelSpace& space;
    RECT clip;
    unsigned char r, g, b;
    uint32_t packed;

    Painter(DeviceContext& d, COLORREF color, const RECT& bounds)
        : space(d.space), clip(bounds), r(GetRValue(resolveColor(d, color))), g(GetGValue(resolveColor(d, color))),
          b(GetBValue(resolveColor(d, color))), packed(d.space.pack(RGB(r, g, b)))
    {
    }

    void plot(int x, int y, unsigned coverage)
    {
        if (x < clip.left || y < clip.top || x >= clip.right || y >= clip.bottom || coverage == 0)
            return;
        if (coverage >= 255) {
            space.write(x, y, packed);
            return;
        }
        const COLORREF under = space.unpack(space.read(x, y));
        unsigned keep = 255 - coverage;
        auto mix = [&](unsigned src, unsigned dst) {
            return static_cast<unsigned char>((src * coverage + dst * keep + 127) / 255);
        };
        space.write(x, y, space.pack(RGB(mix(r, GetRValue(under)), mix(g, GetGValue(under)), mix(b, GetBValue(under)))));
    }

    void fill(int left, int top, int right, int bottom)
    {
        for (int y = std::max(top, static_cast<int>(clip.top)); y < std::min(bottom, static_cast<int>(clip.bottom)); ++y)
            for (int x = std::max(left, static_cast<int>(clip.left)); x < std::min(right, static_cast<int>(clip.right)); ++x)
                space.write(x, y, packed);
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

namespace {

// Draws text with its left top corner at (x, y): each letter advances by
// its own width or by `spacing`'s; `opaque`, when given, is filled with the
// background colour first, and nothing is drawn outside `clipTo`.
void drawText(DeviceContext& dc, Font& font, int x, int y, const char* text, int length, const INT* spacing,
              const RECT* opaque, const RECT* clipTo)
{
    RECT canvas{0, 0, dc.space.width, dc.space.height};
    RECT clip = canvas;
    if (clipTo) {
        clip.left = std::max(canvas.left, clipTo->left);
        clip.top = std::max(canvas.top, clipTo->top);
        clip.right = std::min(canvas.right, clipTo->right);
        clip.bottom = std::min(canvas.bottom, clipTo->bottom);
    }
    if (opaque)
        Painter(dc, dc.bkColor, canvas).fill(opaque->left, opaque->top, opaque->right, opaque->bottom);
    int width = 0;
    for (int i = 0; i < length; ++i)
        width += spacing ? spacing[i] : glyphOf(font, static_cast<unsigned char>(text[i])).advance;
    int cell = font.ascent + font.descent;
    if (dc.bkMode == OPAQUE)
        Painter(dc, dc.bkColor, clip).fill(x, y, x + width, y + cell);
    Painter ink(dc, dc.textColor, clip);
    int baseline = y + font.ascent;
    int pen = x;
    for (int i = 0; i < length; ++i) {
        const Glyph& g = glyphOf(font, static_cast<unsigned char>(text[i]));
        int gx = pen + g.left, gy = baseline - g.top;
        for (int row = 0; row < g.rows; ++row) {
            const unsigned char* cov = &g.coverage[static_cast<size_t>(row) * g.width];
            for (int col = 0; col < g.width; ++col)
                ink.plot(gx + col, gy + row, cov[col]);
        }
        pen += spacing ? spacing[i] : g.advance;
    }
    int thickness = std::max(1, cell / 16);
    if (font.underline) {
        int top = baseline + std::max(1, font.descent / 2);
        ink.fill(x, top, x + width, top + thickness);
    }
    if (font.strikeOut) {
        int top = baseline - font.ascent / 3;
        ink.fill(x, top, x + width, top + thickness);
    }
}

} // namespace

BOOL TextOutA(HDC handle, int x, int y, LPCSTR text, int length)
{
    VTL_TRACE(gdi, "TextOutA", handle, x, y, vtl::trace::Text{text, length > 0 ? static_cast<size_t>(length) : 0}, length);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc;
    Font* font = textFont(handle, text, length, &dc);
    if (!font)
        return vtlTraceCall_.result(FALSE);
    if (dc->space.drawable())
        drawText(*dc, *font, x, y, text, length, nullptr, nullptr, nullptr);
    return vtlTraceCall_.result(TRUE);
}

BOOL ExtTextOutA(HDC handle, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length,
                 const INT* spacing)
{
    VTL_TRACE(gdi, "ExtTextOutA", handle, x, y, options, rect,
              vtl::trace::Text{text, text ? static_cast<size_t>(length) : 0}, length);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc;
    if (length > 0x7FFFFFFFu)
        return vtlTraceCall_.result(FALSE);
    Font* font = textFont(handle, text, static_cast<int>(length), &dc);
    if (!font)
        return vtlTraceCall_.result(FALSE);
    // The rectangle counts only with ETO_OPAQUE or ETO_CLIPPED.
    const bool opaque = rect && (options & ETO_OPAQUE);
    const bool clipped = rect && (options & ETO_CLIPPED);
    if (dc->space.drawable())
        drawText(*dc, *font, x, y, text, static_cast<int>(length), spacing, opaque ? rect : nullptr,
                 clipped ? rect : nullptr);
    return vtlTraceCall_.result(TRUE);
}

BOOL GetTextMetricsA(HDC handle, LPTEXTMETRICA metrics)
{
    VTL_TRACE(gdi, "GetTextMetricsA", handle, metrics);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc;
    Font* font = textFont(handle, "", 0, &dc);
    if (!font || !metrics)
        return vtlTraceCall_.result(FALSE);
    const FT_Face face = font->face;
    const int cell = font->ascent + font->descent;
    const int em = static_cast<int>(face->size->metrics.y_ppem);
    int widest = 0;
    for (int c = 0x20; c <= 0xFF; ++c)
        widest = std::max(widest, glyphOf(*font, static_cast<unsigned char>(c)).advance);
    const LOGFONTA& d = font->description;
    TEXTMETRICA m = {};
    m.tmHeight = cell;
    m.tmAscent = font->ascent;
    m.tmDescent = font->descent;
    m.tmInternalLeading = std::max(0, cell - em);
    m.tmAveCharWidth = glyphOf(*font, 'x').advance;
    m.tmMaxCharWidth = widest;
    m.tmWeight = d.lfWeight >= 600 ? FW_BOLD : FW_NORMAL;
    m.tmDigitizedAspectX = 96;
    m.tmDigitizedAspectY = 96;
    m.tmFirstChar = 0x20;
    m.tmLastChar = 0xFF;
    m.tmDefaultChar = 0x1F;
    m.tmBreakChar = 0x20;
    m.tmItalic = d.lfItalic ? 0xFF : 0;
    m.tmUnderlined = d.lfUnderline ? 0xFF : 0;
    m.tmStruckOut = d.lfStrikeOut ? 0xFF : 0;
    const bool fixedPitch = FT_IS_FIXED_WIDTH(face);
    m.tmPitchAndFamily = static_cast<BYTE>((fixedPitch ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE |
                                           (d.lfPitchAndFamily & 0xF0));
    m.tmCharSet = d.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : d.lfCharSet;
    *metrics = m;
    return vtlTraceCall_.result(TRUE);
}
