// On Windows these names are the system's own, from <dinput.h>.
#ifndef VANTREL_WIN32_DINPUT_H
#define VANTREL_WIN32_DINPUT_H

#include <vantrel/win32/types.h>

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0700
#endif
#include <dinput.h>

#endif
