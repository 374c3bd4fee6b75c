// The Windows string calls.  Strings are ANSI (Windows-1252) bytes.
#ifndef VANTREL_WIN32_STRINGS_H
#define VANTREL_WIN32_STRINGS_H

#include <vantrel/win32/types.h>

#include <cstdarg>

// Formats at most 1024 characters, the terminating zero included, and
// returns the characters written without it.  Conversions: %c %d %i %u %x %X
// %s %p and %%, with the flags - 0 #, a width and a precision.  An l size
// (%ld, %lu, %lX) means 32 bits, as `long` is on Windows: the argument is
// read as a 32-bit value, which is what a DWORD or LONG argument passes.  An
// h size means 16 bits.  There are no floating-point conversions; an unknown
// one is copied as its letter.  A null %s prints "(null)".
VANTREL_API int wsprintfA(LPSTR buffer, LPCSTR format, ...);
VANTREL_API int wvsprintfA(LPSTR buffer, LPCSTR format, va_list arguments);

// Null-safe: a null string has length 0 and copies nothing.
VANTREL_API LPSTR lstrcpyA(LPSTR destination, LPCSTR source);
// Copies at most size - 1 characters and always ends with a zero.
VANTREL_API LPSTR lstrcpynA(LPSTR destination, LPCSTR source, int size);
VANTREL_API LPSTR lstrcatA(LPSTR destination, LPCSTR source);
VANTREL_API int lstrlenA(LPCSTR text);
// Compare the way Windows NT sorts words rather than byte by byte:
// punctuation and symbols before digits, digits before letters, letters in
// alphabetical order whatever their case and accents ("apple" < "Banana",
// "cote" < "côté" < "coter"); then, only where all that is equal, accents
// (none first), case (lower first) and the apostrophes and hyphens, which
// count for nothing before ("coop" < "co-op" < "cork").  lstrcmpiA sorts the
// same way but for case.  -1, 0 or 1; a null string sorts before every
// other, "" included (Windows 9x returned -2 for a null).
VANTREL_API int lstrcmpA(LPCSTR a, LPCSTR b);
VANTREL_API int lstrcmpiA(LPCSTR a, LPCSTR b);

// Convert a string in place and return it; given a single character in the
// low word of the pointer (the high word zero), return that character
// converted in the same place.  Windows-1252 letters convert too.
VANTREL_API LPSTR CharUpperA(LPSTR text);
VANTREL_API LPSTR CharLowerA(LPSTR text);

#define wsprintf wsprintfA
#define wvsprintf wvsprintfA
#define lstrcpy lstrcpyA
#define lstrcpyn lstrcpynA
#define lstrcat lstrcatA
#define lstrlen lstrlenA
#define lstrcmp lstrcmpA
#define lstrcmpi lstrcmpiA
#define CharUpper CharUpperA
#define CharLower CharLowerA

#endif
