// FastFile: a cursor on one archive entry.  Positions are offsets from the
// start of the archive; bounds arithmetic is done in 64 bits so that no
// count a game passes can wrap around a check.
#include <vantrel/core.h>
#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>

#include <cstdint>
#include <cstring>

#include "archive/archive_directory.h"
#include "archive/ascii_case.h"

namespace {
int64_t entryStart(const FastFile& f) { return vtl::recordOffset(f.entry); }
int64_t entryEnd(const FastFile& f) { return vtl::recordOffset(vtl::nextRecord(f.entry)); }
const unsigned char* archiveBytes(const FastFile& f)
{
    return static_cast<const unsigned char*>(f.owner->view);
}
} // namespace

bool FastFile::open(VTLHND* handle, const char* name)
{
    owner = handle;
    if (!handle || !handle->directory) {
        Msg("FastFileOpen: not initialized\r\n");
        return false;
    }
    if (!name || name[0] == '\0') {
        Msg("FastFileOpen: invalid name\r\n");
        return false;
    }
    // The end entry is not searched: it has no data and no successor to
    // give its size, so even a named end entry is not found.  A name too long
    // for a record is not found either.
    if (std::strlen(name) <= vtl::kMaxEntryNameLength) {
        const unsigned char* record = static_cast<const unsigned char*>(handle->directory);
        for (DWORD i = 0; i + 1 < handle->entryCount; ++i, record += vtl::kDirectoryRecordSize) {
            if (!vtl::equalsIgnoringAsciiCase(vtl::recordName(record), name,
                                              vtl::kDirectoryNameSize))
                continue;
            state = 1;
            position = vtl::recordOffset(record);
            size = vtl::recordOffset(vtl::nextRecord(record)) - position;
            entry = const_cast<unsigned char*>(record);
            return true;
        }
    }
    Msg("FastFileOpen: File \"%s\" not found.", name);
    return false;
}

bool FastFile::close()
{
    if (state == 1) {
        state = 0;
        return true;
    }
    Msg("FastFileClose: invalid handle\r\n");
    return false;
}

void* FastFile::lock(LONG offset, LONG count)
{
    if (state != 1) {
        Msg("FastFileLock: invalid handle\r\n");
        return nullptr;
    }
    if (count < 0) {
        Msg("FastFileLock: invalid size\r\n");
        return nullptr;
    }
    if (int64_t(offset) + count > int64_t(size)) {
        Msg("FastFileLock: read past end of file\r\n");
        return nullptr;
    }
    ++owner->lockCount;
    return const_cast<unsigned char*>(archiveBytes(*this)) + position + offset;
}

bool FastFile::unlock(LONG offset, LONG count)
{
    if (state != 1) {
        Msg("FastFileUnlock: invalid handle\r\n");
        return false;
    }
    if (count < 0) {
        Msg("FastFileUnlock: invalid size\r\n");
        return false;
    }
    if (int64_t(offset) + count > entryEnd(*this)) {
        Msg("FastFileUnlock: read past end of file\r\n");
        return false;
    }
    --owner->lockCount;
    return true;
}

bool FastFile::read(void* destination, LONG count)
{
    if (state != 1) {
        Msg("FastFileRead: invalid handle\r\n");
        return false;
    }
    if (count < 0) {
        Msg("FastFileRead: invalid size\r\n");
        return false;
    }
    if (int64_t(position) + count > entryEnd(*this)) {
        Msg("FastFileRead: read past end of file\r\n");
        return false;
    }
    if (count > 0)
        std::memcpy(destination, archiveBytes(*this) + position, size_t(count));
    position += DWORD(count);
    return true;
}

bool FastFile::seek(LONG offset, DWORD origin)
{
    if (state != 1)
        return false;
    const int64_t start = entryStart(*this), end = entryEnd(*this);
    int64_t target;
    switch (origin) {
    case 0:
        if (offset < 0 || offset >= int64_t(size))
            return false;
        target = start + offset;
        break;
    case 2:
        if (offset < 0 || offset >= int64_t(size))
            return false;
        target = end - offset;
        break;
    case 1:
        target = int64_t(position) + offset;
        if (target < start || target >= end)
            return false;
        break;
    default:
        return false;
    }
    position = DWORD(target);
    return true;
}

LONG FastFile::tell()
{
    if (state != 1)
        return -1;
    return LONG(int64_t(position) - entryStart(*this));
}

DWORD FastFile::fSize() { return size; }
