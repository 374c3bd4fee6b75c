// The process-wide effects switch: when off, RLE images draw without their
// effects.  Read in the blitters, written by gfxBegin and gfxEnableEffects.
#ifndef VANTREL_SURFACE_EFFECTS_SWITCH_H
#define VANTREL_SURFACE_EFFECTS_SWITCH_H

namespace vtl {
bool effectsEnabled();
void setEffectsEnabled(bool on);
} // namespace vtl

#endif
