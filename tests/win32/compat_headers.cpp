// The Windows header names, all in one translation unit as a game's would
// include them, built with -Werror -pedantic-errors; and the names they
// bring in resolving to the platform layer's calls.
#include <windows.h>
#include <windowsx.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <ddraw.h>
#include <dsound.h>
#include <objbase.h>
#include <winsock.h>
#include <winsock2.h>
#include <tchar.h>
#include <io.h>
#include <direct.h>

#include <vantrel.h>

#include <gtest/gtest.h>

TEST(CompatHeaders, TheWindowsNamesReachThePlatformLayer)
{
    TCHAR text[64];
    _tcscpy(text, _T("Level "));
    lstrcat(text, TEXT("1"));
    EXPECT_EQ(lstrlen(text), 7);
    char formatted[32];
    wsprintf(formatted, "%lu", static_cast<DWORD>(timeGetTime() * 0 + 42));
    EXPECT_STREQ(formatted, "42");
    EXPECT_EQ(GET_WM_COMMAND_ID(MAKEWPARAM(7, 1), 0), 7);
    const DWORD ticks = GetTickCount();
    (void)ticks;
    LPCTSTR name = _T("x");
    EXPECT_EQ(name[0], 'x');
}
