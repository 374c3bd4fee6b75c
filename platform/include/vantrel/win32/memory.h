// Memory as Windows hands it out: the memory macros, the global and local
// blocks of 16-bit heritage, heaps, pages of the address space, and the
// pointer probes.
#ifndef VANTREL_WIN32_MEMORY_H
#define VANTREL_WIN32_MEMORY_H

#include <vantrel/win32/types.h>

#include <cstring>

#define ZeroMemory(destination, length) std::memset((destination), 0, (length))
#define CopyMemory(destination, source, length) std::memcpy((destination), (source), (length))
#define MoveMemory(destination, source, length) std::memmove((destination), (source), (length))
#define FillMemory(destination, length, fill) std::memset((destination), (fill), (length))
#define RtlZeroMemory ZeroMemory
#define RtlCopyMemory CopyMemory
#define RtlMoveMemory MoveMemory
#define RtlFillMemory FillMemory

// Global and local blocks (one and the same on 32-bit Windows).  A fixed
// block's handle is its address; a moveable block's handle is not, and
// Lock gives its address and counts the locks (Flags reports the count in
// its low byte).  Unlock returns nonzero while locks remain, and FALSE with
// NO_ERROR when the last goes; FALSE with ERROR_NOT_LOCKED when there was
// none.  Free returns null (for a null handle too), or the handle itself
// with ERROR_INVALID_HANDLE for one that is not a block.  ReAlloc moves a
// block that is fixed or locked only when GMEM_MOVEABLE is given, and
// failing to grow one in place fails with ERROR_NOT_ENOUGH_MEMORY;
// GlobalReAlloc with GMEM_MODIFY | GMEM_MOVEABLE makes a fixed block
// moveable (a new handle).  A moveable block of 0 bytes is discarded: Lock
// fails with ERROR_DISCARDED and Flags reports GMEM_DISCARDED.
typedef HANDLE HGLOBAL;
typedef HANDLE HLOCAL;
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_NOCOMPACT 0x0010
#define GMEM_NODISCARD 0x0020
#define GMEM_ZEROINIT 0x0040
#define GMEM_MODIFY 0x0080
#define GMEM_DISCARDABLE 0x0100
#define GMEM_SHARE 0x2000
#define GMEM_DDESHARE 0x2000
#define GMEM_DISCARDED 0x4000
#define GMEM_LOCKCOUNT 0x00FF
#define GMEM_INVALID_HANDLE 0x8000
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define LMEM_FIXED 0x0000
#define LMEM_MOVEABLE 0x0002
#define LMEM_NOCOMPACT 0x0010
#define LMEM_NODISCARD 0x0020
#define LMEM_ZEROINIT 0x0040
#define LMEM_MODIFY 0x0080
#define LMEM_DISCARDABLE 0x0F00
#define LMEM_DISCARDED 0x4000
#define LMEM_LOCKCOUNT 0x00FF
#define LMEM_INVALID_HANDLE 0x8000
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
#define LHND (LMEM_MOVEABLE | LMEM_ZEROINIT)
#define NONZEROLPTR LMEM_FIXED
#define NONZEROLHND LMEM_MOVEABLE

VANTREL_API HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
VANTREL_API HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, UINT flags);
VANTREL_API LPVOID GlobalLock(HGLOBAL memory);
VANTREL_API BOOL GlobalUnlock(HGLOBAL memory);
VANTREL_API HGLOBAL GlobalFree(HGLOBAL memory);
VANTREL_API SIZE_T GlobalSize(HGLOBAL memory);
VANTREL_API UINT GlobalFlags(HGLOBAL memory);
VANTREL_API HGLOBAL GlobalHandle(LPCVOID address);
VANTREL_API HLOCAL LocalAlloc(UINT flags, SIZE_T bytes);
VANTREL_API HLOCAL LocalReAlloc(HLOCAL memory, SIZE_T bytes, UINT flags);
VANTREL_API LPVOID LocalLock(HLOCAL memory);
VANTREL_API BOOL LocalUnlock(HLOCAL memory);
VANTREL_API HLOCAL LocalFree(HLOCAL memory);
VANTREL_API SIZE_T LocalSize(HLOCAL memory);
VANTREL_API UINT LocalFlags(HLOCAL memory);
VANTREL_API HLOCAL LocalHandle(LPCVOID address);

// Heaps.  A heap made with a maximum size refuses what would exceed it;
// HeapDestroy frees every block left in it.  A failed HeapAlloc returns null
// with ERROR_NOT_ENOUGH_MEMORY; HeapSize returns
// (SIZE_T)-1 for a block that is not the heap's.  HEAP_NO_SERIALIZE is
// accepted and ignored (every heap is safe across threads);
// HEAP_GENERATE_EXCEPTIONS raises nothing: failures return null.
#define HEAP_NO_SERIALIZE 0x00000001
#define HEAP_GROWABLE 0x00000002
#define HEAP_GENERATE_EXCEPTIONS 0x00000004
#define HEAP_ZERO_MEMORY 0x00000008
#define HEAP_REALLOC_IN_PLACE_ONLY 0x00000010
VANTREL_API HANDLE GetProcessHeap();
VANTREL_API HANDLE HeapCreate(DWORD options, SIZE_T initialSize, SIZE_T maximumSize);
VANTREL_API BOOL HeapDestroy(HANDLE heap);
VANTREL_API LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
VANTREL_API LPVOID HeapReAlloc(HANDLE heap, DWORD flags, LPVOID memory, SIZE_T bytes);
VANTREL_API BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID memory);
VANTREL_API SIZE_T HeapSize(HANDLE heap, DWORD flags, LPCVOID memory);

// Pages: reserved in 64 KB-aligned regions, committed (zero-filled) and
// protected page by page, released whole.  PAGE_GUARD and PAGE_NOCACHE
// are refused with ERROR_INVALID_PARAMETER.
#define MEM_COMMIT 0x00001000
#define MEM_RESERVE 0x00002000
#define MEM_DECOMMIT 0x00004000
#define MEM_RELEASE 0x00008000
#define MEM_FREE 0x00010000
#define MEM_PRIVATE 0x00020000
#define MEM_MAPPED 0x00040000
#define MEM_TOP_DOWN 0x00100000
#define MEM_IMAGE 0x01000000
#define PAGE_NOACCESS 0x01
#define PAGE_READONLY 0x02
#define PAGE_READWRITE 0x04
#define PAGE_WRITECOPY 0x08
#define PAGE_EXECUTE 0x10
#define PAGE_EXECUTE_READ 0x20
#define PAGE_EXECUTE_READWRITE 0x40
#define PAGE_EXECUTE_WRITECOPY 0x80
#define PAGE_GUARD 0x100
#define PAGE_NOCACHE 0x200

typedef struct _MEMORY_BASIC_INFORMATION {
    PVOID BaseAddress;
    PVOID AllocationBase;
    DWORD AllocationProtect;
    SIZE_T RegionSize;
    DWORD State;
    DWORD Protect;
    DWORD Type;
} MEMORY_BASIC_INFORMATION, *PMEMORY_BASIC_INFORMATION;

VANTREL_API LPVOID VirtualAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD protect);
VANTREL_API BOOL VirtualFree(LPVOID address, SIZE_T size, DWORD type);
VANTREL_API BOOL VirtualProtect(LPVOID address, SIZE_T size, DWORD protect, DWORD* oldProtect);
VANTREL_API SIZE_T VirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION info, SIZE_T length);

// Whether the process may not read (write) every byte of the range: TRUE for
// null and for any page that is not mapped or not readable (writable); FALSE
// for an empty range.
VANTREL_API BOOL IsBadReadPtr(const void* address, UINT_PTR size);
VANTREL_API BOOL IsBadWritePtr(LPVOID address, UINT_PTR size);

#endif
