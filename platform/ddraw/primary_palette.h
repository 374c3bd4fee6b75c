// The system palette of an 8-bit display as the display device holds it:
// while a primary surface of 8 bits lives, its palette is what the screen
// shows, and GDI reports and matches colours against it.
#ifndef VANTREL_PLATFORM_DDRAW_PRIMARY_PALETTE_H
#define VANTREL_PLATFORM_DDRAW_PRIMARY_PALETTE_H

#include <vantrel/win32/types.h>

namespace vtl {

class DDSurface;

struct PrimaryPalette {
    bool paletted = false;   // a primary surface of 8 bits lives
    bool hasPalette = false; // and has a palette, whose entries follow
    PALETTEENTRY entries[256] = {};
};
PrimaryPalette primaryPalette();

// Surfaces record the primary while it lives.
void setLivePrimary(DDSurface* primary);
void clearLivePrimary(DDSurface* primary);

} // namespace vtl

#endif
