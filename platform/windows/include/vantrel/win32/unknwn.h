// On Windows these names are the system's own, from <unknwn.h>.
#ifndef VANTREL_WIN32_UNKNWN_H
#define VANTREL_WIN32_UNKNWN_H

#include <vantrel/win32/types.h>

#include <unknwn.h>

#endif
