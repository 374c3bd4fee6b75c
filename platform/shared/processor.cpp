#include <vantrel/seam/processor.h>

bool vtl::processorHas(VectorSet set)
{
#if defined(__x86_64__) || defined(__i386__)
    switch (set) {
    case VectorSet::Sse2:
        return __builtin_cpu_supports("sse2");
    case VectorSet::Ssse3:
        return __builtin_cpu_supports("ssse3");
    case VectorSet::Avx2:
        return __builtin_cpu_supports("avx2");
    case VectorSet::Simd128:
        return false;
    }
    return false;
#elif defined(__wasm_simd128__)
    return set == VectorSet::Simd128;
#else
    (void)set;
    return false;
#endif
}
