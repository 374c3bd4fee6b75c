#include <vantrel/win32/beep.h>

#include "platform/kernel/trace.h"

// No sound is made: the host's bell is not a sound the game chose.
BOOL MessageBeep(UINT type)
{
    VTL_TRACE(user, "MessageBeep", type);
    VTL_UNSUPPORTED("MessageBeep", "ignored");
    return vtlTraceCall_.result(TRUE);
}
