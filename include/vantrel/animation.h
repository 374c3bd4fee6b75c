// Animation, frame sets (ANIMATIONFX), sprites and animated tiles.
#ifndef VANTREL_ANIMATION_H
#define VANTREL_ANIMATION_H

#include <vantrel/win32/types.h>

class ANIMATIONFX;

#endif
