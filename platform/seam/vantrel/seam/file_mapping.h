// Read-only file mapping for the resource archive and the CD tracks, in the
// shape of the Windows calls the archive code was written around: a file
// handle, a mapping handle made from it, and a view of the whole mapping.
// The handles are opaque; null means failure.
//
// A mapping holds the file's bytes as they were when it was made: a file that
// is truncated or replaced afterwards changes nothing a reader sees.  The
// bytes live while the mapping, a view or a holdView still uses them.
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
// Keeps the bytes of the view that holds `inside` alive after its mapping and
// view are let go (for a resource that keeps pointing into them).  False, and
// nothing to let go, when `inside` is in no view: an archive linked into the
// program lives as long as the program.
bool holdView(const void* inside);
// Gives back one holdView of the view that holds `inside`.
void letGoView(const void* inside);
} // namespace vtl

#endif
