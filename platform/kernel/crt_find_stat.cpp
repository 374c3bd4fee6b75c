// _findfirst/_findnext/_findclose over the folder search, and _stat.
#include <vantrel/win32/crt_files.h>
#include <vantrel/win32/crt_stat.h>
#include <vantrel/win32/files.h>

#include "platform/host/file_handles.h"
#include "platform/kernel/path_resolver.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

time_t unixTimeOf(const FILETIME& t)
{
    const uint64_t ticks = (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return static_cast<time_t>((static_cast<int64_t>(ticks) - 116444736000000000LL) / 10000000);
}

void fill(const WIN32_FIND_DATAA& data, _finddata_t* found)
{
    found->attrib = data.dwFileAttributes & (_A_RDONLY | _A_HIDDEN | _A_SYSTEM | _A_SUBDIR | _A_ARCH);
    found->time_create = unixTimeOf(data.ftCreationTime);
    found->time_access = unixTimeOf(data.ftLastAccessTime);
    found->time_write = unixTimeOf(data.ftLastWriteTime);
    found->size = data.nFileSizeLow;
    std::strncpy(found->name, data.cFileName, sizeof found->name - 1);
    found->name[sizeof found->name - 1] = '\0';
}

} // namespace

intptr_t _findfirst(const char* pattern, _finddata_t* found)
{
    if (!pattern || !found) {
        errno = EINVAL;
        return -1;
    }
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) {
        errno = ENOENT;
        return -1;
    }
    fill(data, found);
    return reinterpret_cast<intptr_t>(search);
}

int _findnext(intptr_t search, _finddata_t* found)
{
    if (!found) {
        errno = EINVAL;
        return -1;
    }
    WIN32_FIND_DATAA data;
    if (!FindNextFileA(reinterpret_cast<HANDLE>(search), &data)) {
        errno = GetLastError() == ERROR_NO_MORE_FILES ? ENOENT : EINVAL;
        return -1;
    }
    fill(data, found);
    return 0;
}

int _findclose(intptr_t search)
{
    if (!FindClose(reinterpret_cast<HANDLE>(search))) {
        errno = ENOENT;
        return -1;
    }
    return 0;
}

int _stat(const char* name, struct _stat* status)
{
    if (!name || !status) {
        errno = EINVAL;
        return -1;
    }
    vtl::host::PathStatus host;
    if (!vtl::host::pathStatus(vtl::resolveGamePath(name), host)) {
        errno = ENOENT;
        return -1;
    }
    std::memset(status, 0, sizeof *status);
    const bool folder = host.folder;
    unsigned mode = (folder ? _S_IFDIR | _S_IEXEC : _S_IFREG) | _S_IREAD;
    if (host.ownerWrites)
        mode |= _S_IWRITE;
    status->st_mode = static_cast<unsigned short>(mode);
    status->st_nlink = 1;
    status->st_size = folder ? 0 : static_cast<long>(host.size);
    status->st_atim.tv_sec = static_cast<time_t>(host.times.access / 1000000000);
    status->st_mtim.tv_sec = static_cast<time_t>(host.times.write / 1000000000);
    status->st_ctim.tv_sec = status->st_mtim.tv_sec; // the host keeps no creation time
    return 0;
}
