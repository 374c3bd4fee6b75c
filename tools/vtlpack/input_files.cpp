// Files read by vtlpack, with the reason when they cannot be: streams would
// throw on a folder (or report nothing useful), so plain POSIX calls are used.
// Files are opened without blocking: opening a named pipe for reading waits
// for a writer, and a build script that names one by mistake must get its
// refusal, not hang.
#include "tools/vtlpack/vtlpack.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// An open descriptor on a regular file, or -1 with the reason.
// What a path that is not a regular file names, for the refusal.
const char* notAFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return "is a folder, not a file";
    if (S_ISFIFO(mode))
        return "is a named pipe, not a regular file";
    if (S_ISSOCK(mode))
        return "is a socket, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "is a device, not a regular file";
    return "not a regular file";
}

int openRegular(const std::string& path, struct stat& info, std::string& why)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        why = std::strerror(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0) {
        why = std::strerror(errno);
    } else if (!S_ISREG(info.st_mode)) {
        why = notAFile(info.st_mode);
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

std::string vtlpack::outputProblem(const std::string& path)
{
    // Opening a pipe for writing waits for a reader.
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)))
        return notAFile(info.st_mode);
    return {};
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
