// Settings files ("INI" files): sections of key=value lines.
//
// A file name with no folder in it ("GAME.INI") names a file in the Windows
// folder (GetWindowsDirectoryA), as it does on Windows; ".\GAME.INI" or a
// path names the file there.  Names are Windows names (see files.h).
// Sections and keys are matched without regard to case; blanks around names
// and values are ignored, and a value in matching quotes loses them.  Lines
// starting with ';' are comments.  Each call reads the file afresh, so edits
// by another program are seen at once; a write rewrites the file, keeping
// every other line as it was (comments included) and the file's line ends.
#ifndef VANTREL_WIN32_PROFILE_H
#define VANTREL_WIN32_PROFILE_H

#include <vantrel/win32/types.h>

// The value of `key` in `section`, or `fallback` (trailing blanks removed;
// null means "") when the file, section or key is missing.  With a null
// key: every key of the section; with a null section: every section name;
// each name ends with a zero and the list with a second one.  Returns the
// characters copied without the final zero: size - 1 when a value was cut,
// size - 2 when a list was.
VANTREL_API DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer, DWORD size,
                                           LPCSTR fileName);
// The value as a number: leading blanks, a sign, then decimal digits or
// 0x and hexadecimal ones, up to the first other character ("12abc" is 12,
// "abc" is 0).  A missing or empty value gives `fallback`.
VANTREL_API UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT fallback, LPCSTR fileName);
// Sets `key` in `section` to `value`, adding the section and the key at the
// end when missing and the file when it does not exist.  A null value
// deletes the key; a null key deletes the whole section.
VANTREL_API BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);

#define GetPrivateProfileString GetPrivateProfileStringA
#define GetPrivateProfileInt GetPrivateProfileIntA
#define WritePrivateProfileString WritePrivateProfileStringA

#endif
