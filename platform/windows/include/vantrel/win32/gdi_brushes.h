// On Windows these names are the system's own.
#ifndef VANTREL_WIN32_GDI_BRUSHES_H
#define VANTREL_WIN32_GDI_BRUSHES_H

#include <vantrel/win32/types.h>

#endif
