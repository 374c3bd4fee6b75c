// Loading the system's libraries by name, as games load DirectX to run
// without it or to pick its newest entry point: LoadLibrary("ddraw.dll"),
// then GetProcAddress(module, "DirectDrawCreate").
//
// The libraries a game of the era loads are this platform's own: ddraw.dll,
// dsound.dll, dinput.dll, winmm.dll, wsock32.dll, user32.dll and
// kernel32.dll, named in any case, with or without ".dll" or a folder.
// Each is a distinct module handle; GetProcAddress finds in it the
// functions of that library which the platform has, and fails with
// ERROR_PROC_NOT_FOUND for the others.  Any other name fails with
// ERROR_MOD_NOT_FOUND (and says so once through Msg): no code but the
// platform's is loaded this way.
#ifndef VANTREL_WIN32_MODULES_H
#define VANTREL_WIN32_MODULES_H

#include <vantrel/win32/types.h>

typedef INT_PTR(WINAPI* FARPROC)();

// The platform's libraries are part of the program, as the DLLs a program
// imports are: FreeLibrary succeeds and leaves them loaded, and their
// functions stay callable.  A handle that is none of theirs fails with
// ERROR_MOD_NOT_FOUND.
VANTREL_API HMODULE LoadLibraryA(LPCSTR fileName);
VANTREL_API BOOL FreeLibrary(HMODULE module);
// `name` may be an ordinal (MAKEINTRESOURCE(n)); the platform's libraries
// export names only, so an ordinal fails with ERROR_PROC_NOT_FOUND.
VANTREL_API FARPROC GetProcAddress(HMODULE module, LPCSTR name);

#define LoadLibrary LoadLibraryA

#endif
