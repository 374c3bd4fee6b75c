// <windows.h> for games written for the Windows version: the platform
// layer's Windows names under the header name such games include.  Part of
// the opt-in Vantrel::win32 target (pkg-config vantrel-win32); games that
// include only <vantrel.h> never see this folder.
//
// As on Windows, WIN32_LEAN_AND_MEAN leaves out the multimedia system and
// Winsock.
#ifndef VANTREL_COMPAT_WINDOWS_H
#define VANTREL_COMPAT_WINDOWS_H

#include <vantrel/win32/types.h>
#include <vantrel/win32/beep.h>
#include <vantrel/win32/cursor.h>
#include <vantrel/win32/debug.h>
#include <vantrel/win32/errors.h>
#include <vantrel/win32/files.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/memory.h>
#include <vantrel/win32/profile.h>
#include <vantrel/win32/strings.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/timing.h>
#include <vantrel/win32/window.h>
#ifndef WIN32_LEAN_AND_MEAN
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/winsock.h>
#endif

// Calling conventions and pointer qualifiers of 16- and 32-bit code mean
// nothing here.
#ifndef PASCAL
#define PASCAL
#endif
#ifndef FAR
#define FAR
#endif
#ifndef NEAR
#define NEAR
#endif
#ifndef far
#define far
#endif
#ifndef near
#define near
#endif
#ifndef CONST
#define CONST const
#endif

// Text: ANSI only.
typedef char TCHAR;
typedef LPSTR LPTSTR;
typedef LPCSTR LPCTSTR;
typedef LPSTR PSTR;
typedef LPCSTR PCSTR;
#ifndef TEXT
#define TEXT(text) text
#endif

typedef HANDLE HGLOBAL;

#define OutputDebugString OutputDebugStringA

// The game's entry point, called by the Vantrel::win32 target's main() with
// the program's module handle, no previous instance, the command line after
// the program's name and SW_SHOWNORMAL.  C linkage, as Windows declares it,
// so the game's definition needs no change.
#ifdef __cplusplus
extern "C"
#endif
    int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

#endif
