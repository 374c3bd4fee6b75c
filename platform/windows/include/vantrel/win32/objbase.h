// On Windows these names are the system's own, from <objbase.h>.
#ifndef VANTREL_WIN32_OBJBASE_H
#define VANTREL_WIN32_OBJBASE_H

#include <vantrel/win32/types.h>

#include <objbase.h>

#endif
