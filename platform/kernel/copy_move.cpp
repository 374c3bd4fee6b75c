// CopyFileA / MoveFileA.
#include <vantrel/win32/file_system.h>

#include "platform/kernel/path_resolver.h"
#include "platform/kernel/trace.h"
#include "platform/kernel/windows_names.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool refusedName(const char* name)
{
    if (name && *name && vtl::isValidWindowsName(name) && !vtl::endsWithSeparator(name))
        return false;
    SetLastError(!name || *name ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND);
    return true;
}

bool ownerMayWrite(const fs::file_status& status)
{
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

} // namespace

BOOL CopyFileA(LPCSTR existing, LPCSTR target, BOOL failIfExists)
{
    VTL_TRACE(kernel, "CopyFileA", existing, target, failIfExists);
    if (refusedName(existing) || refusedName(target))
        return vtlTraceCall_.result(FALSE);
    const std::string from = vtl::resolveGamePath(existing);
    const std::string to = vtl::resolveGamePath(target);
    std::error_code ec;
    const fs::file_status source = fs::status(from, ec);
    if (!fs::exists(source)) {
        vtl::setNotFoundError(from);
        return vtlTraceCall_.result(FALSE);
    }
    if (fs::is_directory(source)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(FALSE);
    }
    const fs::file_status there = fs::status(to, ec);
    if (fs::exists(there)) {
        if (failIfExists) {
            SetLastError(ERROR_FILE_EXISTS);
            return vtlTraceCall_.result(FALSE);
        }
        // A read-only or folder target is refused, and so is a file onto itself.
        if (fs::is_directory(there) || !ownerMayWrite(there) || fs::equivalent(from, to, ec)) {
            SetLastError(fs::equivalent(from, to, ec) ? ERROR_SHARING_VIOLATION : ERROR_ACCESS_DENIED);
            return vtlTraceCall_.result(FALSE);
        }
    }
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec)) {
        if (ec == std::errc::no_such_file_or_directory)
            vtl::setNotFoundError(to);
        else
            SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(FALSE);
    }
    // Windows copies the write time and the attributes with the bytes.
    fs::last_write_time(to, fs::last_write_time(from, ec), ec);
    fs::permissions(to, source.permissions(), ec);
    vtl::forgetFolderOf(to);
    return vtlTraceCall_.result(TRUE);
}

BOOL MoveFileA(LPCSTR existing, LPCSTR target)
{
    VTL_TRACE(kernel, "MoveFileA", existing, target);
    if (refusedName(existing) || refusedName(target))
        return vtlTraceCall_.result(FALSE);
    const std::string from = vtl::resolveGamePath(existing);
    const std::string to = vtl::resolveGamePath(target);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(from, ec))) {
        vtl::setNotFoundError(from);
        return vtlTraceCall_.result(FALSE);
    }
    // Renaming a name to another case of itself is allowed; any other
    // existing target is refused rather than replaced.
    if (fs::exists(fs::symlink_status(to, ec)) && !fs::equivalent(from, to, ec)) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return vtlTraceCall_.result(FALSE);
    }
    fs::rename(from, to, ec);
    if (ec == std::errc::cross_device_link) {
        ec.clear();
        fs::copy(from, to, fs::copy_options::recursive, ec);
        if (!ec)
            fs::remove_all(from, ec);
    }
    if (ec) {
        if (ec == std::errc::no_such_file_or_directory)
            SetLastError(ERROR_PATH_NOT_FOUND);
        else
            SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(FALSE);
    }
    vtl::forgetFolderOf(from);
    vtl::forgetFolderOf(to);
    return vtlTraceCall_.result(TRUE);
}
