// <winsock.h>: Winsock 1.1 on the host's sockets.
#ifndef VANTREL_COMPAT_WINSOCK_H
#define VANTREL_COMPAT_WINSOCK_H

#include <windows.h>
#include <vantrel/win32/winsock.h>

#endif
