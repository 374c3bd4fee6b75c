// <objbase.h>: COM start-up and object creation.
#ifndef VANTREL_COMPAT_OBJBASE_H
#define VANTREL_COMPAT_OBJBASE_H

#include <windows.h>
#include <vantrel/win32/objbase.h>

#endif
