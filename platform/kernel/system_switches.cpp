// The process-wide switches of system.h and MulDiv, the arithmetic helper
// Windows keeps in its kernel.
#include "platform/kernel/trace.h"

#include <vantrel/win32/system.h>

#include <atomic>
#include <cstdint>

namespace {

std::atomic<UINT> gErrorMode{0};

} // namespace

UINT SetErrorMode(UINT mode)
{
    VTL_TRACE(kernel, "SetErrorMode", mode);
    return vtlTraceCall_.result(gErrorMode.exchange(mode));
}

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    int64_t product = int64_t(number) * numerator;
    int64_t divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    // Half away from zero.
    const int64_t result = product >= 0 ? (product + divisor / 2) / divisor : (product - divisor / 2) / divisor;
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return static_cast<int>(result);
}
