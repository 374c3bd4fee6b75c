// Reading a whole file from its start: what the file mappings are made of.
#ifndef VANTREL_PLATFORM_HOST_FILE_READING_H
#define VANTREL_PLATFORM_HOST_FILE_READING_H

#include <cstddef>
#include <cstdint>

namespace vtl::host {

struct ReadableFile;

// An existing file opened for reading; null for a missing path or a folder.
ReadableFile* openReadable(const char* path);
// Its size in bytes now; 0 when it cannot be told.
uint64_t sizeOf(ReadableFile* file);
// Reads up to `length` bytes from the start into `out`; how many it read.
size_t readFromStart(ReadableFile* file, unsigned char* out, size_t length);
void closeReadable(ReadableFile* file);

} // namespace vtl::host

#endif
