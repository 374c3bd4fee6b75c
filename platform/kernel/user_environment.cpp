// The user's name and the process's environment.
#include "platform/kernel/trace.h"

#include "platform/host/system_figures.h"

#include <vantrel/win32/errors.h>
#include <vantrel/win32/system.h>

#include <cstring>
#include <string>

namespace {

// UNLEN of <lmcons.h>: the longest user name Windows has.
constexpr size_t kLongestName = 256;

} // namespace

BOOL GetUserNameA(LPSTR buffer, LPDWORD size)
{
    VTL_TRACE(kernel, "GetUserNameA", static_cast<const void*>(buffer), static_cast<const void*>(size));
    if (!size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    std::string name = vtl::host::userName();
    if (name.empty())
        name = "Player";
    if (name.size() > kLongestName)
        name.resize(kLongestName);
    const DWORD needed = static_cast<DWORD>(name.size() + 1);
    if (!buffer || *size < needed) {
        *size = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return vtlTraceCall_.result(FALSE);
    }
    std::memcpy(buffer, name.c_str(), needed);
    *size = needed;
    return vtlTraceCall_.result(TRUE);
}

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size)
{
    VTL_TRACE(kernel, "GetEnvironmentVariableA", name, static_cast<const void*>(buffer), size);
    std::string value;
    if (!name || !*name || !vtl::host::findEnvironmentVariable(name, value)) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return vtlTraceCall_.result(DWORD(0));
    }
    const DWORD length = static_cast<DWORD>(value.size());
    if (!buffer || size <= length)
        return vtlTraceCall_.result(length + 1);
    std::memcpy(buffer, value.c_str(), length + 1);
    return vtlTraceCall_.result(length);
}

BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value)
{
    VTL_TRACE(kernel, "SetEnvironmentVariableA", name, value);
    if (!name || !*name || std::strchr(name, '=')) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    vtl::host::setEnvironmentVariable(name, value);
    return vtlTraceCall_.result(TRUE);
}
