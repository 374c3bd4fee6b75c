// Drives: C:, the host's root, and a CD-ROM drive (D: unless
// VANTREL_CD_DRIVE names another letter) whose disc is the virtual CD's
// folder.  The drive is always there, as a CD-ROM drive is on a machine that
// has one; its volume answers (label: the folder's name) only while the
// folder exists, so a game's "is the disc in the drive?" check passes when
// the disc's folder is present.  Names on the drive ("D:\DATA\INTRO.AVI")
// are looked up in the folder.
#ifndef VANTREL_WIN32_DRIVES_H
#define VANTREL_WIN32_DRIVES_H

#include <vantrel/win32/types.h>

#ifndef ERROR_NOT_READY
#define ERROR_NOT_READY 21L
#endif
#ifndef ERROR_DIR_NOT_ROOT
#define ERROR_DIR_NOT_ROOT 144L
#endif

// GetDriveTypeA.
#define DRIVE_UNKNOWN 0
#define DRIVE_NO_ROOT_DIR 1
#define DRIVE_REMOVABLE 2
#define DRIVE_FIXED 3
#define DRIVE_REMOTE 4
#define DRIVE_CDROM 5
#define DRIVE_RAMDISK 6

// GetVolumeInformationA's file system flags.
#define FILE_CASE_SENSITIVE_SEARCH 0x00000001
#define FILE_CASE_PRESERVED_NAMES 0x00000002
#define FILE_UNICODE_ON_DISK 0x00000004
#define FILE_PERSISTENT_ACLS 0x00000008
#define FILE_READ_ONLY_VOLUME 0x00080000

// A bit for each drive: bit 0 is A:.
VANTREL_API DWORD GetLogicalDrives();
// "C:\", "D:\", each ended by a zero and the list by another; the length
// without the last zero, or the size needed when `size` is too small.
VANTREL_API DWORD GetLogicalDriveStringsA(DWORD size, LPSTR buffer);
// The kind of the drive a root ("D:\", or "D:") names, DRIVE_NO_ROOT_DIR for
// anything else; null is the current folder's drive.
VANTREL_API UINT GetDriveTypeA(LPCSTR root);
// A volume's label, serial number, longest name, flags and file system
// ("NTFS", "CDFS").  FALSE with ERROR_NOT_READY for the CD drive while its
// folder is missing.
VANTREL_API BOOL GetVolumeInformationA(LPCSTR root, LPSTR label, DWORD labelSize, LPDWORD serialNumber,
                                       LPDWORD longestName, LPDWORD flags, LPSTR fileSystem,
                                       DWORD fileSystemSize);

#define GetLogicalDriveStrings GetLogicalDriveStringsA
#define GetDriveType GetDriveTypeA
#define GetVolumeInformation GetVolumeInformationA

#endif
