// The largest buffer a surface or image of the library may hold.
//
// The games were written for 32-bit Windows, where a process has 2 GiB of
// address space: a surface or image needing more could never be made there.
// A header that asks for one (a TGA of 65,535 x 65,535 pixels, say) is
// refused as the failed allocation it would have been, rather than served
// from a 64-bit heap that hands out gigabytes lazily.
#ifndef VANTREL_CORE_BUFFER_LIMIT_H
#define VANTREL_CORE_BUFFER_LIMIT_H

#include <cstdint>

namespace vtl {

// Every buffer an object owns, together, stays below this many bytes.
constexpr uint64_t kBufferLimit = uint64_t{1} << 31;

// Whether `count` items of `size` bytes, and `extra` bytes more, stay below
// the limit (worked without overflowing on the way).
inline bool withinBufferLimit(uint64_t size, uint64_t count, uint64_t extra = 0)
{
    if (count != 0 && size > (kBufferLimit - 1) / count)
        return false;
    return extra < kBufferLimit && size * count < kBufferLimit - extra;
}

} // namespace vtl

#endif
