// Folders, attributes, copies, file times, disk space and mapped files, on
// the same Windows names as CreateFileA (see files.h), with Windows NT's
// results and GetLastError codes.
#ifndef VANTREL_WIN32_FILE_SYSTEM_H
#define VANTREL_WIN32_FILE_SYSTEM_H

#include <vantrel/win32/files.h>
#include <vantrel/win32/memory.h>
#include <vantrel/win32/timing.h>
#include <vantrel/win32/types.h>

#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)

// FILE_ATTRIBUTE_DIRECTORY for folders, FILE_ATTRIBUTE_ARCHIVE for files
// (FILE_ATTRIBUTE_NORMAL is never reported with another bit), with
// FILE_ATTRIBUTE_READONLY when the owner may not write.  Setting READONLY
// takes the host's write permission away; NORMAL or ARCHIVE alone gives it
// back.  HIDDEN and SYSTEM are accepted and not kept.
VANTREL_API DWORD GetFileAttributesA(LPCSTR name);
VANTREL_API BOOL SetFileAttributesA(LPCSTR name, DWORD attributes);

// ERROR_ALREADY_EXISTS for any existing name; RemoveDirectoryA fails with
// ERROR_DIR_NOT_EMPTY, ERROR_DIRECTORY on a file.
VANTREL_API BOOL CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES security);
VANTREL_API BOOL RemoveDirectoryA(LPCSTR name);

// CopyFileA copies the bytes, the write time and read-only; with
// failIfExists an existing target is ERROR_FILE_EXISTS, a read-only one
// ERROR_ACCESS_DENIED either way.  MoveFileA renames files and folders,
// across folders too; an existing target is ERROR_ALREADY_EXISTS.
VANTREL_API BOOL CopyFileA(LPCSTR existing, LPCSTR target, BOOL failIfExists);
VANTREL_API BOOL MoveFileA(LPCSTR existing, LPCSTR target);

// Times in 100-nanosecond units since 1601-01-01 UTC.  The host keeps no
// creation time: GetFileTime reports the last change of the file's status
// for it, and SetFileTime sets the access and write times only.
VANTREL_API BOOL GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME access, LPFILETIME write);
VANTREL_API BOOL SetFileTime(HANDLE file, const FILETIME* creation, const FILETIME* access, const FILETIME* write);
VANTREL_API BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime);
VANTREL_API BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime);
// The host's time zone, with the offset in force now (as Windows does),
// not the one in force at the converted time.
VANTREL_API BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localTime);
VANTREL_API BOOL LocalFileTimeToFileTime(const FILETIME* localTime, LPFILETIME fileTime);
VANTREL_API LONG CompareFileTime(const FILETIME* first, const FILETIME* second);
VANTREL_API void GetSystemTimeAsFileTime(LPFILETIME time);

// The file system that holds `root` (a null root: the current folder's),
// as 512-byte sectors of 8 per cluster.  Like Windows, the counts are
// clamped so that neither amount exceeds 2 GB - 64 KB, which a game of the
// era reading them into 32-bit numbers expects.
VANTREL_API BOOL GetDiskFreeSpaceA(LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector,
                                   LPDWORD freeClusters, LPDWORD totalClusters);
// The Windows folder (GetWindowsDirectoryA) followed by "\system32": a game
// finds no system files there.
VANTREL_API UINT GetSystemDirectoryA(LPSTR buffer, UINT size);

#define FILE_MAP_COPY 0x0001
#define FILE_MAP_WRITE 0x0002
#define FILE_MAP_READ 0x0004
#define FILE_MAP_ALL_ACCESS 0x000F001F

// File mappings.  A mapping of a file (opened with GENERIC_READ, and
// GENERIC_WRITE for PAGE_READWRITE) shares its pages with the file, so a
// view sees what WriteFile writes and the file what the view stores; one
// of INVALID_HANDLE_VALUE is memory of its own, shared by all its views,
// which start zeroed.  A mapping larger than its file grows the file (size
// 0: the file's size; an empty file with size 0 is ERROR_FILE_INVALID).
// Names are refused with a Msg: another process could not open them.
VANTREL_API HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protect, DWORD sizeHigh,
                                      DWORD sizeLow, LPCSTR name);
// The offset must be a multiple of 64 KB (ERROR_MAPPED_ALIGNMENT); 0 bytes
// maps to the end of the mapping.  A view outlives CloseHandle on its mapping.
VANTREL_API LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes);
VANTREL_API BOOL UnmapViewOfFile(LPCVOID address);
VANTREL_API BOOL FlushViewOfFile(LPCVOID address, SIZE_T bytes);

#define GetFileAttributes GetFileAttributesA
#define SetFileAttributes SetFileAttributesA
#define CreateDirectory CreateDirectoryA
#define RemoveDirectory RemoveDirectoryA
#define CopyFile CopyFileA
#define MoveFile MoveFileA
#define GetDiskFreeSpace GetDiskFreeSpaceA
#define GetSystemDirectory GetSystemDirectoryA
#define CreateFileMapping CreateFileMappingA

#endif
