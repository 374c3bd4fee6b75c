// On Windows these names are the system's own.
#ifndef VANTREL_WIN32_RESOURCES_H
#define VANTREL_WIN32_RESOURCES_H

#include <vantrel/win32/types.h>

#endif
