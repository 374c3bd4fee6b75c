// The last error, as the platform's own code sets it.
//
// Every emulated interface reports its failures here, so it lives with the
// kernel, below the window system and GDI.  The codes are the public ones of
// <vantrel/win32/errors.h>: a game compares GetLastError() with them, so the
// platform has no list of its own to drift from theirs.
//
// The last error belongs to the calling thread, as on Windows: a failure on
// one thread never changes what another thread's GetLastError() reads, and a
// new thread starts with 0.
#ifndef VANTREL_PLATFORM_KERNEL_LAST_ERROR_H
#define VANTREL_PLATFORM_KERNEL_LAST_ERROR_H

#include <vantrel/win32/errors.h>
#include <vantrel/win32/types.h>

namespace vtl {

// SetLastError without going through the public entry point, for failures
// the platform reports inside its own calls.
void setError(DWORD error);

} // namespace vtl

#endif
