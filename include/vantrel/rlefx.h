// Run-length images: RLEFX (display-format sprites) and the intensity
// images COLORFX and MONOFX, which share its fields and run layout.
//
// Each row is a sequence of little-endian 16-bit control words, each followed
// by the data it announces, ending with 0x0000:
//   bit 15 set       skip n transparent pixels
//   bit 14 set       n level pixels: a level byte, then the pixel pre-faded to it
//   neither          n opaque pixels
// n is the low 14 bits (1..16383).
#ifndef VANTREL_RLEFX_H
#define VANTREL_RLEFX_H

#include <vantrel/win32/types.h>

class VTLHND;

enum : unsigned short { RLE_COUNT = 0x3FFF, RLE_LEVEL = 0x4000, RLE_SKIP = 0x8000 };

// How an image was made, in RLEFX::kind.
enum { RLE_KIND_BLANK = 0, RLE_KIND_BMP = 1, RLE_KIND_TGA = 2, RLE_KIND_RLE = 3 };

class VANTREL_API RLEFX {
public:
    unsigned char* runs;      // run-coded rows, owned; null when empty
    RLEFX* next;              // older image in the owner's list
    RLEFX* prev;              // newer image in the owner's list
    VTLHND* owner;
    unsigned char format;     // display format code the runs were made for
    unsigned char reserved;   // 0
    unsigned char bitsPerPixel;
    unsigned char bytesPerPixel;
    unsigned char kind;       // RLE_KIND_*
    unsigned char* fileData;  // source file bytes in the archive, kept for re-encoding; not owned
    DWORD fileSize;
    LONG width;
    LONG height;

    bool create(int width, int height, unsigned long size);
    bool release();
    // Decodes an RLE file held in memory (24-bit colours) into runs of this
    // image's pixel size: 8 and 16 bits packed through the owner's packColor
    // (or, without an owner, for the image's own `format`), 24 and 32 bits as
    // blue, green, red (and 0).  Level pixels are stored faded to their level.
    // The run buffer is (bytesPerPixel - 3) x pixelCount + size + 100 bytes.
    //
    // A file is checked as it is read and refused whole ("RLEFX::loadRle() -
    // bad run data", false, image left empty) when its header is short, its
    // pixelCount exceeds what the file can hold, a run's data or a row runs
    // past the end of the file, a row's runs add up to more than the width,
    // the runs outgrow the buffer, or bitsPerPixel is not 8, 16, 24 or 32.
    // A skip or level word with a count of 0 ends its row and is written as
    // 0x0000; a word with both kind bits set is read as a skip and written as
    // a plain skip word.  So the runs of an accepted file always draw safely.
    // `kind` is not changed.
    bool loadData(unsigned char* data, unsigned long size);
    bool loadBmp();
    bool loadTga();
    bool loadRle();
    int xSize() const { return width; }
    int ySize() const { return height; }
    operator bool() const { return runs != nullptr; }
    RLEFX& operator=(const RLEFX&) = default; // shallow: the copy shares the runs
};

// Intensity images: one byte per pixel, whatever the display's depth: an
// opaque pixel is (r + g + b) / 3, a level pixel its level and that value
// pre-faded (Fade8 when decoded from an RLE file, Scale8 from a TGA file).
// The two classes differ only in their message texts and in the modes that
// BltMode accepts.
//
// loadData/loadRle: the RLEFX decoder rules and checks, with a buffer of
// size - 2 x pixelCount bytes ("<class>::loadRle() - bad run data" for a
// refused file).  loadBmp: 24-bit uncompressed BMP only (40-byte info header,
// bottom-up or top-down, pixels at the file header's data offset); the
// top-left pixel's colour is transparent.  loadTga: uncompressed true-colour
// TGA (type 2, no colour map) of depth 24 (top-left colour transparent) or
// 32 (alpha 0 skipped, 255 opaque, else a level), rows in either order.
// Other pictures, or pixels that would run past the file's end, give
// "<class>::loadBmp - Failed to load" / "<class>::loadTga - Failed to load"
// and leave the image empty.
//
// Drawing (BITPLANEFX members): on 8-bit surfaces every operation draws, as
// the 8-bit RLE blitter of the same name with the intensity as the palette
// index (Blt blends level pixels, Blt50, ShadowBlt, FadeBlt and BlendBlt
// their effects; MONOFX's BltNoEffects copies like COLORFX's).  BltMode
// keeps its routing: 0, 2, 3 (and 6 for COLORFX) run Blt, 4 and 5 FadeBlt
// with the record's level, anything else nothing.  On 16-, 24- and 32-bit
// surfaces nothing is drawn.  The colour arguments do not change the result.
class VANTREL_API COLORFX : public RLEFX {
public:
    bool create(int width, int height, unsigned long size);
    bool loadBmp();
    bool loadTga();
    bool loadRle();
    bool loadData(unsigned char* data, unsigned long size);
};

class VANTREL_API MONOFX : public RLEFX {
public:
    bool create(int width, int height, unsigned long size);
    bool loadBmp();
    bool loadTga();
    bool loadRle();
    bool loadData(unsigned char* data, unsigned long size);
};

#endif
