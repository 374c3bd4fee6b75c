// The archive's directory: a 32-bit entry count, then 17-byte records (a
// 32-bit little-endian data offset and a 13-byte NUL-terminated name), the
// last of which is the end entry whose offset is where the data ends.
#ifndef VANTREL_ARCHIVE_ARCHIVE_DIRECTORY_H
#define VANTREL_ARCHIVE_ARCHIVE_DIRECTORY_H

#include <vantrel/win32/types.h>

#include <cstddef>

#include "core/file_check.h"

namespace vtl {
constexpr size_t kDirectoryRecordSize = 17;
constexpr size_t kDirectoryNameSize = 13;
constexpr size_t kMaxEntryNameLength = 12;

inline DWORD readLe32(const void* at)
{
    const unsigned char* p = static_cast<const unsigned char*>(at);
    return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
}

inline DWORD recordOffset(const void* record) { return readLe32(record); }
inline const char* recordName(const void* record)
{
    return static_cast<const char*>(record) + 4;
}
inline const void* nextRecord(const void* record)
{
    return static_cast<const unsigned char*>(record) + kDirectoryRecordSize;
}

// The rules an archive of `length` bytes must keep to be walked safely.
enum class DirectoryRefusal {
    Ok,
    TooShort,         // no room for the entry count: value the length, limit 4
    NoEndEntry,       // an entry count of 0
    DirectoryPastEnd, // field the entry count, value the length, limit where the directory ends
    EntryOutOfOrder,  // field the entry (from 0), value its offset, limit the end of what comes before it
    EntriesPastEnd,   // value the length, limit the end entry's offset
};
using DirectoryCheck = FileCheck<DirectoryRefusal>;

// Checks that the count and every record lie inside the bytes, there is at
// least the end entry, offsets start after the directory, never decrease,
// and the end entry's offset lies within the bytes.
DirectoryCheck checkArchiveDirectory(const unsigned char* bytes, size_t length);
} // namespace vtl

#endif
