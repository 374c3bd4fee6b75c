// _stat of <sys/stat.h> on Windows names, with Windows' mode bits: _S_IFDIR
// or _S_IFREG, _S_IREAD always, _S_IWRITE unless read-only, _S_IEXEC for
// folders.  0, or -1 with errno ENOENT.
#ifndef VANTREL_WIN32_CRT_STAT_H
#define VANTREL_WIN32_CRT_STAT_H

#include <vantrel/win32/types.h>

#include <sys/stat.h>
#include <sys/types.h>
#include <time.h>

#define _S_IFMT 0xF000
#define _S_IFDIR 0x4000
#define _S_IFREG 0x8000
#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080
#define _S_IEXEC 0x0040

#ifdef __cplusplus
extern "C" {
#endif

struct _stat {
    unsigned int st_dev;
    unsigned short st_ino;
    unsigned short st_mode;
    short st_nlink;
    short st_uid;
    short st_gid;
    unsigned int st_rdev;
    long st_size;
    // The C library names st_atime, st_mtime and st_ctime as the seconds
    // of these, so a game's "status.st_mtime" reads the same here.
    struct timespec st_atim;
    struct timespec st_mtim;
    struct timespec st_ctim;
};
VANTREL_API int _stat(const char* name, struct _stat* status);

#ifdef __cplusplus
}
#endif

#endif
