#include <vantrel/win32/beep.h>

#include "platform/kernel/trace.h"

BOOL MessageBeep(UINT) { return TRUE; }
