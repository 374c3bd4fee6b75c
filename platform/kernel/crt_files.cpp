// <io.h> and <direct.h> over the same name resolution as CreateFileA.
#include <vantrel/win32/crt_files.h>

#include "platform/kernel/path_resolver.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

int fail(int error)
{
    errno = error;
    return -1;
}

int failFrom(const std::error_code& ec)
{
    return fail(ec.value() ? ec.value() : EACCES);
}

} // namespace

int _access(const char* name, int mode)
{
    if (!name)
        return fail(EINVAL);
    std::error_code ec;
    const fs::file_status status = fs::status(vtl::resolveGamePath(name), ec);
    if (!fs::exists(status))
        return fail(ENOENT);
    const fs::perms p = status.permissions();
    if ((mode & 2) && (p & fs::perms::owner_write) == fs::perms::none)
        return fail(EACCES);
    if ((mode & 4) && (p & fs::perms::owner_read) == fs::perms::none)
        return fail(EACCES);
    return 0;
}

int _unlink(const char* name)
{
    if (!name)
        return fail(EINVAL);
    const std::string path = vtl::resolveGamePath(name);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (!fs::exists(status))
        return fail(ENOENT);
    if (fs::is_directory(status) || !fs::remove(path, ec))
        return fail(EACCES);
    vtl::forgetFolderOf(path);
    return 0;
}

int _mkdir(const char* name)
{
    if (!name)
        return fail(EINVAL);
    const std::string path = vtl::resolveGamePath(name);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec)))
        return fail(EEXIST);
    if (!fs::create_directory(path, ec))
        return failFrom(ec);
    vtl::forgetFolderOf(path);
    return 0;
}

int _rmdir(const char* name)
{
    if (!name)
        return fail(EINVAL);
    const std::string path = vtl::resolveGamePath(name);
    std::error_code ec;
    if (!fs::is_directory(path, ec))
        return fail(ENOENT);
    if (!fs::remove(path, ec))
        return failFrom(ec);
    vtl::forgetFolderOf(path);
    return 0;
}

int _chdir(const char* name)
{
    if (!name)
        return fail(EINVAL);
    std::error_code ec;
    fs::current_path(vtl::resolveGamePath(name), ec);
    return ec ? failFrom(ec) : 0;
}

char* _getcwd(char* buffer, int size)
{
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    if (ec) {
        failFrom(ec);
        return nullptr;
    }
    const std::string text = vtl::windowsFormOf(here.string());
    const size_t needed = text.size() + 1;
    if (!buffer) {
        const size_t length = size > 0 && static_cast<size_t>(size) > needed ? static_cast<size_t>(size) : needed;
        buffer = static_cast<char*>(std::malloc(length));
        if (!buffer) {
            fail(ENOMEM);
            return nullptr;
        }
    } else if (size < 0 || static_cast<size_t>(size) < needed) {
        fail(ERANGE);
        return nullptr;
    }
    std::memcpy(buffer, text.c_str(), needed);
    return buffer;
}
