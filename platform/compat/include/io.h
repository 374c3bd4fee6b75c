// <io.h>: the C runtime's file calls that take names.
#ifndef VANTREL_COMPAT_IO_H
#define VANTREL_COMPAT_IO_H

#include <vantrel/win32/crt_files.h>

#endif
