// Views of files on POSIX: the file's own pages (MAP_SHARED), so writes
// and reads through a handle see a view's bytes with nothing to copy.
#include "platform/host/file_handles.h"

#include <sys/mman.h>
#include <unistd.h>

namespace vtl::host {

void closeDescriptor(int descriptor) { close(descriptor); }

void* mapDescriptor(int descriptor, uint64_t offset, size_t length, bool writable, bool privateCopy)
{
    void* view = mmap(nullptr, length, writable ? PROT_READ | PROT_WRITE : PROT_READ,
                      privateCopy ? MAP_PRIVATE : MAP_SHARED, descriptor, static_cast<off_t>(offset));
    return view == MAP_FAILED ? nullptr : view;
}

void unmapView(void* view, size_t length) { munmap(view, length); }

void flushView(void* from, size_t length) { msync(from, length, MS_SYNC); }

void wroteThroughHandle(std::FILE*, const void*, size_t) {}

void readingThroughHandle(std::FILE*) {}

} // namespace vtl::host
