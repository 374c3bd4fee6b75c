// <tchar.h>, ANSI build: every _t name is the char function.
#ifndef VANTREL_COMPAT_TCHAR_H
#define VANTREL_COMPAT_TCHAR_H

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

typedef char _TCHAR;
typedef unsigned char _TUCHAR;
#define _T(text) text
#define _TEXT(text) text
#define _tmain main
#define _tWinMain WinMain

#define _tcscpy std::strcpy
#define _tcsncpy std::strncpy
#define _tcscat std::strcat
#define _tcsncat std::strncat
#define _tcslen std::strlen
#define _tcscmp std::strcmp
#define _tcsncmp std::strncmp
#define _tcsicmp lstrcmpiA
#define _tcschr std::strchr
#define _tcsrchr std::strrchr
#define _tcsstr std::strstr
#define _tcstok std::strtok
#define _tcstol std::strtol
#define _tcstoul std::strtoul
#define _ttoi std::atoi
#define _ttol std::atol
#define _stprintf std::sprintf
#define _sntprintf std::snprintf
#define _tprintf std::printf
#define _ftprintf std::fprintf
#define _stscanf std::sscanf
#define _tfopen std::fopen

#endif
