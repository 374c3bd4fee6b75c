// The debugger output channel.
//
// OutputDebugStringA hands a finished text to the current receiver.  By
// default the receiver writes the text unchanged to standard error; a game
// (or a test) may install its own with VTLSetDebugReceiver, for instance to
// show messages in its own console or to collect them.
#ifndef VANTREL_WIN32_DEBUG_H
#define VANTREL_WIN32_DEBUG_H

#include <vantrel/win32/types.h>

#include <vantrel/win32/debug_receiver.h>

VANTREL_API void OutputDebugStringA(LPCSTR text);

#endif
