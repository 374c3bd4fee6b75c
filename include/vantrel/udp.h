// UDP, datagram networking with window-message notification.
#ifndef VANTREL_UDP_H
#define VANTREL_UDP_H

#include <vantrel/win32/types.h>

class UDP;

#endif
