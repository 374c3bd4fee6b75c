// On Windows these names are the system's own, from <winsock.h>.
#ifndef VANTREL_WIN32_WINSOCK_H
#define VANTREL_WIN32_WINSOCK_H

#include <vantrel/win32/types.h>

#include <winsock.h>

#endif
