// LUTFX: an 8-bit index image (with a second one to flip to) drawn through a
// 256-entry table of packed colours with per-entry alpha.
#ifndef VANTREL_LUTFX_H
#define VANTREL_LUTFX_H

#include <vantrel/win32/types.h>

class VTLHND;

class VANTREL_API LUTFX {
public:
    unsigned char* front;  // index image drawn by BITPLANEFX::Blt, owned
    unsigned char* back;   // second index image of the same size, owned
    DWORD* entries;        // 256 entries: packed colour | alpha << 24, owned
    DWORD pitch;           // always width
    VTLHND* owner;         // whose display format SetEntry packs for: the game sets
                           // it (create does not); SetEntry without one does nothing
    LONG width;
    LONG height;

    bool create(unsigned short width, unsigned short height);
    bool release();
    void SetEntry(unsigned char index, unsigned char alpha, unsigned char red, unsigned char green,
                  unsigned char blue);
    void Flip();
    operator bool() const { return front != nullptr; }
    int xSize() const { return width; }
    int ySize() const { return height; }
    LUTFX& operator=(const LUTFX&) = default; // shallow
};

#endif
