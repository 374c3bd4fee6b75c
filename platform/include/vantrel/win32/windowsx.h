// The message-cracking macros of <windowsx.h>: as on Windows, not part of
// the base types, so that code that uses them says where they come from.
#ifndef VANTREL_WIN32_WINDOWSX_H
#define VANTREL_WIN32_WINDOWSX_H

#include <vantrel/win32/types.h>

#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))

#endif
