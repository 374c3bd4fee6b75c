// ALPHAFX: an alpha map (one byte per pixel) and the quadrant blend it drives.
#ifndef VANTREL_ALPHAFX_H
#define VANTREL_ALPHAFX_H

#include <vantrel/win32/types.h>

class VTLHND;
class BITPLANEFX;

class VANTREL_API ALPHAFX {
public:
    unsigned char* map;       // width x height bytes, owned; null when empty
    DWORD pitch;              // always width
    ALPHAFX* next;
    ALPHAFX* prev;
    VTLHND* owner;            // its archive is what loadBmp reads
    unsigned char format;     // not used
    unsigned char reserved;
    unsigned char bitsPerPixel;
    unsigned char bytesPerPixel;
    LONG width;
    LONG height;

    bool create(int width, int height);
    bool release();
    bool loadBmp(const char* name);
    operator bool() const { return map != nullptr; }
    int xSize() const { return width; }
    int ySize() const { return height; }
    ALPHAFX& operator=(const ALPHAFX&) = default; // shallow: the copy shares the map
};

// Blends one quarter (0-3) of a 68 x 34 block into the destination, whose
// top-left corner is (x, y): each pixel mixes a's pixel of that quarter with
// b's pixel of the diagonally opposite quarter under the 34 x 17 alpha map,
// mirrored to suit the quarter (alpha 0 takes a, 255 takes b).  Nothing is
// clipped: a block or a source quarter that does not lie inside its surface,
// a map smaller than 34 x 17 or another quarter number draws nothing.
// 32-bit destinations are left unchanged.
VANTREL_API void BlendPosNeg(int x, int y, BITPLANEFX* destination, BITPLANEFX* a, BITPLANEFX* b,
                             ALPHAFX* map, int quarter);

#endif
