// Block copies.  The results are those of the original 8-byte MMX, 4-byte and
// x87 loops; the work is left to the C library's memcpy/memmove, which uses
// the widest vector moves the processor has, so both MMX answers take the
// same fast path.
#include <vantrel/core.h>

#include <cstring>

namespace {
bool overlaps(const void* a, const void* b, size_t n)
{
    auto pa = reinterpret_cast<uintptr_t>(a);
    auto pb = reinterpret_cast<uintptr_t>(b);
    return pa < pb + n && pb < pa + n;
}
} // namespace

void mmxmemcpy(void* dst, const void* src, unsigned n)
{
    if (n == 0)
        return;
    if (overlaps(dst, src, n))
        std::memmove(dst, src, n);
    else
        std::memcpy(dst, src, n);
}

void mmxmemset(void* dst, DWORD, unsigned n)
{
    if (n)
        std::memset(dst, 0, n);
}

void fpumemcpy(unsigned char* dst, const unsigned char* src, DWORD n)
{
    const DWORD skipped = n % 32; // the leading bytes the block loop never reaches
    const DWORD copied = n - skipped;
    if (copied == 0)
        return;
    std::memmove(dst + skipped, src + skipped, copied);
}
