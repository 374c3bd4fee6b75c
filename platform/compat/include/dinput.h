// <dinput.h>: the input devices, DirectInput-shaped.
#ifndef VANTREL_COMPAT_DINPUT_H
#define VANTREL_COMPAT_DINPUT_H

#include <windows.h>
#include <vantrel/win32/dinput.h>

#endif
