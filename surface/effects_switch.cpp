// The effects switch's state, beside the blitters that read it.
#include "surface/effects_switch.h"

namespace {
bool gEffects = true;
}

bool vtl::effectsEnabled() { return gEffects; }
void vtl::setEffectsEnabled(bool on) { gEffects = on; }
