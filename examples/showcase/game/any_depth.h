// The scene's effects at every depth the configuration dialog offers.  The
// library draws lookup images and scaled blits on 16-bit surfaces only, the
// alpha blit on 8- and 16-bit ones and the quadrant blend on all but 32-bit
// ones; elsewhere those calls leave the surface as it was.  At those depths
// these helpers draw the same picture themselves, pixel by pixel through
// the primitives that serve every depth (getPixel, putPixel, putPixelBlend):
// slower, but the player sees the fog, the glow, the panel, the title and
// the sand edges whichever depth they chose.
#ifndef SHOWCASE_ANY_DEPTH_H
#define SHOWCASE_ANY_DEPTH_H

#include <vantrel.h>

// `part` of `lut` (already clipped to `dst`) with its corner at `at`.
void blitLut(BITPLANEFX& dst, LUTFX& lut, POINT at, RECT part);
// The whole of `src` over `dst` through src's alpha plane.
void blitAlpha(BITPLANEFX& dst, BITPLANEFX& src, POINT at);
// The whole of `src` stretched to width x height, blended at `level`
// (255: a plain copy).
void blitScaled(BITPLANEFX& dst, BITPLANEFX& src, POINT at, int width, int height, unsigned char level = 255);
// The area at half brightness.
void shadeArea(BITPLANEFX& dst, int x, int y, int width, int height);
// The 68 x 34 `patch` made of `ground` and `sand` mixed through the 34 x 17
// edge map, mirrored into each quarter, so that the sand fades out towards
// the block's edges.
void blendSandPatch(BITPLANEFX& patch, BITPLANEFX& ground, BITPLANEFX& sand, ALPHAFX& edge);

#endif
