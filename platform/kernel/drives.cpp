// GetLogicalDrives, GetLogicalDriveStringsA, GetDriveTypeA and
// GetVolumeInformationA over two drives: C:, the host's root, and the CD-ROM
// drive holding the virtual CD's folder.
#include <vantrel/win32/drives.h>
#include <vantrel/win32/errors.h>

#include "platform/kernel/cd_drive.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// What a root names: a drive letter, and whether the name went past it.
enum class Root { Drive, DriveNoSeparator, Folder, Invalid };

Root readRoot(const char* root, char* letter)
{
    if ((root[0] == '\\' || root[0] == '/') && root[1] == '\0')
        return Root::Drive; // the current folder's drive, C:
    const char c = static_cast<char>(root[0] & ~0x20);
    if (c < 'A' || c > 'Z' || root[1] != ':')
        return Root::Invalid;
    *letter = c;
    if (root[2] == '\0')
        return Root::DriveNoSeparator;
    if ((root[2] == '\\' || root[2] == '/') && root[3] == '\0')
        return Root::Drive;
    return Root::Folder;
}

bool driveExists(char letter) { return letter == 'C' || vtl::isCdDrive(letter); }

// Copies `text` into a buffer of `size` bytes, cut to fit as lstrcpyn does.
void copyOut(const std::string& text, LPSTR buffer, DWORD size)
{
    if (!buffer || size == 0)
        return;
    const size_t n = std::min<size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

// The disc's serial number: the same for the same label on every run.
DWORD serialOf(const std::string& label)
{
    DWORD hash = 2166136261u;
    for (unsigned char c : label)
        hash = (hash ^ c) * 16777619u;
    return hash;
}

} // namespace

DWORD GetLogicalDrives()
{
    VTL_TRACE0(kernel, "GetLogicalDrives");
    return vtlTraceCall_.result((DWORD{1} << ('C' - 'A')) | (DWORD{1} << (vtl::cdDriveLetter() - 'A')));
}

DWORD GetLogicalDriveStringsA(DWORD size, LPSTR buffer)
{
    VTL_TRACE(kernel, "GetLogicalDriveStringsA", size, static_cast<const void*>(buffer));
    const char cd = vtl::cdDriveLetter();
    const char letters[] = {std::min('C', cd), std::max('C', cd)};
    const DWORD length = 4 * sizeof letters; // "X:\" and its zero each
    if (!buffer || size < length + 1)
        return vtlTraceCall_.result(length + 1);
    for (char letter : letters) {
        const char entry[4] = {letter, ':', '\\', '\0'};
        std::memcpy(buffer, entry, sizeof entry);
        buffer += sizeof entry;
    }
    *buffer = '\0';
    return vtlTraceCall_.result(length);
}

UINT GetDriveTypeA(LPCSTR root)
{
    VTL_TRACE(kernel, "GetDriveTypeA", root);
    char letter = 'C';
    if (root) {
        const Root kind = readRoot(root, &letter);
        if (kind != Root::Drive && kind != Root::DriveNoSeparator)
            return vtlTraceCall_.result(UINT{DRIVE_NO_ROOT_DIR});
    }
    if (letter == 'C')
        return vtlTraceCall_.result(UINT{DRIVE_FIXED});
    return vtlTraceCall_.result(vtl::isCdDrive(letter) ? UINT{DRIVE_CDROM} : UINT{DRIVE_NO_ROOT_DIR});
}

BOOL GetVolumeInformationA(LPCSTR root, LPSTR label, DWORD labelSize, LPDWORD serialNumber, LPDWORD longestName,
                           LPDWORD flags, LPSTR fileSystem, DWORD fileSystemSize)
{
    VTL_TRACE(kernel, "GetVolumeInformationA", root);
    char letter = 'C';
    if (root) {
        switch (readRoot(root, &letter)) {
        case Root::Drive:
            break;
        case Root::DriveNoSeparator: {
            // "C:" is the current folder of the drive: a root only when the
            // current folder is one (the CD drive's always is).
            std::error_code ec;
            if (letter == 'C' && fs::current_path(ec) != fs::path("/")) {
                SetLastError(ERROR_INVALID_NAME);
                return vtlTraceCall_.result(FALSE);
            }
            break;
        }
        case Root::Folder: {
            const size_t n = std::strlen(root);
            SetLastError(root[n - 1] == '\\' || root[n - 1] == '/' ? ERROR_DIR_NOT_ROOT : ERROR_INVALID_NAME);
            return vtlTraceCall_.result(FALSE);
        }
        case Root::Invalid:
            SetLastError(ERROR_INVALID_NAME);
            return vtlTraceCall_.result(FALSE);
        }
    }
    if (!driveExists(letter)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return vtlTraceCall_.result(FALSE);
    }
    if (letter == 'C') {
        copyOut("", label, labelSize);
        copyOut("NTFS", fileSystem, fileSystemSize);
        if (serialNumber)
            *serialNumber = 0x56544C43; // the same on every run, as a disk's own is
        if (longestName)
            *longestName = 255;
        if (flags)
            *flags = FILE_CASE_SENSITIVE_SEARCH | FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK |
                     FILE_PERSISTENT_ACLS;
        return vtlTraceCall_.result(TRUE);
    }
    const fs::path folder(vtl::cdDriveFolder());
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        SetLastError(ERROR_NOT_READY); // no disc in the drive
        return vtlTraceCall_.result(FALSE);
    }
    // The label is the folder's own name, as far as a disc's label goes.
    std::string name = fs::absolute(folder, ec).lexically_normal().filename().string();
    if (name.empty())
        name = fs::absolute(folder, ec).lexically_normal().parent_path().filename().string();
    const std::string discLabel = name.substr(0, 32);
    copyOut(discLabel, label, labelSize);
    copyOut("CDFS", fileSystem, fileSystemSize);
    if (serialNumber)
        *serialNumber = serialOf(discLabel);
    if (longestName)
        *longestName = 110;
    if (flags)
        *flags = FILE_CASE_SENSITIVE_SEARCH | FILE_UNICODE_ON_DISK | FILE_READ_ONLY_VOLUME;
    return vtlTraceCall_.result(TRUE);
}
