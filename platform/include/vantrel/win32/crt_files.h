// The C runtime's file and folder calls of <io.h> and <direct.h>, with
// Windows names (see files.h) and Windows results: 0 or -1 with errno set
// (ENOENT, EEXIST, EACCES, ENOTEMPTY).
#ifndef VANTREL_WIN32_CRT_FILES_H
#define VANTREL_WIN32_CRT_FILES_H

#include <vantrel/win32/types.h>

#include <stddef.h>
#include <stdint.h>
#include <time.h>

// `mode` 0: the name exists; 2: may be written; 4: read; 6: both.  The
// permission checks read the owner's permission bits.
VANTREL_API int _access(const char* name, int mode);
VANTREL_API int _unlink(const char* name);
VANTREL_API int _mkdir(const char* name);
VANTREL_API int _rmdir(const char* name);
VANTREL_API int _chdir(const char* name);
// The current folder in Windows form; a null buffer gets one allocated with
// malloc, at least `size` bytes.  Null with errno ERANGE when it does not fit.
VANTREL_API char* _getcwd(char* buffer, int size);


// The folder search of <io.h>, over FindFirstFileA: the same masks and
// order.  -1 with errno ENOENT when nothing (more) matches, EINVAL for a
// handle that is not a search.
#define _A_NORMAL 0x00
#define _A_RDONLY 0x01
#define _A_HIDDEN 0x02
#define _A_SYSTEM 0x04
#define _A_SUBDIR 0x10
#define _A_ARCH 0x20
typedef unsigned long _fsize_t;
struct _finddata_t {
    unsigned attrib;
    time_t time_create;
    time_t time_access;
    time_t time_write;
    _fsize_t size;
    char name[260];
};
VANTREL_API intptr_t _findfirst(const char* pattern, struct _finddata_t* found);
VANTREL_API int _findnext(intptr_t search, struct _finddata_t* found);
VANTREL_API int _findclose(intptr_t search);

#endif
