// Reading and writing whole files.
//
// Files are read with plain POSIX calls rather than streams: a folder or a
// device given as a picture must end as a one-line reason, never as an
// exception from deep inside a stream buffer.  They are opened without
// blocking, since opening a named pipe for reading waits for a writer: a
// pipe given by mistake is refused at once instead of hanging the build.
#include "picture.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string systemError(const std::string& path) { return path + ": " + std::strerror(errno); }

// What a path that is not a regular file names, for the refusal.
const char* notAFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return ": is a folder, not a file";
    if (S_ISFIFO(mode))
        return ": is a named pipe, not a regular file";
    if (S_ISSOCK(mode))
        return ": is a socket, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return ": is a device, not a regular file";
    return ": not a regular file";
}
} // namespace

bool readFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error = systemError(path);
        return false;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        error = systemError(path);
        ::close(fd);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = path + notAFile(info.st_mode);
        ::close(fd);
        return false;
    }
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = systemError(path);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break; // the file shrank while being read: take what is there
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    ::close(fd);
    return true;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error)
{
    // Opening a pipe for writing waits for a reader as opening one for
    // reading waits for a writer.
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode))) {
        error = path + notAFile(info.st_mode);
        return false;
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        error = systemError(path);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const int writeErrno = errno;
    if (std::fclose(out) != 0 || !written) {
        if (!written)
            errno = writeErrno;
        error = systemError(path);
        return false;
    }
    return true;
}
