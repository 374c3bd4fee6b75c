// <winsock2.h>: the same Winsock; the calls games of the era used are those
// of version 1.1.
#ifndef VANTREL_COMPAT_WINSOCK2_H
#define VANTREL_COMPAT_WINSOCK2_H

#include <winsock.h>

#endif
