// SDL key codes as virtual-key codes.
#ifndef VANTREL_PLATFORM_BACKENDS_SDL_SDL_KEYS_H
#define VANTREL_PLATFORM_BACKENDS_SDL_SDL_KEYS_H

#include <SDL.h>

namespace vtl {

// 0 for keys that have no virtual-key code.
int virtualKeyOf(SDL_Keycode key);
// The right-hand Shift, Ctrl and Alt and the keypad's Enter, whose virtual
// keys are their left-hand or main twins'.
bool isExtendedTwin(SDL_Scancode scancode);

} // namespace vtl

#endif
