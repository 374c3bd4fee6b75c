// The C runtime's file and folder calls of <io.h> and <direct.h>, with
// Windows names (see files.h) and Windows results: 0 or -1 with errno set
// (ENOENT, EEXIST, EACCES, ENOTEMPTY).
#ifndef VANTREL_WIN32_CRT_FILES_H
#define VANTREL_WIN32_CRT_FILES_H

#include <vantrel/win32/types.h>

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

#endif
