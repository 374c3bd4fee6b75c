// On Windows these are the C runtime's own.
#ifndef VANTREL_WIN32_CRT_FILES_H
#define VANTREL_WIN32_CRT_FILES_H

#include <direct.h>
#include <io.h>

#endif
