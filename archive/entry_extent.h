// How many bytes a loader may read from a pointer into the open archive.
#ifndef VANTREL_ARCHIVE_ENTRY_EXTENT_H
#define VANTREL_ARCHIVE_ENTRY_EXTENT_H

#include <cstddef>
#include <cstdint>

class VTLHND;

namespace vtl {
constexpr size_t kUnknownExtent = SIZE_MAX;

// The bytes from `data` to the end of the archive entry holding it, when
// `data` points into an entry of the owner's open archive; kUnknownExtent
// when it does not (bytes a game placed there itself, which loaders trust to
// be as long as their header says); 0 for a null pointer.
size_t entryBytesFrom(const VTLHND* owner, const void* data);
} // namespace vtl

#endif
