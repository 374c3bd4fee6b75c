// The archive's file mapping on POSIX: open(2), fstat(2) and mmap(2) with
// PROT_READ, so the archive is paged in on demand and never copied.
#include <vantrel/seam/file_mapping.h>

#include <cstdint>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct OpenFile {
    int fd;
};
struct Mapping {
    int fd;
    size_t length;
};
} // namespace

HANDLE vtl::openFileForReading(const char* path)
{
    if (!path)
        return nullptr;
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    OpenFile* file = new (std::nothrow) OpenFile{fd};
    if (!file)
        ::close(fd);
    return file;
}

HANDLE vtl::createReadOnlyMapping(HANDLE file)
{
    if (!file)
        return nullptr;
    int fd = static_cast<OpenFile*>(file)->fd;
    struct stat info;
    if (::fstat(fd, &info) != 0 || info.st_size <= 0 ||
        static_cast<uint64_t>(info.st_size) > UINT32_MAX)
        return nullptr;
    return new (std::nothrow) Mapping{fd, static_cast<size_t>(info.st_size)};
}

void* vtl::mapView(HANDLE mapping, size_t* length)
{
    if (!mapping)
        return nullptr;
    Mapping* m = static_cast<Mapping*>(mapping);
    void* view = ::mmap(nullptr, m->length, PROT_READ, MAP_PRIVATE, m->fd, 0);
    if (view == MAP_FAILED)
        return nullptr;
    if (length)
        *length = m->length;
    return view;
}

void vtl::unmapView(HANDLE mapping, void* view)
{
    if (mapping && view)
        ::munmap(view, static_cast<Mapping*>(mapping)->length);
}

void vtl::closeMapping(HANDLE mapping) { delete static_cast<Mapping*>(mapping); }

void vtl::closeFile(HANDLE file)
{
    if (!file)
        return;
    ::close(static_cast<OpenFile*>(file)->fd);
    delete static_cast<OpenFile*>(file);
}
