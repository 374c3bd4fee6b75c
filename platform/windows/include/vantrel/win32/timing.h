// On Windows these names are the system's own: the kernel's and the
// multimedia timer's.
#ifndef VANTREL_WIN32_TIMING_H
#define VANTREL_WIN32_TIMING_H

#include <vantrel/win32/types.h>

#include <mmsystem.h>

#endif
