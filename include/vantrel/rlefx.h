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
    bool loadData(unsigned char* data, unsigned long size);
    bool loadBmp();
    bool loadTga();
    bool loadRle();
    int xSize() const { return width; }
    int ySize() const { return height; }
    operator bool() const { return runs != nullptr; }
    RLEFX& operator=(const RLEFX&) = default; // shallow: the copy shares the runs
};

// Intensity images: one byte per pixel, whatever the display's depth.
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
