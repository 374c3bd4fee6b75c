// Where debug texts go: by default to standard error, unchanged; a game (or a
// test) may install its own receiver, for instance to show messages in its
// own console or to collect them.  On Windows the default receiver also
// passes each text to the debugger.
#ifndef VANTREL_WIN32_DEBUG_RECEIVER_H
#define VANTREL_WIN32_DEBUG_RECEIVER_H

#include <vantrel/win32/types.h>

// Receives every debug text.  `user` is the pointer given at installation.
typedef void (*VTLDebugReceiver)(const char* text, void* user);

// Installs `receiver` (called with `user`) in place of the standard-error
// writer; a null receiver restores the default.  Returns the receiver that was
// installed before, so a caller can chain or restore it.
VANTREL_API VTLDebugReceiver VTLSetDebugReceiver(VTLDebugReceiver receiver, void* user);

// Hands `text` to the current receiver: what the library's messages go
// through.  OutputDebugStringA does the same on Linux.
VANTREL_API void VTLDebugText(const char* text);

#endif
