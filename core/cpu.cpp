#include "core/cpu.h"

#include <vantrel/core.h>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace {
bool gMmx = false;
}

bool vtl::mmxFlag() { return gMmx; }
void vtl::setMmxFlag(bool value) { gMmx = value; }

bool CPUwithMMX()
{
#if defined(__i386__) || defined(__x86_64__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    gMmx = __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (edx & (1u << 23)) != 0;
#else
    gMmx = false;
#endif
    return gMmx;
}
