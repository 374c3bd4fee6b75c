// On Windows OutputDebugStringA is the system's own (it goes to the
// debugger); the library's messages go through its receiver, which by
// default writes to standard error and passes the text on to the debugger.
#ifndef VANTREL_WIN32_DEBUG_H
#define VANTREL_WIN32_DEBUG_H

#include <vantrel/win32/types.h>

#include <vantrel/win32/debug_receiver.h>

#endif
