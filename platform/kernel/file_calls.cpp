// CreateFileA and the calls on its handles.  A file handle is an entry of the
// process's handle table (kernel_objects.h), so CloseHandle closes it like any
// other handle.  The file is an unbuffered standard stream: every ReadFile and
// WriteFile reaches the file system at once, as on Windows, where another
// handle or program sees a write as soon as the call returns.
#include <vantrel/win32/errors.h>
#include <vantrel/win32/files.h>

#include "platform/host/file_handles.h"
#include "platform/kernel/file_object.h"
#include "platform/kernel/kernel_objects.h"
#include "platform/kernel/path_resolver.h"
#include "platform/kernel/windows_names.h"
#include "platform/kernel/trace.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace vtl {
namespace {

// Why Windows refuses a name before it looks for the file, or ERROR_SUCCESS.
// A name ending in a separator names a folder: an existing folder is "path
// not found" (the file part is empty), an existing file an invalid name,
// and a missing one is not found; none is ever opened, created or deleted
// as the file without the separator.
DWORD nameError(const char* name, const std::string& path)
{
    if (!*name)
        return ERROR_PATH_NOT_FOUND;
    if (!isValidWindowsName(name))
        return ERROR_INVALID_NAME;
    if (!endsWithSeparator(name))
        return ERROR_SUCCESS;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status))
        return ERROR_PATH_NOT_FOUND;
    if (fs::exists(status))
        return ERROR_INVALID_NAME;
    setNotFoundError(path);
    return GetLastError();
}

void setOpenError(int error, const std::string& path)
{
    if (error == ENOENT || error == ENOTDIR)
        setNotFoundError(path);
    else if (error == EEXIST)
        SetLastError(ERROR_FILE_EXISTS);
    else
        SetLastError(ERROR_ACCESS_DENIED);
}

} // namespace

std::shared_ptr<FileObject> fileOf(HANDLE handle)
{
    auto file = std::dynamic_pointer_cast<FileObject>(findHandle(handle));
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

} // namespace vtl

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD, HANDLE)
{
    VTL_TRACE(kernel, "CreateFileA", name, access, disposition);
    using namespace vtl;
    if (!name || disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }
    const bool read = (access & GENERIC_READ) != 0;
    const bool write = (access & GENERIC_WRITE) != 0;
    if (disposition == TRUNCATE_EXISTING && !write) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }
    const std::string path = resolveGamePath(name);
    if (const DWORD refused = nameError(name, path)) {
        SetLastError(refused);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    const bool exists = fs::exists(status);
    if (fs::is_directory(status)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }
    // Read-only (FILE_ATTRIBUTE_READONLY, the owner's write permission)
    // refuses writing whoever asks, the host's administrator included.
    if (exists && write && (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }
    if (!exists && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING)) {
        setNotFoundError(path);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }
    if (exists && disposition == CREATE_NEW) {
        SetLastError(ERROR_FILE_EXISTS);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }

    // Opening an existing file keeps its bytes unless told to empty it.
    const bool truncate = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING || !exists;
    const char* mode;
    if (!truncate)
        mode = write ? "r+b" : "rb";
    else if (disposition == CREATE_NEW)
        mode = read ? "w+bx" : "wbx";
    else
        mode = read ? "w+b" : "wb";
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file) {
        setOpenError(errno, path);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }
    std::setvbuf(file, nullptr, _IONBF, 0);
    if (!exists)
        forgetFolderOf(path);
    auto object = std::make_shared<FileObject>(file);
    object->canRead = read;
    object->canWrite = write;
    HANDLE handle = addHandle(object);
    if (!handle) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }
    const bool reportsExisting = exists && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS);
    SetLastError(reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return vtlTraceCall_.result(handle);
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped)
{
    VTL_TRACE(kernel, "ReadFile", handle, buffer, toRead, read, overlapped);
    using namespace vtl;
    if (read)
        *read = 0;
    auto file = fileOf(handle);
    if (!file)
        return vtlTraceCall_.result(FALSE);
    // NT's codes: no buffer to read into is a fault on the caller's memory.
    if (!file->canRead || overlapped || (!buffer && toRead)) {
        SetLastError(!file->canRead ? ERROR_ACCESS_DENIED : overlapped ? ERROR_INVALID_PARAMETER : ERROR_NOACCESS);
        return vtlTraceCall_.result(FALSE);
    }
    file->switchTo(FileObject::Last::Read);
    host::readingThroughHandle(file->file);
    const size_t got = toRead ? std::fread(buffer, 1, toRead, file->file) : 0;
    if (got < toRead && std::ferror(file->file)) {
        std::clearerr(file->file);
        SetLastError(ERROR_READ_FAULT);
        return vtlTraceCall_.result(FALSE);
    }
    std::clearerr(file->file); // the end of the file is not sticky on Windows
    if (read)
        *read = static_cast<DWORD>(got);
    return vtlTraceCall_.result(TRUE);
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED overlapped)
{
    VTL_TRACE(kernel, "WriteFile", handle, buffer, toWrite, written, overlapped);
    using namespace vtl;
    if (written)
        *written = 0;
    auto file = fileOf(handle);
    if (!file)
        return vtlTraceCall_.result(FALSE);
    // NT's codes (Windows 9x wrote whatever lay at address 0 and succeeded).
    if (!file->canWrite || overlapped || (!buffer && toWrite)) {
        SetLastError(!file->canWrite ? ERROR_ACCESS_DENIED
                     : overlapped    ? ERROR_INVALID_PARAMETER
                                     : ERROR_INVALID_USER_BUFFER);
        return vtlTraceCall_.result(FALSE);
    }
    file->switchTo(FileObject::Last::Write);
    const size_t put = toWrite ? std::fwrite(buffer, 1, toWrite, file->file) : 0;
    host::wroteThroughHandle(file->file, buffer, put);
    if (written)
        *written = static_cast<DWORD>(put);
    if (put < toWrite) {
        std::clearerr(file->file);
        SetLastError(ERROR_WRITE_FAULT);
        return vtlTraceCall_.result(FALSE);
    }
    return vtlTraceCall_.result(TRUE);
}

DWORD SetFilePointer(HANDLE handle, LONG distance, PLONG high, DWORD method)
{
    VTL_TRACE(kernel, "SetFilePointer", handle, distance, high, method);
    using namespace vtl;
    auto file = fileOf(handle);
    if (!file)
        return vtlTraceCall_.result(INVALID_SET_FILE_POINTER);
    // Without `high` the distance is a signed 32-bit number; with it, the two
    // make one signed 64-bit number.
    int64_t move = high ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*high)) << 32) |
                                               static_cast<uint32_t>(distance))
                        : static_cast<int64_t>(distance);
    // A move that fails leaves the position where it was, so the origin is
    // found without moving: a write after a refused seek lands where the
    // game left off, not at the origin.
    const off_t here = ftello(file->file);
    int64_t origin = 0;
    if (method == FILE_CURRENT) {
        origin = here;
    } else if (method == FILE_END) {
        fseeko(file->file, 0, SEEK_END);
        origin = ftello(file->file);
        fseeko(file->file, here, SEEK_SET);
    } else if (method != FILE_BEGIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(INVALID_SET_FILE_POINTER);
    }
    int64_t target = 0;
    if (__builtin_add_overflow(origin, move, &target) || target < 0) {
        SetLastError(target < 0 && move < 0 ? ERROR_NEGATIVE_SEEK : ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(INVALID_SET_FILE_POINTER);
    }
    // The host refuses positions past the largest file its file system
    // holds; saying so beats reporting a position the handle is not at.
    if (fseeko(file->file, static_cast<off_t>(target), SEEK_SET) != 0) {
        fseeko(file->file, here, SEEK_SET);
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(INVALID_SET_FILE_POINTER);
    }
    file->last = FileObject::Last::None;
    if (high)
        *high = static_cast<LONG>(static_cast<uint64_t>(target) >> 32);
    // A position whose low word is all ones is a valid answer, told apart
    // from a failure by the last error.
    SetLastError(ERROR_SUCCESS);
    return vtlTraceCall_.result(static_cast<DWORD>(target));
}

DWORD GetFileSize(HANDLE handle, LPDWORD high)
{
    VTL_TRACE(kernel, "GetFileSize", handle, high);
    using namespace vtl;
    auto file = fileOf(handle);
    if (!file)
        return vtlTraceCall_.result(INVALID_FILE_SIZE);
    const long here = std::ftell(file->file);
    std::fseek(file->file, 0, SEEK_END);
    const uint64_t size = static_cast<uint64_t>(std::ftell(file->file));
    std::fseek(file->file, here, SEEK_SET);
    file->last = FileObject::Last::None;
    if (high)
        *high = static_cast<DWORD>(size >> 32);
    return vtlTraceCall_.result(static_cast<DWORD>(size));
}

BOOL DeleteFileA(LPCSTR name)
{
    VTL_TRACE(kernel, "DeleteFileA", name);
    using namespace vtl;
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    const std::string path = resolveGamePath(name);
    if (const DWORD refused = nameError(name, path)) {
        SetLastError(refused);
        return vtlTraceCall_.result(FALSE);
    }
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (!fs::exists(status)) {
        setNotFoundError(path);
        return vtlTraceCall_.result(FALSE);
    }
    if (fs::is_directory(status) || !fs::remove(path, ec)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(FALSE);
    }
    forgetFolderOf(path);
    return vtlTraceCall_.result(TRUE);
}
