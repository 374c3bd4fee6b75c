// The input object as CoCreateInstance(CLSID_DirectInput) makes it: to be
// initialised by the game (IDirectInput::Initialize) before any other call.
#ifndef VANTREL_PLATFORM_DINPUT_DIRECT_INPUT_H
#define VANTREL_PLATFORM_DINPUT_DIRECT_INPUT_H

#include <vantrel/win32/dinput.h>

namespace vtl {

// Null when out of memory.
IUnknown* makeUninitializedInput();

} // namespace vtl

#endif
