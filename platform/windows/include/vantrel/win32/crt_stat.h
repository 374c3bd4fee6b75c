// On Windows _stat is the C runtime's own.
#ifndef VANTREL_WIN32_CRT_STAT_H
#define VANTREL_WIN32_CRT_STAT_H

#include <sys/stat.h>

#endif
