// Memory of a mapping's own on Linux: an anonymous memory file.
#include "platform/host/file_handles.h"

#include <sys/mman.h>
#include <unistd.h>

namespace vtl::host {

int makeMemoryFile(uint64_t length)
{
    const int fd = memfd_create("vantrel-mapping", MFD_CLOEXEC);
    if (fd >= 0 && ftruncate(fd, static_cast<off_t>(length)) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace vtl::host
