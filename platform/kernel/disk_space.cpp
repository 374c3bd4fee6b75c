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
// NT reports the volume's real figures through this call (Windows 95 cut
// them to 2 GB); only a count beyond 32 bits is cut.
constexpr uint64_t kMostClusters = 0xFFFFFFFF;

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
    const uint64_t total = std::min<uint64_t>(space.capacity / kClusterBytes, kMostClusters);
    const uint64_t free = std::min<uint64_t>(space.available / kClusterBytes, kMostClusters);
    if (sectorsPerCluster)
        *sectorsPerCluster = kSectorsPerCluster;
    if (bytesPerSector)
        *bytesPerSector = kBytesPerSector;
    if (freeClusters)
        *freeClusters = static_cast<DWORD>(free);
    if (totalClusters)
        *totalClusters = static_cast<DWORD>(total);
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
