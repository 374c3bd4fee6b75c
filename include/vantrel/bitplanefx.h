// BITPLANEFX: the drawing surface, a rectangle of pixels in ordinary memory
// in the display's pixel format, with an optional alpha plane, a clip
// rectangle and a transparent colour.
//
// A surface has no constructor: declare it zero-filled and make it through
// VTLHND::create, which stores the owner and the display format first.
//
// Clipping differs by family (each operation's comment says which):
//  - primitives, RLE blits and colour-image blits: the whole clip rectangle;
//  - surface-to-surface blits: the clip size only (0..clipWidth, 0..clipHeight);
//  - scaled blits and the sized RLE Blt: the whole surface, no clip rectangle;
//  - the lookup-image blit and the quadrant blend: no clipping.
#ifndef VANTREL_BITPLANEFX_H
#define VANTREL_BITPLANEFX_H

#include <vantrel/win32/types.h>

class VTLHND;
class RLEFX;
class COLORFX;
class MONOFX;
class LUTFX;

// The effect record read by BltMode.
struct BLITMODE {
    unsigned char mode;       // one of the BLITMODE_* values; 1 and 7+ draw nothing
    unsigned char level;      // fade level (FADE) or blend level (BLEND)
    DWORD color;              // packed tint colour (COLOR)
    unsigned char colorLevel; // tint level (COLOR)
};

enum {
    BLITMODE_NORMAL = 0,
    BLITMODE_HALF = 2,
    BLITMODE_SHADOW = 3,
    BLITMODE_FADE = 4,
    BLITMODE_BLEND = 5,
    BLITMODE_COLOR = 6
};

// How a surface was made, in BITPLANEFX::kind.
enum { BITPLANE_BLANK = 0, BITPLANE_BMP = 1, BITPLANE_TGA = 2 };

class VANTREL_API BITPLANEFX {
public:
    unsigned char* pixels;     // pitch x height bytes, owned; null when empty
    unsigned char* alpha;      // width x height bytes (rows of exactly width), owned; or null
    DWORD pitch;               // width x bytesPerPixel rounded up to a multiple of 8
    BITPLANEFX* next;          // older surface in the owner's list
    BITPLANEFX* prev;          // newer surface in the owner's list
    VTLHND* owner;
    unsigned char format;      // display format code the pixels are in
    unsigned char reserved;    // always 0
    unsigned char bitsPerPixel;
    unsigned char bytesPerPixel;
    unsigned char kind;        // BITPLANE_BLANK, BITPLANE_BMP or BITPLANE_TGA
    unsigned char* fileData;   // source file bytes in the archive, kept for reloading; not owned
    LONG width;
    LONG height;
    LONG clipWidth;
    LONG clipHeight;
    LONG clipX;
    LONG clipY;
    unsigned short colorKey;   // transparent colour of the keyed ("Trans") blits

    // Housekeeping.
    bool create(int width, int height, bool withAlpha);
    bool create(const char* name); // does nothing: files load through VTLHND::create
    bool release();
    bool LockSurface();      // no display memory is lent in this version: always false
    void UnlockSurface();
    void clear();
    bool setColorKey();      // takes the top-left pixel as the colour key
    void SetClipper(unsigned short left, unsigned short top, unsigned short right, unsigned short bottom);
    operator bool() const { return pixels != nullptr; }
    int xSize() const { return width; }
    int ySize() const { return height; }
    BITPLANEFX& operator=(const BITPLANEFX&) = default; // shallow: the copy shares the buffers

    // Files (from fileData).
    bool loadBmp();
    bool loadTga();
    bool saveTga(const char* name, unsigned short x, unsigned short y, unsigned short width, unsigned short height);
    // saveTga keeps its historical meaning: it writes nothing and returns
    // true.  writeTga is the one that writes: the area at x, y of width x
    // height pixels (clipped to the surface) as an uncompressed TGA file in
    // the surface's own depth, stored bottom-up as loadTga reads it, so that
    // writing and loading on a display of the same format give back the
    // same pixels.  8-bit: colour-mapped (type 1) with the 3-3-2 palette;
    // 16-bit: 5-5-5 words (a 5-6-5 surface loses the lowest green bit);
    // 24-bit: blue, green, red; 32-bit: blue, green, red and the alpha plane
    // (255 where the surface has none).  False, with a Msg, when the
    // surface is empty, the area misses it or the file cannot be written.
    bool writeTga(const char* name, unsigned short x, unsigned short y, unsigned short width,
                  unsigned short height) const;

    // Surface-to-surface blits: clip to the clip size (clipX and clipY are
    // not used); `rect` is clamped to the source and then clipped in place,
    // so after a call it holds the source area drawn.  A null `rect` stands
    // for the whole source: one library-wide rectangle is set to it and
    // clipped instead.  The source must have the destination's pixel size;
    // a source of another size draws nothing.
    //
    // Per pixel, with fade(p, k) = FadeLo[k][p & 0xFF] + FadeHi[k][p >> 8]
    // (8-bit: Fade8[k][p]), half(p) = (p >> 1) & mask, and k' = 256 - k
    // (255 for k = 0) on 16-bit surfaces, 255 - k on 8-bit ones:
    //   Blt         d = s, whole rows at every depth
    //   TransBlt    d = s where s is not colorKey (8-bit: its low byte)
    //   Blt50       d = half(s) + half(d)       TransBlt50: keyed
    //   ShadowBlt   d = half(d) where s is not the key
    //   FadeBlt     d = fade(s, level)          FadeTransBlt: keyed
    //   BlendBlt    d = fade(s, level) + fade(d, level')   BlendTransBlt: keyed
    //   AlphaBlt    where the source alpha a is not 0: d = fade(s, a) + fade(d, a')
    //               (nothing without an alpha plane)   AlphaSrcBlt: also keyed
    //   ColorBlendBlt       d = fade(s, level) + fade(color, 256 - level)
    //   ColorTransBlendBlt  keyed; on 8-bit surfaces the colour gets 255 - level
    // Only Blt draws on 24- and 32-bit surfaces; the others draw nothing there.
    //
    // 50 % mixes and shadows on 8-bit surfaces halve each 3-3-2 field the same
    // way as 16-bit pixels: the mask is 0x6D (VTL_HALFMASK_332), which clears
    // the bit each field receives from the field above it after the shift, so
    // red, green and blue are each halved (rounding down) and the two halves
    // added without carries.  16-bit surfaces use HalfMask.
    void Blt(BITPLANEFX* source, tagPOINT point, tagRECT* rect);
    void TransBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect);
    void Blt50(BITPLANEFX* source, tagPOINT point, tagRECT* rect);
    void TransBlt50(BITPLANEFX* source, tagPOINT point, tagRECT* rect);
    void ShadowBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect);
    void FadeBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect, unsigned char level);
    void FadeTransBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect, unsigned char level);
    void BlendBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect, unsigned char level);
    void BlendTransBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect, unsigned char level);
    void AlphaBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect);
    void AlphaSrcBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect);
    void ColorBlendBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect, unsigned char level,
                       unsigned short color);
    void ColorTransBlendBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect, unsigned char level,
                            unsigned short color);

    // Scaled blits to a W x H destination area (nearest neighbour), 16-bit
    // surfaces only, clipped to the whole surface (not the clip rectangle),
    // no colour key.  W or H below 2 draws nothing.  `rect` as above.  The
    // scaled BlendBlt weighs the destination with 255 - level; the scaled
    // ShadowBlt halves the whole area without reading the source.
    void Blt(BITPLANEFX* source, tagPOINT point, tagRECT* rect, unsigned long w, unsigned long h);
    void Blt50(BITPLANEFX* source, tagPOINT point, tagRECT* rect, unsigned long w, unsigned long h);
    void ShadowBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect, unsigned long w, unsigned long h);
    void FadeBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect, unsigned long w, unsigned long h,
                 unsigned char level);
    void BlendBlt(BITPLANEFX* source, tagPOINT point, tagRECT* rect, unsigned long w, unsigned long h,
                  unsigned char level);

    // Lookup image: the front index image drawn through its colour table,
    // d = fade(colour, alpha) + fade(d, 255 - alpha), on 16-bit surfaces
    // only.  `rect` is clamped to the image (null: the whole image, through
    // the shared rectangle).  This blit does not clip: the area must lie
    // inside the destination, and an area that does not is not drawn at all.
    void Blt(LUTFX* source, tagPOINT point, tagRECT* rect);

    // Pixel and shape primitives, clipped to the whole clip rectangle.  The
    // boolean members return false for an empty surface or a point (row)
    // outside the clip.  getPixel returns an 8-bit pixel b as b * 0x101.
    // line and lineBlend leave out their end point; lineBlend blends only
    // while effects are enabled (VTLHND::gfxEnableEffects) and otherwise
    // draws the plain colour.
    bool putPixel(int x, int y, unsigned long color);
    bool putPixel(int x, int y, unsigned long color, unsigned char alpha);
    bool putPixelBlend(int x, int y, unsigned long color, unsigned char level);
    unsigned long getPixel(int x, int y);
    bool hline(int x1, int x2, int y, unsigned long color);
    void line(int x1, int y1, int x2, int y2, unsigned long color);
    void lineBlend(int x1, int y1, int x2, int y2, unsigned long color, unsigned char level);
    void ellipse(int x, int y, int a, int b, unsigned long color);
    void fillellipse(int x, int y, int a, int b, unsigned long color);

    // RLE images, clipped to the clip rectangle (the sized Blt: the surface);
    // the image's pixels are taken to be of the surface's size.  With the
    // effects switch off every effect draws as BltNoEffects; FadeBlt at 255
    // is BltNoEffects, BlendBlt at 255 is Blt and at 0 draws nothing.
    // On 8-bit surfaces halving masks each 3-3-2 field (0x6D), whatever
    // HalfMask holds.  On 32-bit surfaces the effects compute the three
    // colour bytes and leave the destination's fourth byte, except the
    // copies and Blt50's opaque pixels (all four bytes).  A clip rectangle
    // set by hand outside the surface is cut to the surface.
    void BltMode(RLEFX* image, POINT point, BLITMODE* mode);
    void BltNoEffects(RLEFX* image, POINT point);
    void Blt(RLEFX* image, POINT point);
    void Blt50(RLEFX* image, POINT point);
    void ShadowBlt(RLEFX* image, POINT point);
    void FadeBlt(RLEFX* image, POINT point, unsigned char level);
    void BlendBlt(RLEFX* image, POINT point, unsigned char level);
    void ColorBlt(RLEFX* image, POINT point, unsigned long color, unsigned char level);
    // Draws as BltNoEffects at the image's own size, visible on the whole
    // surface; `width`/`height` (as signed 32-bit values) only decide whether
    // the image lies wholly off it.  It uses the surface's pixel size, so it
    // also draws correctly on 8-, 24- and 32-bit surfaces.
    void Blt(RLEFX* image, POINT point, unsigned long width, unsigned long height);

    // Colour and mono intensity images (see rlefx.h for what draws).
    void BltNoEffects(COLORFX* image, POINT point, unsigned long color);
    void BltMode(COLORFX* image, POINT point, BLITMODE* mode);
    void Blt(COLORFX* image, POINT point, unsigned long color);
    void Blt50(COLORFX* image, POINT point, unsigned long color);
    void ShadowBlt(COLORFX* image, POINT point, unsigned long color);
    void FadeBlt(COLORFX* image, POINT point, unsigned char level, unsigned long color);
    void BlendBlt(COLORFX* image, POINT point, unsigned char level, unsigned long color);
    void BltNoEffects(MONOFX* image, POINT point, unsigned long color);
    void BltMode(MONOFX* image, POINT point, BLITMODE* mode);
    void Blt(MONOFX* image, POINT point, unsigned long color);
    void Blt50(MONOFX* image, POINT point, unsigned long color);
    void ShadowBlt(MONOFX* image, POINT point, unsigned long color);
    void FadeBlt(MONOFX* image, POINT point, unsigned char level, unsigned long color);
    void BlendBlt(MONOFX* image, POINT point, unsigned char level, unsigned long color);
};

#endif
