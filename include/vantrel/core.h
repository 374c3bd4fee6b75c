// Core services: the counted heap, debug messages, the CPU test and the block
// copies.  Every other part of the library uses these, and games may too.
#ifndef VANTREL_CORE_H
#define VANTREL_CORE_H

#include <vantrel/win32/debug.h>
#include <vantrel/win32/types.h>

// Zero-filled memory preceded by a 4-byte header holding the requested size.
// The process-wide counter of bytes in use rises and falls with these calls.
// Both return null (and leave the counter alone) when memory runs out.
VANTREL_API void* MemAlloc(unsigned size);
// count x size bytes; the product is taken in 32 bits, as the counter is.
VANTREL_API void* CMemAlloc(unsigned count, unsigned size);
// Frees a block from MemAlloc/CMemAlloc; null is ignored.
VANTREL_API void MemFree(void* block);
// Logs "VTL TotalMemoryUsed = N" and returns N, the bytes currently allocated.
VANTREL_API DWORD MemUsed();

// Formats a message, appends "\r\n" and sends it to OutputDebugStringA.
// The finished text (with its "\r\n" and terminator) is limited to 256 bytes;
// a longer message is cut so that it still ends in "\r\n".  As on the system
// the library was first written for, the `l` length modifier means 32 bits:
// "%lu" and "%08lx" print a DWORD or an unsigned long alike.
VANTREL_API void Msg(const char* format, ...);

// True when the processor has MMX (CPUID function 1, EDX bit 23); always
// false on processors without CPUID.  Also records the answer for the copies.
VANTREL_API bool CPUwithMMX();

// Forward copy of n bytes.  Ranges that overlap are copied as memmove would.
VANTREL_API void mmxmemcpy(void* dst, const void* src, unsigned n);
// Writes n zero bytes.  The value is not used: this routine always clears.
VANTREL_API void mmxmemset(void* dst, DWORD value, unsigned n);
// Copies whole 32-byte blocks working back from the end of the range: the
// first n % 32 bytes are not copied (so counts below 32 copy nothing).
VANTREL_API void fpumemcpy(unsigned char* dst, const unsigned char* src, DWORD n);

#endif
