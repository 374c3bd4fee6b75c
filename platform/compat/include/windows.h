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
#include <vantrel/win32/clipboard.h>
#include <vantrel/win32/crt_strings.h>
#include <vantrel/win32/cursor.h>
#include <vantrel/win32/debug.h>
#include <vantrel/win32/display_settings.h>
#include <vantrel/win32/drives.h>
#include <vantrel/win32/errors.h>
#include <vantrel/win32/file_system.h>
#include <vantrel/win32/files.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/gdi_bitmaps.h>
#include <vantrel/win32/gdi_brushes.h>
#include <vantrel/win32/gdi_fonts.h>
#include <vantrel/win32/gdi_palettes.h>
#include <vantrel/win32/keyboard_pointer.h>
#include <vantrel/win32/memory.h>
#include <vantrel/win32/modules.h>
#include <vantrel/win32/profile.h>
#include <vantrel/win32/rectangles.h>
#include <vantrel/win32/registry.h>
#include <vantrel/win32/resources.h>
#include <vantrel/win32/strings.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/system.h>
#include <vantrel/win32/timing.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/window_calls.h>
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

// The compiler words of Windows source.  The calling conventions mean
// nothing on this system's one convention; __declspec takes the attributes
// games put in it: dllexport makes a name visible from the program,
// selectany lets every translation unit define the same variable,
// noreturn, align(n), thread and deprecated mean what they say.
#ifndef __int64
#define __int64 long long
#endif
#ifndef __int32
#define __int32 int
#endif
#ifndef __int16
#define __int16 short
#endif
#ifndef __int8
#define __int8 char
#endif
#ifndef _cdecl
#define _cdecl
#endif
#ifndef __cdecl
#define __cdecl
#endif
#ifndef __stdcall
#define __stdcall
#endif
#ifndef _stdcall
#define _stdcall
#endif
#ifndef __fastcall
#define __fastcall
#endif
#ifndef __declspec
#define __declspec(attribute) VANTREL_DECLSPEC_##attribute
#define VANTREL_DECLSPEC_dllexport __attribute__((visibility("default")))
#define VANTREL_DECLSPEC_dllimport
#define VANTREL_DECLSPEC_selectany __attribute__((weak))
#define VANTREL_DECLSPEC_noreturn __attribute__((noreturn))
#define VANTREL_DECLSPEC_nothrow __attribute__((nothrow))
#define VANTREL_DECLSPEC_novtable
#define VANTREL_DECLSPEC_thread __thread
#define VANTREL_DECLSPEC_deprecated __attribute__((deprecated))
#define VANTREL_DECLSPEC_align(bytes) __attribute__((aligned(bytes)))
#endif

// No min and max macros, as with mingw-w64 in C++: its C++ library
// defines NOMINMAX before <windows.h> is read, since the macros would break
// its own std::min and std::max (and numeric_limits' members).  C++ ports
// call std::min and std::max, as they must with that compiler.
#ifndef NOMINMAX
#define NOMINMAX 1
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
