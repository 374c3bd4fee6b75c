// GetDiskFreeSpaceA and GetSystemDirectoryA.
#include <vantrel/win32/file_system.h>

#include "platform/kernel/path_resolver.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr DWORD kBytesPerSector = 512;
constexpr DWORD kSectorsPerCluster = 8;
constexpr uint64_t kClusterBytes = kBytesPerSector * kSectorsPerCluster;
// Windows 95 OSR2 and later report at most 2 GB - 64 KB through this call,
// so that sectors times clusters fits a signed 32-bit number.
constexpr uint64_t kLargestReported = 0x7FFF0000;

} // namespace

BOOL GetDiskFreeSpaceA(LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector, LPDWORD freeClusters,
                       LPDWORD totalClusters)
{
    VTL_TRACE(kernel, "GetDiskFreeSpaceA", root);
    // A root names a drive's root ("C:\", "\\server\share\"); a name with a
    // folder part beyond it is refused, as Windows does.
    std::string path = root ? vtl::resolveGamePath(root) : std::string(".");
    if (root && !(*root == '\\' || *root == '/' || (root[0] && root[1] == ':'))) {
        SetLastError(ERROR_INVALID_NAME);
        return vtlTraceCall_.result(FALSE);
    }
    std::error_code ec;
    const fs::space_info space = fs::space(path, ec);
    if (ec) {
        vtl::setNotFoundError(path);
        return vtlTraceCall_.result(FALSE);
    }
    const uint64_t total = std::min<uint64_t>(space.capacity, kLargestReported);
    const uint64_t free = std::min<uint64_t>(space.available, kLargestReported);
    if (sectorsPerCluster)
        *sectorsPerCluster = kSectorsPerCluster;
    if (bytesPerSector)
        *bytesPerSector = kBytesPerSector;
    if (freeClusters)
        *freeClusters = static_cast<DWORD>(free / kClusterBytes);
    if (totalClusters)
        *totalClusters = static_cast<DWORD>(total / kClusterBytes);
    return vtlTraceCall_.result(TRUE);
}

UINT GetSystemDirectoryA(LPSTR buffer, UINT size)
{
    VTL_TRACE(kernel, "GetSystemDirectoryA", static_cast<const void*>(buffer), size);
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    const std::string folder = std::string(windows, std::min<UINT>(length, sizeof windows - 1)) + "\\system32";
    // As GetWindowsDirectoryA: the length, or the size needed with the zero.
    if (!buffer || size <= folder.size())
        return vtlTraceCall_.result(static_cast<UINT>(folder.size() + 1));
    std::memcpy(buffer, folder.c_str(), folder.size() + 1);
    return vtlTraceCall_.result(static_cast<UINT>(folder.size()));
}
