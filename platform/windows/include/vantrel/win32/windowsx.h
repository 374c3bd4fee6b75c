// On Windows these are the system's own, from <windowsx.h>.
#ifndef VANTREL_WIN32_WINDOWSX_H
#define VANTREL_WIN32_WINDOWSX_H

#include <vantrel/win32/types.h>

#include <windowsx.h>

#endif
