// <sys/stat.h>: the system's, with Windows' _stat beside it.
#include_next <sys/stat.h>

#ifndef VANTREL_COMPAT_SYS_STAT_H
#define VANTREL_COMPAT_SYS_STAT_H
#include <vantrel/win32/crt_stat.h>
#endif
