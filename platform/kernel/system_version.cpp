// The Windows version and the processor, as system.h documents them.
#include "platform/kernel/trace.h"

#include "platform/host/system_figures.h"

#include <vantrel/win32/errors.h>
#include <vantrel/win32/system.h>

#include <cstring>

namespace {

constexpr DWORD kMajor = 5, kMinor = 1, kBuild = 2600;
constexpr WORD kServicePack = 3;

} // namespace

BOOL GetVersionExA(LPOSVERSIONINFOA info)
{
    VTL_TRACE(kernel, "GetVersionExA", static_cast<const void*>(info));
    if (!info) {
        SetLastError(ERROR_NOACCESS);
        return vtlTraceCall_.result(FALSE);
    }
    const DWORD size = info->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOA) && size != sizeof(OSVERSIONINFOEXA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return vtlTraceCall_.result(FALSE);
    }
    info->dwMajorVersion = kMajor;
    info->dwMinorVersion = kMinor;
    info->dwBuildNumber = kBuild;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    std::strcpy(info->szCSDVersion, "Service Pack 3");
    if (size == sizeof(OSVERSIONINFOEXA)) {
        auto* extended = reinterpret_cast<LPOSVERSIONINFOEXA>(info);
        extended->wServicePackMajor = kServicePack;
        extended->wServicePackMinor = 0;
        extended->wSuiteMask = 0x0100; // VER_SUITE_SINGLEUSERTS: a desktop system
        extended->wProductType = VER_NT_WORKSTATION;
        extended->wReserved = 0;
    }
    return vtlTraceCall_.result(TRUE);
}

DWORD GetVersion()
{
    return kMajor | (kMinor << 8) | (kBuild << 16);
}

void GetSystemInfo(LPSYSTEM_INFO info)
{
    VTL_TRACE(kernel, "GetSystemInfo", static_cast<const void*>(info));
    if (!info)
        return;
    std::memset(info, 0, sizeof *info);
#if defined(__x86_64__)
    info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_AMD64;
    info->dwProcessorType = PROCESSOR_AMD_X8664;
    info->lpMaximumApplicationAddress = reinterpret_cast<LPVOID>(uintptr_t(0x7FFFFFFEFFFF));
#elif defined(__i386__)
    info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
    info->dwProcessorType = PROCESSOR_INTEL_PENTIUM;
    info->lpMaximumApplicationAddress = reinterpret_cast<LPVOID>(uintptr_t(0x7FFEFFFF));
#elif defined(__aarch64__)
    info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_ARM64;
    info->lpMaximumApplicationAddress = reinterpret_cast<LPVOID>(uintptr_t(0x7FFFFFFEFFFF));
#else
    info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_UNKNOWN;
    info->lpMaximumApplicationAddress = reinterpret_cast<LPVOID>(uintptr_t(0x7FFEFFFF));
#endif
    // The family Windows reports for every processor since the Pentium Pro.
    info->wProcessorLevel = 6;
    info->dwPageSize = static_cast<DWORD>(vtl::host::pageSize());
    info->lpMinimumApplicationAddress = reinterpret_cast<LPVOID>(uintptr_t(0x10000));
    unsigned processors = vtl::host::processorCount();
    if (processors > sizeof(DWORD_PTR) * 8)
        processors = sizeof(DWORD_PTR) * 8;
    info->dwNumberOfProcessors = processors;
    info->dwActiveProcessorMask =
        processors == sizeof(DWORD_PTR) * 8 ? ~DWORD_PTR(0) : (DWORD_PTR(1) << processors) - 1;
    info->dwAllocationGranularity = 0x10000;
}
