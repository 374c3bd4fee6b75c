// The current folder, the program's file name and the Windows folder, all
// returned in Windows form ("C:\home\me\game").
#include <vantrel/win32/files.h>
#include <vantrel/win32/window.h>

#include "platform/host/process.h"
#include "platform/kernel/path_resolver.h"
#include "platform/kernel/windows_names.h"
#include "platform/kernel/trace.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The GetCurrentDirectoryA convention: the length without the zero when it
// fits, else the size needed with it.
DWORD copyOrNeed(const std::string& text, LPSTR buffer, DWORD size)
{
    if (!buffer || text.size() + 1 > size)
        return static_cast<DWORD>(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

} // namespace

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer)
{
    VTL_TRACE(kernel, "GetCurrentDirectoryA", size, static_cast<const void*>(buffer));
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    if (ec) {
        SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(0);
    }
    return vtlTraceCall_.result(copyOrNeed(vtl::windowsFormOf(here.string()), buffer, size));
}

BOOL SetCurrentDirectoryA(LPCSTR name)
{
    VTL_TRACE(kernel, "SetCurrentDirectoryA", name);
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    if (!vtl::isValidWindowsName(name)) {
        SetLastError(ERROR_INVALID_NAME);
        return vtlTraceCall_.result(FALSE);
    }
    // Windows tells a missing folder (file not found) from a missing folder
    // above it (path not found), and a file from a folder.
    const std::string path = vtl::resolveGamePath(name);
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        vtl::setNotFoundError(path);
        return vtlTraceCall_.result(FALSE);
    }
    if (!fs::is_directory(status)) {
        SetLastError(ERROR_DIRECTORY);
        return vtlTraceCall_.result(FALSE);
    }
    fs::current_path(path, ec);
    if (ec) {
        SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(FALSE);
    }
    return vtlTraceCall_.result(TRUE);
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size)
{
    VTL_TRACE(kernel, "GetModuleFileNameA", module, static_cast<const void*>(buffer), size);
    if (module && module != GetModuleHandleA(nullptr)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return vtlTraceCall_.result(0);
    }
    const std::string program = vtl::host::executablePath();
    if (program.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return vtlTraceCall_.result(0);
    }
    const std::string text = vtl::windowsFormOf(program);
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return vtlTraceCall_.result(0);
    }
    // Too long: cut, still ended by a zero, and the whole size returned.
    if (text.size() >= size) {
        std::memcpy(buffer, text.c_str(), size - 1);
        buffer[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return vtlTraceCall_.result(size);
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return vtlTraceCall_.result(static_cast<DWORD>(text.size()));
}

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size)
{
    VTL_TRACE(kernel, "GetWindowsDirectoryA", static_cast<const void*>(buffer), size);
    std::string folder;
    if (const char* named = std::getenv("VANTREL_WINDOWS_DIR"); named && *named) {
        folder = named;
    } else {
        const char* config = std::getenv("XDG_CONFIG_HOME");
        const char* home = std::getenv("HOME");
        if (config && *config)
            folder = std::string(config) + "/vantrel/windows";
        else
            folder = std::string(home && *home ? home : ".") + "/.config/vantrel/windows";
    }
    std::error_code ec;
    const fs::path absolute = fs::absolute(folder, ec);
    return vtlTraceCall_.result(copyOrNeed(vtl::windowsFormOf((ec ? fs::path(folder) : absolute).lexically_normal().string()), buffer,
                      size));
}
