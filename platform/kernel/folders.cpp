// CreateDirectoryA / RemoveDirectoryA.
#include <vantrel/win32/file_system.h>

#include "platform/kernel/path_resolver.h"
#include "platform/kernel/trace.h"
#include "platform/kernel/windows_names.h"

#include <cerrno>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// A trailing separator names the folder itself here ("Saves\" is "Saves").
std::string folderPath(const char* name)
{
    std::string path = vtl::resolveGamePath(name);
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool refusedName(const char* name)
{
    if (name && *name && vtl::isValidWindowsName(name))
        return false;
    SetLastError(!name || *name ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND);
    return true;
}

} // namespace

BOOL CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES)
{
    VTL_TRACE(kernel, "CreateDirectoryA", name);
    if (refusedName(name))
        return vtlTraceCall_.result(FALSE);
    const std::string path = folderPath(name);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec))) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return vtlTraceCall_.result(FALSE);
    }
    if (!fs::create_directory(path, ec)) {
        if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
            SetLastError(ERROR_PATH_NOT_FOUND); // only the last folder is made
        else
            SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(FALSE);
    }
    vtl::forgetFolderOf(path);
    return vtlTraceCall_.result(TRUE);
}

BOOL RemoveDirectoryA(LPCSTR name)
{
    VTL_TRACE(kernel, "RemoveDirectoryA", name);
    if (refusedName(name))
        return vtlTraceCall_.result(FALSE);
    const std::string path = folderPath(name);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (!fs::exists(status)) {
        vtl::setNotFoundError(path);
        return vtlTraceCall_.result(FALSE);
    }
    if (!fs::is_directory(status)) {
        SetLastError(ERROR_DIRECTORY);
        return vtlTraceCall_.result(FALSE);
    }
    if (!fs::is_empty(path, ec)) {
        SetLastError(ERROR_DIR_NOT_EMPTY);
        return vtlTraceCall_.result(FALSE);
    }
    if (!fs::remove(path, ec)) {
        SetLastError(ERROR_ACCESS_DENIED); // the current folder, or no permission
        return vtlTraceCall_.result(FALSE);
    }
    vtl::forgetFolderOf(path);
    return vtlTraceCall_.result(TRUE);
}
