// The registry: keys under the HKEY_* roots holding named values, as games
// keep their settings, install folder and high scores.
//
// Every key of every root is kept, per user, in one text file beside the
// Windows folder (GetWindowsDirectoryA's folder's parent, "registry.reg"),
// in the form of the registry editor's export files, so that a player can
// read and change it by hand:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Maker\Game]
//   @="the default value"
//   "Path"="C:\\Games\\Game"
//   "Volume"=dword:00000040
//   "Keys"=hex:01,02,ff
//   "Other"=hex(2):25,54,00
//
// Strings are REG_SZ with \\ and \" escaped, dword: is REG_DWORD, hex: is
// REG_BINARY and hex(n): any other type n.  Every change replaces the whole
// file (a new one renamed over it), under a lock that other programs on the
// platform take too, and every call reads the newest version: two programs
// share it safely, and a crash mid-write leaves the old file whole.
//
// Results are Windows' (NT's): the calls return the error code, and leave
// GetLastError as it was.  Key and value names are matched without regard
// to case and keep the case they were created with.  Keys are listed in
// the order of their names, values in the order they were first set.
// Access rights are checked (a key opened KEY_READ cannot be written);
// REG_OPTION_VOLATILE keys are kept like the others; classes, security
// and last-write times are not kept.
#ifndef VANTREL_WIN32_REGISTRY_H
#define VANTREL_WIN32_REGISTRY_H

#include <vantrel/win32/files.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/types.h>

struct HKEY__ {
    int unused;
};
typedef struct HKEY__* HKEY;
typedef HKEY* PHKEY;
typedef DWORD REGSAM;
typedef LONG LSTATUS;

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))
#define HKEY_PERFORMANCE_DATA ((HKEY)(ULONG_PTR)((LONG)0x80000004))
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)((LONG)0x80000005))
#define HKEY_DYN_DATA ((HKEY)(ULONG_PTR)((LONG)0x80000006))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_QWORD 11

#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_OPTION_VOLATILE 0x00000001L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_EXECUTE 0x20019
#define KEY_ALL_ACCESS 0xF003F
#ifndef MAXIMUM_ALLOWED
#define MAXIMUM_ALLOWED 0x02000000L
#endif

// `subKey` null or "" opens `key` again, as a new handle.
VANTREL_API LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
VANTREL_API LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result);
// Creates every missing key of the path; `disposition` says whether the
// last one was new.
VANTREL_API LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                                 REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition);
VANTREL_API LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result);
VANTREL_API LONG RegCloseKey(HKEY key);
// A key that has keys under it is refused (ERROR_ACCESS_DENIED), as on NT.
VANTREL_API LONG RegDeleteKeyA(HKEY key, LPCSTR subKey);
// A null or empty name is the key's default value.  A short buffer gives
// ERROR_MORE_DATA with the size needed in *size; REG_SZ sizes count the
// terminating zero the game stored.
VANTREL_API LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                  LPDWORD size);
VANTREL_API LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
VANTREL_API LONG RegDeleteValueA(HKEY key, LPCSTR name);
// The index-th key under `key` (name size in characters, with the zero on
// the way in, without it on the way out); ERROR_NO_MORE_ITEMS past the last.
VANTREL_API LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                               LPSTR keyClass, LPDWORD classSize, PFILETIME lastWrite);
VANTREL_API LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize);
VANTREL_API LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                               LPDWORD type, LPBYTE data, LPDWORD dataSize);
// Every change is on disk when its call returns.
VANTREL_API LONG RegFlushKey(HKEY key);

#define RegOpenKeyEx RegOpenKeyExA
#define RegOpenKey RegOpenKeyA
#define RegCreateKeyEx RegCreateKeyExA
#define RegCreateKey RegCreateKeyA
#define RegDeleteKey RegDeleteKeyA
#define RegQueryValueEx RegQueryValueExA
#define RegSetValueEx RegSetValueExA
#define RegDeleteValue RegDeleteValueA
#define RegEnumKeyEx RegEnumKeyExA
#define RegEnumKey RegEnumKeyA
#define RegEnumValue RegEnumValueA

#endif
