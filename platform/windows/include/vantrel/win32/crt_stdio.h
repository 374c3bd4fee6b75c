// On Windows fopen and its kin take Windows names themselves.
#ifndef VANTREL_WIN32_CRT_STDIO_H
#define VANTREL_WIN32_CRT_STDIO_H

#include <stdio.h>

#endif
