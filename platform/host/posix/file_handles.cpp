// file_handles.h on POSIX: fstat/futimens and ftruncate (memory of a
// mapping's own is in memory_files.cpp, the views in mapped_views.cpp).
#include "platform/host/file_handles.h"

#include <sys/stat.h>
#include <unistd.h>

namespace vtl::host {
namespace {

int64_t nanosecondsOf(const timespec& t) { return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec; }

timespec timespecOf(const int64_t* ns)
{
    if (!ns)
        return timespec{0, UTIME_OMIT};
    const int64_t seconds = *ns >= 0 ? *ns / 1000000000 : (*ns - 999999999) / 1000000000;
    return timespec{static_cast<time_t>(seconds), static_cast<long>(*ns - seconds * 1000000000)};
}

FileTimes timesOf(const struct stat& s)
{
    return FileTimes{nanosecondsOf(s.st_ctim), nanosecondsOf(s.st_atim), nanosecondsOf(s.st_mtim)};
}

} // namespace

bool readFileTimes(std::FILE* file, FileTimes& times)
{
    struct stat s;
    if (fstat(fileno(file), &s) != 0)
        return false;
    times = timesOf(s);
    return true;
}

bool writeFileTimes(std::FILE* file, const int64_t* access, const int64_t* write)
{
    const timespec times[2] = {timespecOf(access), timespecOf(write)};
    return futimens(fileno(file), times) == 0;
}

bool pathStatus(const std::string& path, PathStatus& status)
{
    struct stat s;
    if (stat(path.c_str(), &s) != 0)
        return false;
    status.folder = S_ISDIR(s.st_mode);
    status.ownerWrites = (s.st_mode & S_IWUSR) != 0;
    status.size = static_cast<uint64_t>(s.st_size);
    status.times = timesOf(s);
    return true;
}

int64_t fileLength(std::FILE* file)
{
    struct stat s;
    return fstat(fileno(file), &s) == 0 ? static_cast<int64_t>(s.st_size) : -1;
}

bool setFileLength(std::FILE* file, uint64_t length) { return ftruncate(fileno(file), static_cast<off_t>(length)) == 0; }

int duplicateDescriptor(std::FILE* file) { return dup(fileno(file)); }

} // namespace vtl::host
