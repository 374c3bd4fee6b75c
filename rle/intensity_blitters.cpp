// Drawing COLORFX and MONOFX images.  Their runs hold one byte per pixel,
// laid out exactly as an 8-bit RLEFX image's, so on 8-bit surfaces each
// operation is the 8-bit RLE blitter of the same name with the intensity as
// the palette index.  Other depths draw nothing; the colour argument never
// changes the result.
#include <vantrel/bitplanefx.h>
#include <vantrel/rlefx.h>

namespace {

bool drawsOn(const BITPLANEFX& surface) { return surface.bitsPerPixel == 8; }

} // namespace

void BITPLANEFX::BltNoEffects(COLORFX* image, POINT point, unsigned long)
{
    if (drawsOn(*this))
        BltNoEffects(static_cast<RLEFX*>(image), point);
}
void BITPLANEFX::Blt(COLORFX* image, POINT point, unsigned long)
{
    if (drawsOn(*this))
        Blt(static_cast<RLEFX*>(image), point);
}
void BITPLANEFX::Blt50(COLORFX* image, POINT point, unsigned long)
{
    if (drawsOn(*this))
        Blt50(static_cast<RLEFX*>(image), point);
}
void BITPLANEFX::ShadowBlt(COLORFX* image, POINT point, unsigned long)
{
    if (drawsOn(*this))
        ShadowBlt(static_cast<RLEFX*>(image), point);
}
void BITPLANEFX::FadeBlt(COLORFX* image, POINT point, unsigned char level, unsigned long)
{
    if (drawsOn(*this))
        FadeBlt(static_cast<RLEFX*>(image), point, level);
}
void BITPLANEFX::BlendBlt(COLORFX* image, POINT point, unsigned char level, unsigned long)
{
    if (drawsOn(*this))
        BlendBlt(static_cast<RLEFX*>(image), point, level);
}

void BITPLANEFX::BltNoEffects(MONOFX* image, POINT point, unsigned long)
{
    if (drawsOn(*this))
        BltNoEffects(static_cast<RLEFX*>(image), point);
}
void BITPLANEFX::Blt(MONOFX* image, POINT point, unsigned long)
{
    if (drawsOn(*this))
        Blt(static_cast<RLEFX*>(image), point);
}
void BITPLANEFX::Blt50(MONOFX* image, POINT point, unsigned long)
{
    if (drawsOn(*this))
        Blt50(static_cast<RLEFX*>(image), point);
}
void BITPLANEFX::ShadowBlt(MONOFX* image, POINT point, unsigned long)
{
    if (drawsOn(*this))
        ShadowBlt(static_cast<RLEFX*>(image), point);
}
void BITPLANEFX::FadeBlt(MONOFX* image, POINT point, unsigned char level, unsigned long)
{
    if (drawsOn(*this))
        FadeBlt(static_cast<RLEFX*>(image), point, level);
}
void BITPLANEFX::BlendBlt(MONOFX* image, POINT point, unsigned char level, unsigned long)
{
    if (drawsOn(*this))
        BlendBlt(static_cast<RLEFX*>(image), point, level);
}

// The mode values reach the operations as they always have: 0, 2, 3 (and 6
// for COLORFX) the plain Blt with the mode's colour, 4 and 5 FadeBlt with the
// mode's level.
void BITPLANEFX::BltMode(COLORFX* image, POINT point, BLITMODE* mode)
{
    if (!mode)
        return;
    switch (mode->mode) {
    case 0: case 2: case 3: case 6: return Blt(image, point, mode->color);
    case 4: case 5: return FadeBlt(image, point, mode->level, mode->color);
    default: return;
    }
}

void BITPLANEFX::BltMode(MONOFX* image, POINT point, BLITMODE* mode)
{
    if (!mode)
        return;
    switch (mode->mode) {
    case 0: case 2: case 3: return Blt(image, point, mode->color);
    case 4: case 5: return FadeBlt(image, point, mode->level, mode->color);
    default: return;
    }
}
