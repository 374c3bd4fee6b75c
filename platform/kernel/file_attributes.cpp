// GetFileAttributesA / SetFileAttributesA: what the host keeps of a file's
// attributes is whether it is a folder and whether its owner may write it.
#include <vantrel/win32/file_system.h>

#include "platform/kernel/path_resolver.h"
#include "platform/kernel/trace.h"
#include "platform/kernel/windows_names.h"

#include <filesystem>

namespace fs = std::filesystem;

DWORD GetFileAttributesA(LPCSTR name)
{
    VTL_TRACE(kernel, "GetFileAttributesA", name);
    if (!name || !*name || !vtl::isValidWindowsName(name)) {
        SetLastError(!name || *name ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND);
        return vtlTraceCall_.result(INVALID_FILE_ATTRIBUTES);
    }
    const std::string path = vtl::resolveGamePath(name);
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        vtl::setNotFoundError(path);
        return vtlTraceCall_.result(INVALID_FILE_ATTRIBUTES);
    }
    DWORD attributes = fs::is_directory(status) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
        attributes |= FILE_ATTRIBUTE_READONLY;
    return vtlTraceCall_.result(attributes);
}

BOOL SetFileAttributesA(LPCSTR name, DWORD attributes)
{
    VTL_TRACE(kernel, "SetFileAttributesA", name, attributes);
    if (!name || !*name || !vtl::isValidWindowsName(name)) {
        SetLastError(!name || *name ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND);
        return vtlTraceCall_.result(FALSE);
    }
    const std::string path = vtl::resolveGamePath(name);
    std::error_code ec;
    if (!fs::exists(fs::status(path, ec))) {
        vtl::setNotFoundError(path);
        return vtlTraceCall_.result(FALSE);
    }
    if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        VTL_UNSUPPORTED("FILE_ATTRIBUTE_HIDDEN and FILE_ATTRIBUTE_SYSTEM", "are accepted and not kept");
    // Read-only is the owner's write permission; the others' are left alone.
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    fs::permissions(path, fs::perms::owner_write, readOnly ? fs::perm_options::remove : fs::perm_options::add, ec);
    if (ec) {
        SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(FALSE);
    }
    return vtlTraceCall_.result(TRUE);
}
