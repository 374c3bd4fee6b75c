// The Microsoft C runtime's string calls that Windows programs use beside
// the standard ones.  As on Windows, `long` in these names is 32 bits: _ltoa
// and _ultoa convert the value's low 32 bits, and in the formats of
// _snprintf and _vsnprintf an l size means 32 bits (%I64d and %I64u are the
// 64-bit conversions).  Case-blind comparisons and case changes are ASCII
// only, as in the runtime's "C" locale.
#ifndef VANTREL_WIN32_CRT_STRINGS_H
#define VANTREL_WIN32_CRT_STRINGS_H

#include <vantrel/win32/types.h>

#include <cstdarg>
#include <cstddef>

VANTREL_API int _stricmp(const char* a, const char* b);
VANTREL_API int _strnicmp(const char* a, const char* b, size_t count);
VANTREL_API int stricmp(const char* a, const char* b);
VANTREL_API int strnicmp(const char* a, const char* b, size_t count);
// A malloc'd copy (free() it), or null for a null string.
VANTREL_API char* _strdup(const char* text);
VANTREL_API char* _strlwr(char* text);
VANTREL_API char* _strupr(char* text);

// At most `count` characters.  When the text is longer the buffer holds its
// first `count` characters with no terminating zero and the result is -1;
// when it is exactly `count` long, no zero either and the result is count.
VANTREL_API int _snprintf(char* buffer, size_t count, const char* format, ...);
VANTREL_API int _vsnprintf(char* buffer, size_t count, const char* format, va_list arguments);

// The value in `radix` (2 to 36, lower-case letters); negative values have
// a minus sign in radix 10 only (other radixes show the two's complement).
VANTREL_API char* _itoa(int value, char* buffer, int radix);
VANTREL_API char* _ltoa(long value, char* buffer, int radix);
VANTREL_API char* _ultoa(unsigned long value, char* buffer, int radix);

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

#endif
