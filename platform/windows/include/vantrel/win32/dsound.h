// On Windows these names are the system's own, from <dsound.h>.
#ifndef VANTREL_WIN32_DSOUND_H
#define VANTREL_WIN32_DSOUND_H

#include <vantrel/win32/types.h>

#include <dsound.h>

#endif
