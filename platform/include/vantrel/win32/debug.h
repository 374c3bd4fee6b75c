// The debugger output channel.
//
// OutputDebugStringA hands a finished text to the current receiver.  By
// default the receiver writes the text unchanged to standard error; a game
// (or a test) may install its own with VTLSetDebugReceiver, for instance to
// show messages in its own console or to collect them.
#ifndef VANTREL_WIN32_DEBUG_H
#define VANTREL_WIN32_DEBUG_H

#include <vantrel/win32/types.h>

// Receives every debug text.  `user` is the pointer given at installation.
typedef void (*VTLDebugReceiver)(const char* text, void* user);

VANTREL_API void OutputDebugStringA(LPCSTR text);

// Installs `receiver` (called with `user`) in place of the standard-error
// writer; a null receiver restores the default.  Returns the receiver that was
// installed before, so a caller can chain or restore it.
VANTREL_API VTLDebugReceiver VTLSetDebugReceiver(VTLDebugReceiver receiver, void* user);

#endif
