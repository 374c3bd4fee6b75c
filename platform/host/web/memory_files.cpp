// Memory of a mapping's own in a page, whose C library has no anonymous
// memory files: a file in the page's memory-backed /tmp, unlinked at once,
// so that it lives only as long as its descriptor and is never kept in the
// browser's storage.
#include "platform/host/file_handles.h"

#include <cstdlib>
#include <unistd.h>

namespace vtl::host {

int makeMemoryFile(uint64_t length)
{
    char name[] = "/tmp/vantrel-mapping-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0)
        return -1;
    unlink(name);
    if (ftruncate(fd, static_cast<off_t>(length)) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace vtl::host
