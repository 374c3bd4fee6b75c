// <ddraw.h>: the display, DirectDraw-shaped.
#ifndef VANTREL_COMPAT_DDRAW_H
#define VANTREL_COMPAT_DDRAW_H

#include <windows.h>
#include <vantrel/win32/ddraw.h>

#endif
