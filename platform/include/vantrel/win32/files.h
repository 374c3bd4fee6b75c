// Files and folders the way a game of the era reaches them: CreateFileA and
// its handle calls, DeleteFileA, the folder search, the current folder and
// the program's own file name.
//
// Names.  Every name a game passes is a Windows name: backslashes and
// slashes both separate folders; "C:\Games\x" is the absolute path
// /Games/x (the host's whole file system is drive C:, whatever the letter),
// "C:x" and "\x" are relative to the current folder and to the root.  A
// name that does not exist as written is looked up without regard to case,
// one folder at a time, as a Windows file system would: the first match in
// byte order of the folder's names wins.  A name the game creates keeps the
// case it was given.  Names the system returns (GetCurrentDirectoryA,
// GetModuleFileNameA) are in the same Windows form, "C:\home\me\game", so
// that a game cutting them at the last backslash finds its folder.
//
// Files are opened without sharing restrictions (share modes are accepted
// and ignored) and read and written synchronously; sizes and offsets above
// 4 GiB go through the high words as on Windows.
#ifndef VANTREL_WIN32_FILES_H
#define VANTREL_WIN32_FILES_H

#include <vantrel/win32/errors.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/types.h>

// Repeating a typedef is allowed, so other headers may declare it too.
typedef LONG* PLONG;

#define GENERIC_READ 0x80000000L
#define GENERIC_WRITE 0x40000000L
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004

#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_FLAG_SEQUENTIAL_SCAN 0x08000000
#define FILE_FLAG_RANDOM_ACCESS 0x10000000

#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_SET_FILE_POINTER ((DWORD)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)

typedef struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

typedef struct _WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
} WIN32_FIND_DATAA, *PWIN32_FIND_DATAA, *LPWIN32_FIND_DATAA;
typedef WIN32_FIND_DATAA WIN32_FIND_DATA;
typedef LPWIN32_FIND_DATAA LPWIN32_FIND_DATA;

// Accepted for source compatibility; overlapped (asynchronous) reading is
// not supported and ReadFile/WriteFile fail when given one.
typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;

// Creation follows the disposition: CREATE_NEW fails with ERROR_FILE_EXISTS
// on an existing file; CREATE_ALWAYS and OPEN_ALWAYS succeed on one and set
// ERROR_ALREADY_EXISTS; OPEN_EXISTING and TRUNCATE_EXISTING fail with
// ERROR_FILE_NOT_FOUND (ERROR_PATH_NOT_FOUND when a folder is missing).
// INVALID_HANDLE_VALUE on failure.  Closed with CloseHandle.
//
// Names are checked first, with Windows NT's codes: "" is ERROR_PATH_NOT_FOUND;
// a wildcard, one of < > | " or a colon past the drive ("C:C:\x") is
// ERROR_INVALID_NAME; a name ending in a backslash is never taken for the
// file without it: ERROR_PATH_NOT_FOUND for a folder, ERROR_INVALID_NAME
// for a file, not found when missing.  A folder named without it is
// ERROR_ACCESS_DENIED.  The same holds for DeleteFileA.
VANTREL_API HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE templateFile);
// Reading at the end of the file succeeds with 0 bytes read.  A null buffer
// for a non-zero count fails: ReadFile with ERROR_NOACCESS, WriteFile with
// ERROR_INVALID_USER_BUFFER (NT's codes; Windows 9x wrote from address 0).
VANTREL_API BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped);
VANTREL_API BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED overlapped);
// Returns the low 32 bits of the new offset (the high ones go to *high when
// given), or INVALID_SET_FILE_POINTER with ERROR_NEGATIVE_SEEK for an offset
// before the start.  Moving past the end is allowed; a write there fills the
// gap with zeros.
VANTREL_API DWORD SetFilePointer(HANDLE file, LONG distance, PLONG high, DWORD method);
VANTREL_API DWORD GetFileSize(HANDLE file, LPDWORD high);
VANTREL_API BOOL DeleteFileA(LPCSTR name);

// The folder search.  `pattern` is a folder and a mask of * and ? matched
// without regard to case ("*.*" matches every name, dotted or not); the
// current folder's "." and ".." come first when the mask matches them, then
// the names in the order a Windows file system lists them (case-insensitive
// alphabetical).  FindFirstFileA fails with ERROR_FILE_NOT_FOUND when nothing
// matches; FindNextFileA with ERROR_NO_MORE_FILES at the end.
VANTREL_API HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
VANTREL_API BOOL FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data);
VANTREL_API BOOL FindClose(HANDLE search);

// Both return the length written without the terminating zero, or, when the
// buffer is too small, the size needed (GetCurrentDirectoryA, counting the
// zero) or `size` with the name cut (GetModuleFileNameA, with
// ERROR_INSUFFICIENT_BUFFER).  GetModuleFileNameA knows the program itself:
// a null module or the program's own handle.
VANTREL_API DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);
// A missing folder is ERROR_FILE_NOT_FOUND, a missing folder above it
// ERROR_PATH_NOT_FOUND, a file ERROR_DIRECTORY.
VANTREL_API BOOL SetCurrentDirectoryA(LPCSTR name);
VANTREL_API DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);

// The Windows folder, where the settings files named without a folder live
// (see profile.h): the folder VANTREL_WINDOWS_DIR names, by default
// $XDG_CONFIG_HOME/vantrel/windows (~/.config/vantrel/windows).  Made when a
// settings file is first written there.
VANTREL_API UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);

#define CreateFile CreateFileA
#define DeleteFile DeleteFileA
#define FindFirstFile FindFirstFileA
#define FindNextFile FindNextFileA
#define GetCurrentDirectory GetCurrentDirectoryA
#define SetCurrentDirectory SetCurrentDirectoryA
#define GetModuleFileName GetModuleFileNameA
#define GetWindowsDirectory GetWindowsDirectoryA

#endif
