// fopen, freopen, remove and rename on Windows names, for the files that
// include the compatibility <stdio.h>.
#include <vantrel/win32/crt_files.h>
#include <vantrel/win32/crt_stdio.h>

#include "platform/kernel/path_resolver.h"

#include <cerrno>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// The mode without Microsoft's "t" (and the "c", "n" commit flags), which
// the host's C library might refuse.
std::string hostMode(const char* mode)
{
    std::string result;
    for (const char* p = mode; *p; ++p) {
        if (*p != 't' && *p != 'c' && *p != 'n')
            result += *p;
    }
    return result;
}

bool creates(const char* mode) { return mode[0] == 'w' || mode[0] == 'a'; }

} // namespace

FILE* vtl_fopen(const char* name, const char* mode)
{
    if (!name || !mode) {
        errno = EINVAL;
        return nullptr;
    }
    const std::string path = vtl::resolveGamePath(name);
    FILE* file = std::fopen(path.c_str(), hostMode(mode).c_str());
    if (file && creates(mode))
        vtl::forgetFolderOf(path);
    else if (!file && errno == EISDIR)
        errno = EACCES; // Windows' answer for a folder
    return file;
}

FILE* vtl_freopen(const char* name, const char* mode, FILE* stream)
{
    if (!name || !mode || !stream) {
        errno = EINVAL;
        return nullptr;
    }
    const std::string path = vtl::resolveGamePath(name);
    FILE* file = std::freopen(path.c_str(), hostMode(mode).c_str(), stream);
    if (file && creates(mode))
        vtl::forgetFolderOf(path);
    return file;
}

int vtl_remove(const char* name)
{
    return _unlink(name);
}

int vtl_rename(const char* from, const char* to)
{
    if (!from || !to) {
        errno = EINVAL;
        return -1;
    }
    const std::string source = vtl::resolveGamePath(from);
    const std::string target = vtl::resolveGamePath(to);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(source, ec))) {
        errno = ENOENT;
        return -1;
    }
    if (fs::exists(fs::symlink_status(target, ec)) && !fs::equivalent(source, target, ec)) {
        errno = EACCES; // Windows' runtime does not replace a file
        return -1;
    }
    fs::rename(source, target, ec);
    if (ec) {
        errno = ec == std::errc::no_such_file_or_directory ? ENOENT : EACCES;
        return -1;
    }
    vtl::forgetFolderOf(source);
    vtl::forgetFolderOf(target);
    return 0;
}
