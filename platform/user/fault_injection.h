// Failures on demand, so that tests reach the error paths of code built on
// the window system (a window that can not be created, a timer refused...).
// Armed through the headless backend's test hooks; costs one relaxed load
// per call when nothing is armed.
#ifndef VANTREL_PLATFORM_USER_FAULT_INJECTION_H
#define VANTREL_PLATFORM_USER_FAULT_INJECTION_H

#include <vantrel/win32/types.h>

namespace vtl {

enum class WinCall {
    kRegisterClass,
    kUnregisterClass,
    kCreateWindow,
    kDestroyWindow,
    kSetWindowLong,
    kSetTimer,
    kKillTimer,
    kMoveWindow,
    kSetWindowPos,
    kGetWindowRect,
    kGetClientRect,
    kShowWindow,
    kUpdateWindow,
    kLoadIcon,
    kLoadCursor,
    kCreateFont,
    kCount
};

// The next `count` calls of `call` fail, setting the thread's last error to
// `error`.
void failNextCalls(WinCall call, int count, DWORD error);
void clearInjectedFailures();
// True (and last error set) when this call is to fail.
bool injectedFailure(WinCall call);

} // namespace vtl

#endif
