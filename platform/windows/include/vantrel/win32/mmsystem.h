// On Windows these names are the system's own, from <mmsystem.h>.
#ifndef VANTREL_WIN32_MMSYSTEM_H
#define VANTREL_WIN32_MMSYSTEM_H

#include <vantrel/win32/types.h>

#include <mmsystem.h>

#endif
