// Memory of a mapping's own in a page, whose C library has no anonymous
// memory files: a file in the page's memory-backed /tmp, unlinked at once,
// so that it lives only as long as its descriptor and is never kept in the
// browser's storage.
#include "platform/host/web/memory_files.h"

#include "platform/host/file_handles.h"

#include <fcntl.h>
#include <set>
#include <string>
#include <unistd.h>

namespace vtl::host {

namespace {

// The page has one thread: no lock.
std::set<int>& memoryFiles()
{
    static std::set<int> files;
    return files;
}

} // namespace

int makeMemoryFile(uint64_t length)
{
    // Numbered names rather than mkstemp's: its names come from the clock,
    // which a page reads too coarsely for a few files made in one moment.
    static unsigned made = 0;
    int fd = -1;
    for (int tries = 0; fd < 0 && tries < 100; ++tries) {
        const std::string name = "/tmp/vantrel-mapping-" + std::to_string(++made);
        fd = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
        if (fd >= 0)
            unlink(name.c_str());
    }
    if (fd < 0)
        return -1;
    if (ftruncate(fd, static_cast<off_t>(length)) != 0) {
        close(fd);
        return -1;
    }
    memoryFiles().insert(fd);
    return fd;
}

bool isMemoryFile(int descriptor) { return memoryFiles().count(descriptor) != 0; }

void forgetMemoryFile(int descriptor) { memoryFiles().erase(descriptor); }

} // namespace vtl::host
