// Whether the test runs under Wine rather than on Windows itself: where
// Wine is known to answer differently from Windows, a test says so and
// skips the check there instead of recording Wine's answer as the truth.
#ifndef VANTREL_TESTS_SUPPORT_WINE_H
#define VANTREL_TESTS_SUPPORT_WINE_H

#ifdef _WIN32
#include <windows.h>
#endif

inline bool runningUnderWine()
{
#ifdef _WIN32
    // Wine's ntdll exports its version; Windows' ntdll has no such entry.
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

#endif
