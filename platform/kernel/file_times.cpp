// GetFileTime / SetFileTime on CreateFileA's handles.
#include <vantrel/win32/file_system.h>

#include "platform/host/file_handles.h"
#include "platform/kernel/file_object.h"
#include "platform/kernel/trace.h"


namespace {

constexpr int64_t kFrom1601To1970 = 116444736000000000LL; // in 100 ns

FILETIME fileTimeOf(int64_t nanoseconds)
{
    const uint64_t ticks = static_cast<uint64_t>(nanoseconds / 100 + kFrom1601To1970);
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// Null when Windows leaves the time alone: no time, or all ones.
const int64_t* nanosecondsOf(const FILETIME* t, int64_t& into)
{
    if (!t || (t->dwLowDateTime == 0xFFFFFFFF && t->dwHighDateTime == 0xFFFFFFFF))
        return nullptr;
    into = (static_cast<int64_t>((static_cast<uint64_t>(t->dwHighDateTime) << 32) | t->dwLowDateTime) -
            kFrom1601To1970) * 100;
    return &into;
}

} // namespace

BOOL GetFileTime(HANDLE handle, LPFILETIME creation, LPFILETIME access, LPFILETIME write)
{
    VTL_TRACE(kernel, "GetFileTime", handle, creation, access, write);
    auto file = vtl::fileOf(handle);
    vtl::host::FileTimes times;
    if (!file)
        return vtlTraceCall_.result(FALSE);
    if (!vtl::host::readFileTimes(file->file, times)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(FALSE);
    }
    if (creation)
        *creation = fileTimeOf(times.change);
    if (access)
        *access = fileTimeOf(times.access);
    if (write)
        *write = fileTimeOf(times.write);
    return vtlTraceCall_.result(TRUE);
}

BOOL SetFileTime(HANDLE handle, const FILETIME* creation, const FILETIME* access, const FILETIME* write)
{
    VTL_TRACE(kernel, "SetFileTime", handle, creation, access, write);
    auto file = vtl::fileOf(handle);
    if (!file)
        return vtlTraceCall_.result(FALSE);
    if (!file->canWrite) {
        SetLastError(ERROR_ACCESS_DENIED); // Windows asks for write access
        return vtlTraceCall_.result(FALSE);
    }
    if (creation)
        VTL_UNSUPPORTED("SetFileTime's creation time", "is not kept: the host has none");
    int64_t accessNs = 0, writeNs = 0;
    if (!vtl::host::writeFileTimes(file->file, nanosecondsOf(access, accessNs), nanosecondsOf(write, writeNs))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(FALSE);
    }
    return vtlTraceCall_.result(TRUE);
}
