// The host's calls on open files and mapped memory that the Windows file
// calls need beyond the standard streams: times, lengths and mappings.
#ifndef VANTREL_PLATFORM_HOST_FILE_HANDLES_H
#define VANTREL_PLATFORM_HOST_FILE_HANDLES_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace vtl::host {

// Nanoseconds since 1970.
struct FileTimes {
    int64_t change = 0;
    int64_t access = 0;
    int64_t write = 0;
};
bool readFileTimes(std::FILE* file, FileTimes& times);
// A null time is left as it is.
bool writeFileTimes(std::FILE* file, const int64_t* access, const int64_t* write);

struct PathStatus {
    bool folder = false;
    bool ownerWrites = false;
    uint64_t size = 0;
    FileTimes times;
};
bool pathStatus(const std::string& path, PathStatus& status);

// -1 when the length cannot be read or set.
int64_t fileLength(std::FILE* file);
bool setFileLength(std::FILE* file, uint64_t length);

// Descriptors that a mapping keeps: a copy of an open file's, or memory
// of its own of `length` zero bytes.  -1 on failure.
int duplicateDescriptor(std::FILE* file);
int makeMemoryFile(uint64_t length);
void closeDescriptor(int descriptor);
// Shared pages of the descriptor, or private copies; null on failure.
void* mapDescriptor(int descriptor, uint64_t offset, size_t length, bool writable, bool privateCopy);
void unmapView(void* view, size_t length);
void flushView(void* from, size_t length);
// Called after a write of `length` bytes through an open file's handle and
// before a read through it, for hosts whose views are copies of the file
// rather than its own pages (the web), to keep the two in step.
void wroteThroughHandle(std::FILE* file, const void* bytes, size_t length);
void readingThroughHandle(std::FILE* file);

} // namespace vtl::host

#endif
