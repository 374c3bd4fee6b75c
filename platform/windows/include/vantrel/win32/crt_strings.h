// On Windows these names are the C runtime's own.
#ifndef VANTREL_WIN32_CRT_STRINGS_H
#define VANTREL_WIN32_CRT_STRINGS_H

#include <vantrel/win32/types.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#endif
