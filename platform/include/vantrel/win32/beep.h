// The system's alert sounds.
#ifndef VANTREL_WIN32_BEEP_H
#define VANTREL_WIN32_BEEP_H

#include <vantrel/win32/types.h>

#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONASTERISK 0x00000040L

// Asks for the alert sound of `type` (MB_OK, MB_ICON...,  0xFFFFFFFF for a
// simple beep) and returns at once.  There are no system sounds here: the
// call succeeds without playing anything, as it does on a Windows machine
// with its sound scheme set to none.
VANTREL_API BOOL MessageBeep(UINT type);

#endif
