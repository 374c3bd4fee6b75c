// A backend switch outside the backends' folder: the layering check must
// refuse it.
#ifdef VANTREL_HAVE_SDL2
#endif
// Past the host seam: only platform/host/ may include a host system's files.
#include "platform/host/posix/sockets_posix.h"
