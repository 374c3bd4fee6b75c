// <direct.h>: the C runtime's folder calls.
#ifndef VANTREL_COMPAT_DIRECT_H
#define VANTREL_COMPAT_DIRECT_H

#include <vantrel/win32/crt_files.h>

#endif
