// The C runtime's calls of <stdio.h> that take file names, on Windows names
// ("Data\\Scores.dat") through the same resolution as CreateFileA.  The
// compatibility <stdio.h> turns fopen, freopen, remove and rename into
// these in the files that include it; the rest of the process, the library
// included, keeps the system's own.
#ifndef VANTREL_WIN32_CRT_STDIO_H
#define VANTREL_WIN32_CRT_STDIO_H

#include <stdio.h>

#include <vantrel/win32/types.h>

#ifdef __cplusplus
extern "C" {
#endif

// The mode's "t" (text, which is binary here) is taken out; "b", "+",
// "r", "w" and "a" mean what they say.
VANTREL_API FILE* vtl_fopen(const char* name, const char* mode);
VANTREL_API FILE* vtl_freopen(const char* name, const char* mode, FILE* stream);
// As on Windows: remove takes files only (EACCES for a folder), and
// rename does not replace an existing target (EACCES), but renames folders.
VANTREL_API int vtl_remove(const char* name);
VANTREL_API int vtl_rename(const char* from, const char* to);

#ifdef __cplusplus
}
namespace std {
using ::vtl_fopen;
using ::vtl_freopen;
using ::vtl_remove;
using ::vtl_rename;
} // namespace std
#endif

#endif
