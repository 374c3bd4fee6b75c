// On Windows the system's own headers give every Windows name: this header,
// which the library's public headers include first, brings in <windows.h>
// and marks what the library exports.
//
// <windows.h> is included as a game of the era included it: the whole
// header unless the game asked for WIN32_LEAN_AND_MEAN, ANSI unless it
// defined UNICODE.  Its min and max macros are left to the game (the
// library's own headers do not use those names).
#ifndef VANTREL_WIN32_TYPES_H
#define VANTREL_WIN32_TYPES_H

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Exported by vantrel.dll, imported by the programs that link it; empty in
// the static archive the unit tests link.
#ifndef VANTREL_API
#if defined(VANTREL_STATIC)
#define VANTREL_API
#elif defined(VANTREL_BUILDING_LIBRARY)
#define VANTREL_API __declspec(dllexport)
#else
#define VANTREL_API __declspec(dllimport)
#endif
#endif

#endif
