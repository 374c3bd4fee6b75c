#include "platform/host/file_reading.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

struct vtl::host::ReadableFile {
    int fd;
};

vtl::host::ReadableFile* vtl::host::openReadable(const char* path)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    ReadableFile* file = new (std::nothrow) ReadableFile{fd};
    if (!file)
        ::close(fd);
    return file;
}

uint64_t vtl::host::sizeOf(ReadableFile* file)
{
    struct stat info;
    if (::fstat(file->fd, &info) != 0 || info.st_size <= 0)
        return 0;
    return static_cast<uint64_t>(info.st_size);
}

size_t vtl::host::readFromStart(ReadableFile* file, unsigned char* out, size_t length)
{
    size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(file->fd, out + done, length - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    return done;
}

void vtl::host::closeReadable(ReadableFile* file)
{
    ::close(file->fd);
    delete file;
}
