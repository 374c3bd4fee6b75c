#include "archive/entry_extent.h"

#include <vantrel/vtlhnd.h>

#include "archive/archive_directory.h"

// The directory was checked when the archive was opened: offsets never
// decrease and the end entry's offset lies within the bytes, so a binary
// search finds the entry whose range holds the pointer.
size_t vtl::entryBytesFrom(const VTLHND* owner, const void* data)
{
    if (!data)
        return 0;
    if (!owner || !owner->directory || !owner->view || owner->entryCount < 2)
        return kUnknownExtent;
    const unsigned char* view = static_cast<const unsigned char*>(owner->view);
    const unsigned char* p = static_cast<const unsigned char*>(data);
    if (p < view || p > view + owner->archiveEnd)
        return kUnknownExtent;
    // An empty entry at the very end of the archive points just past its
    // last byte: it is still the archive's, with nothing to read.
    if (p == view + owner->archiveEnd)
        return 0;
    const uint64_t at = static_cast<uint64_t>(p - view);
    const unsigned char* records = static_cast<const unsigned char*>(owner->directory);
    // First record whose offset lies beyond `at`; the end entry's always does.
    size_t low = 0, high = owner->entryCount - 1;
    while (low < high) {
        const size_t mid = low + (high - low) / 2;
        if (recordOffset(records + mid * kDirectoryRecordSize) > at)
            high = mid;
        else
            low = mid + 1;
    }
    if (low == 0)
        return static_cast<size_t>(owner->archiveEnd - at); // the directory: bound by the archive
    return static_cast<size_t>(recordOffset(records + low * kDirectoryRecordSize) - at);
}
