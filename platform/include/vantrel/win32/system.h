// What a Windows program asks about the system it runs on: the version,
// the processor, memory, the user and the environment, and the process-wide
// switches (the error mode, a fatal exit).
//
// The version reported is Windows XP Service Pack 3 (5.1, build 2600,
// VER_PLATFORM_WIN32_NT): the error codes of errors.h are NT's, and games of
// the Windows 95 era check for "4.0 or later" or for NT, which XP passes.
// Memory figures are the host's, clamped as Windows clamps them for a 32-bit
// program that is not large-address aware: every figure above 2 GB reads
// 2 GB less one byte, and the address space is the 2 GB such a program has.
#ifndef VANTREL_WIN32_SYSTEM_H
#define VANTREL_WIN32_SYSTEM_H

#include <vantrel/win32/types.h>

#include <cstdarg>

typedef struct _OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
} OSVERSIONINFOA, *POSVERSIONINFOA, *LPOSVERSIONINFOA, OSVERSIONINFO, *POSVERSIONINFO, *LPOSVERSIONINFO;

typedef struct _OSVERSIONINFOEXA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
} OSVERSIONINFOEXA, *POSVERSIONINFOEXA, *LPOSVERSIONINFOEXA, OSVERSIONINFOEX, *POSVERSIONINFOEX, *LPOSVERSIONINFOEX;

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2
#define VER_NT_WORKSTATION 0x0000001

// dwOSVersionInfoSize must be the size of OSVERSIONINFOA or OSVERSIONINFOEXA;
// any other fails with ERROR_INSUFFICIENT_BUFFER.
VANTREL_API BOOL GetVersionExA(LPOSVERSIONINFOA info);
#define GetVersionEx GetVersionExA
// Major version in the low byte, minor in the next, the build in the high
// word (its top bit clear: NT).
VANTREL_API DWORD GetVersion();

typedef struct _SYSTEM_INFO {
    union {
        DWORD dwOemId;
        __extension__ struct {
            WORD wProcessorArchitecture;
            WORD wReserved;
        };
    };
    DWORD dwPageSize;
    LPVOID lpMinimumApplicationAddress;
    LPVOID lpMaximumApplicationAddress;
    DWORD_PTR dwActiveProcessorMask;
    DWORD dwNumberOfProcessors;
    DWORD dwProcessorType;
    DWORD dwAllocationGranularity;
    WORD wProcessorLevel;
    WORD wProcessorRevision;
} SYSTEM_INFO, *LPSYSTEM_INFO;

#define PROCESSOR_ARCHITECTURE_INTEL 0
#define PROCESSOR_ARCHITECTURE_ARM 5
#define PROCESSOR_ARCHITECTURE_AMD64 9
#define PROCESSOR_ARCHITECTURE_ARM64 12
#define PROCESSOR_ARCHITECTURE_UNKNOWN 0xFFFF
#define PROCESSOR_INTEL_386 386
#define PROCESSOR_INTEL_486 486
#define PROCESSOR_INTEL_PENTIUM 586
#define PROCESSOR_AMD_X8664 8664

// The host's processor count and page size, 64 KB allocation granularity,
// the architecture the program was built for.
VANTREL_API void GetSystemInfo(LPSYSTEM_INFO info);

typedef struct _MEMORYSTATUS {
    DWORD dwLength;
    DWORD dwMemoryLoad;
    SIZE_T dwTotalPhys;
    SIZE_T dwAvailPhys;
    SIZE_T dwTotalPageFile;
    SIZE_T dwAvailPageFile;
    SIZE_T dwTotalVirtual;
    SIZE_T dwAvailVirtual;
} MEMORYSTATUS, *LPMEMORYSTATUS;

// The page file is the host's memory and swap together, as Windows' commit
// limit is.  dwLength is set, not read.
VANTREL_API void GlobalMemoryStatus(LPMEMORYSTATUS status);

// The user's login name; *size counts the terminating zero, in and out.
// A short buffer fails with ERROR_INSUFFICIENT_BUFFER and *size set to what
// is needed.
VANTREL_API BOOL GetUserNameA(LPSTR buffer, LPDWORD size);
#define GetUserName GetUserNameA

// The process's environment, names matched without regard to case.  Get
// returns the value's length, or, when it does not fit, the size needed with
// the terminating zero; 0 with ERROR_ENVVAR_NOT_FOUND for no such variable.
// Set with a null value removes the variable.
VANTREL_API DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);
VANTREL_API BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value);
#define GetEnvironmentVariable GetEnvironmentVariableA
#define SetEnvironmentVariable SetEnvironmentVariableA

// number * numerator / denominator through a 64-bit product, rounded half
// away from zero; -1 when the denominator is 0 or the result does not fit.
VANTREL_API int MulDiv(int number, int numerator, int denominator);

// Recorded and returned; the host shows none of the boxes these switch off.
#define SEM_FAILCRITICALERRORS 0x0001
#define SEM_NOGPFAULTERRORBOX 0x0002
#define SEM_NOALIGNMENTFAULTEXCEPT 0x0004
#define SEM_NOOPENFILEERRORBOX 0x8000
VANTREL_API UINT SetErrorMode(UINT mode);

// Shows `text` in an error box (and through Msg) and ends the process with
// exit code 1.
VANTREL_API void FatalAppExitA(UINT action, LPCSTR text);
#define FatalAppExit FatalAppExitA

// The text of a system error code (FORMAT_MESSAGE_FROM_SYSTEM), in English,
// for every code the platform sets, or of a message string
// (FORMAT_MESSAGE_FROM_STRING), with its inserts (%1 to %99, each with an
// optional printf format between exclamation marks, %n, %0, %%) taken from
// `arguments` or, with FORMAT_MESSAGE_ARGUMENT_ARRAY, from an array of
// DWORD_PTR.  Message tables of modules are not supported.
#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FF
VANTREL_API DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer,
                                 DWORD size, va_list* arguments);
#define FormatMessage FormatMessageA

#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SUBLANG_ENGLISH_US 0x01
#define MAKELANGID(primary, sub) ((((WORD)(sub)) << 10) | (WORD)(primary))
#define PRIMARYLANGID(lang) ((WORD)(lang)&0x3FF)
#define SUBLANGID(lang) ((WORD)(lang) >> 10)

#endif
