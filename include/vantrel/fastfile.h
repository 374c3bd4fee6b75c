// FastFile: a read cursor on one entry of the resource archive opened with
// VTLHND::FastFileInit.
#ifndef VANTREL_FASTFILE_H
#define VANTREL_FASTFILE_H

#include <vantrel/win32/types.h>

class VTLHND;

class VANTREL_API FastFile {
public:
    VTLHND* owner;
    DWORD state;     // 1 while open
    DWORD position;  // offset from the start of the archive
    DWORD size;      // size of the entry
    void* entry;     // the entry's directory record

    bool open(VTLHND* owner, char* name);
    bool close();
    bool read(void* destination, LONG count);
    bool seek(LONG offset, DWORD origin);
    LONG tell();
    void* lock(LONG offset, LONG size);
    bool unlock(LONG offset, LONG size);
    DWORD fSize();
    FastFile& operator=(const FastFile&) = default;
};

// True when `name` ends in "." and the three characters of `extension`
// (compared case-sensitively).
VANTREL_API bool HasExtension(const char* name, const char* extension);

#endif
