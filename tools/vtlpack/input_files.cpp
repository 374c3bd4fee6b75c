// Files read by vtlpack, with the reason when they cannot be: streams would
// throw on a folder (or report nothing useful), so plain POSIX calls are used.
#include "tools/vtlpack/vtlpack.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// An open descriptor on a regular file, or -1 with the reason.
int openRegular(const std::string& path, struct stat& info, std::string& why)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0) {
        why = std::strerror(errno);
    } else if (S_ISDIR(info.st_mode)) {
        why = "is a folder, not a file";
    } else if (!S_ISREG(info.st_mode)) {
        why = "not a regular file";
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}
} // namespace

std::string vtlpack::fileProblem(const std::string& path)
{
    struct stat info;
    std::string why;
    const int fd = openRegular(path, info, why);
    if (fd >= 0)
        ::close(fd);
    return why;
}

bool vtlpack::readWholeFile(const std::string& path, std::string& bytes, std::string& why)
{
    struct stat info;
    const int fd = openRegular(path, info, why);
    if (fd < 0)
        return false;
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, &bytes[got], bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    ::close(fd);
    return true;
}
