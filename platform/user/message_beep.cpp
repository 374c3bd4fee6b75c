#include <vantrel/win32/beep.h>

BOOL MessageBeep(UINT) { return TRUE; }
