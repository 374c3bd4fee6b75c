// Read-only file mapping for the resource archive, in the shape of the
// Windows calls the archive code was written around: a file handle, a mapping
// handle made from it, and a view of the whole mapping.  The handles are
// opaque; null means failure.
#ifndef VANTREL_SEAM_FILE_MAPPING_H
#define VANTREL_SEAM_FILE_MAPPING_H

#include <vantrel/win32/types.h>

#include <cstddef>

namespace vtl {
// Opens an existing file for reading only.
HANDLE openFileForReading(const char* path);
// A read-only mapping of the whole file.  Refused for an empty file and for
// one of 4 GiB or more, since archive offsets are 32-bit.
HANDLE createReadOnlyMapping(HANDLE file);
// Maps the whole mapping; its length in bytes goes to *length.
void* mapView(HANDLE mapping, size_t* length);
void unmapView(HANDLE mapping, void* view);
void closeMapping(HANDLE mapping);
void closeFile(HANDLE file);
} // namespace vtl

#endif
