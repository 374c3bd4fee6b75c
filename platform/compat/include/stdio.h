// <stdio.h>: the system's, with the calls that take file names reading
// Windows names (see <vantrel/win32/crt_stdio.h>).  fopen and freopen are
// renamed wherever they appear; remove and rename only when called with
// the C library's number of arguments, so that std::remove(first, last,
// value) keeps its meaning.  std::filesystem's remove(path) and
// rename(from, to) are renamed too: a file that includes this header uses
// their error_code forms.
// A stand-in for the system's header: GCC's extension reaches the real one,
// and the pragma keeps pedantic builds of the game quiet about it.
#pragma GCC system_header
#include_next <stdio.h>

#ifndef VANTREL_COMPAT_STDIO_H
#define VANTREL_COMPAT_STDIO_H

#include <vantrel/win32/crt_stdio.h>

#define VANTREL_CRT_FOURTH(a, b, c, chosen, ...) chosen
#define fopen vtl_fopen
#define freopen vtl_freopen
#define remove(...) VANTREL_CRT_FOURTH(__VA_ARGS__, remove, remove, vtl_remove, )(__VA_ARGS__)
#define rename(...) VANTREL_CRT_FOURTH(__VA_ARGS__, rename, vtl_rename, rename, )(__VA_ARGS__)

#endif
