// Window messages handled for a while, as a game's loop would between
// frames: the test programs below have no loop of their own.
#ifndef VANTREL_TESTS_WINDOWS_E2E_MESSAGE_PUMP_H
#define VANTREL_TESTS_WINDOWS_E2E_MESSAGE_PUMP_H

#include <vantrel.h>

// Dispatches every waiting message until `milliseconds` have passed, or
// until `done` says so (checked after each batch).
template <typename Done>
bool pumpUntil(DWORD milliseconds, Done done)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (GetTickCount() - start >= milliseconds)
            return false;
        Sleep(5);
    }
}

inline void pumpFor(DWORD milliseconds)
{
    pumpUntil(milliseconds, [] { return false; });
}

#endif
