// <sys/stat.h>: the system's, with Windows' _stat beside it.
// A stand-in for the system's header: GCC's extension reaches the real one,
// and the pragma keeps pedantic builds of the game quiet about it.
#pragma GCC system_header
#include_next <sys/stat.h>

#ifndef VANTREL_COMPAT_SYS_STAT_H
#define VANTREL_COMPAT_SYS_STAT_H
#include <vantrel/win32/crt_stat.h>
#endif
