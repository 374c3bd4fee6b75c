// Pages of the address space, for the Windows virtual-memory calls and the
// pointer probes.  Declared for every host; platform/host/<system>/
// implements it.
#ifndef VANTREL_PLATFORM_HOST_MEMORY_PAGES_H
#define VANTREL_PLATFORM_HOST_MEMORY_PAGES_H

#include <cstddef>
#include <cstdint>

namespace vtl::host {

enum PageAccess : unsigned { kNoAccess = 0, kRead = 1, kWrite = 2, kExecute = 4 };

// Reserves `size` bytes of address space nobody may touch, at `at` exactly
// when it is not null (failing if anything is mapped there), aligned to
// `alignment` (a power of two) otherwise.  Null on failure.
void* reservePages(void* at, size_t size, size_t alignment);
void releasePages(void* base, size_t size);
// Gives pages the access asked for; zero-filled the first time.
bool protectPages(void* base, size_t size, unsigned access);
// Takes the pages' contents away (they read as zeros when committed again)
// and makes them inaccessible.
bool discardPages(void* base, size_t size);

// What the process may do with the page holding `address`, or false when
// the page is not mapped at all.  `regionEnd` receives the end of the run of
// pages with that same access (or, unmapped, where the next mapping starts).
bool pageAccess(const void* address, unsigned& access, uintptr_t& regionStart, uintptr_t& regionEnd);

} // namespace vtl::host

#endif
