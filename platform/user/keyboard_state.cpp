// GetKeyboardState and SetKeyboardState: the table GetKeyState reads, kept
// as the key messages are read (input_events.h).
#include <vantrel/win32/keyboard_pointer.h>

#include "platform/user/input_events.h"

#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

using namespace vtl;

BOOL GetKeyboardState(PBYTE keys)
{
    VTL_TRACE(frame, "GetKeyboardState", keys);
    if (!keys) {
        setError(ERROR_NOACCESS);
        return vtlTraceCall_.result(FALSE);
    }
    readKeyTable(keys);
    return vtlTraceCall_.result(TRUE);
}

BOOL SetKeyboardState(LPBYTE keys)
{
    VTL_TRACE(user, "SetKeyboardState", keys);
    if (!keys) {
        setError(ERROR_NOACCESS);
        return vtlTraceCall_.result(FALSE);
    }
    writeKeyTable(keys);
    return vtlTraceCall_.result(TRUE);
}
