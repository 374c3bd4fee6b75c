// On Windows these names are the system's own.
#ifndef VANTREL_WIN32_KEYBOARD_POINTER_H
#define VANTREL_WIN32_KEYBOARD_POINTER_H

#include <vantrel/win32/types.h>

#endif
