// Which build of the kernels runs: the blitters, the run-length blitters and
// the present's widening each exist as plain C and as vector code per
// instruction set, and all of them give the same bytes.  One chooser serves
// every family, so that they agree, a test forces them together
// (code_path_testing.h), and a new instruction set is added in one place.
//
// Frames may be drawn and presented from more than one thread: the fastest
// path is found once, under the guard of a local static, and a forced path is
// an atomic, so any thread may ask at any time.
#ifndef VANTREL_SEAM_CODE_PATH_H
#define VANTREL_SEAM_CODE_PATH_H

#include <cstddef>

namespace vtl {

// Slowest first, as BM_Surface_BlendBltPath and BM_Present16Widen rank them
// (the SSSE3 build of the blitters measures a little ahead of the SSE2 one).
// An x86 processor that runs a path runs every slower x86 one, so a family
// without a build for the active path takes its next slower build.
// WebAssembly's SIMD (16-byte vectors) comes last: no processor runs it
// beside an x86 path, so below it there is only the plain one.
enum class CodePath { Plain, Sse2, Ssse3, Avx2, Simd128 };

constexpr CodePath kCodePaths[] = {CodePath::Plain, CodePath::Sse2, CodePath::Ssse3, CodePath::Avx2,
                                   CodePath::Simd128};
constexpr std::size_t kCodePathCount = sizeof kCodePaths / sizeof kCodePaths[0];

// "plain", "sse2", ...: for test failures and benchmark labels.
const char* codePathName(CodePath path);

// Whether this processor runs a path (Plain: always).
bool processorRuns(CodePath path);

// The forced path, else the fastest path the processor runs.
CodePath activeCodePath();

// A family's build for the active path: byPath[p] is its build for path p,
// null where the family (or this build of the library) has none.  Null when
// it has none at or below the active path.
template <class Kernels>
const Kernels* activeKernels(const Kernels* const (&byPath)[kCodePathCount])
{
    for (std::size_t p = static_cast<std::size_t>(activeCodePath()) + 1; p-- > 0;)
        if (byPath[p])
            return byPath[p];
    return nullptr;
}

} // namespace vtl

#endif
