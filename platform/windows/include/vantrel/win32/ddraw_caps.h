// On Windows these names are the system's own, from <ddraw.h>.
#ifndef VANTREL_WIN32_DDRAW_CAPS_H
#define VANTREL_WIN32_DDRAW_CAPS_H

#include <vantrel/win32/types.h>

#include <ddraw.h>

#endif
