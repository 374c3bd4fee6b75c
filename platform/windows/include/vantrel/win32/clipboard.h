// On Windows these names are the system's own, from <windows.h>.
#ifndef VANTREL_WIN32_CLIPBOARD_H
#define VANTREL_WIN32_CLIPBOARD_H

#include <vantrel/win32/types.h>

#endif
