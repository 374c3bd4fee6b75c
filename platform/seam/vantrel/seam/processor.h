// The vector instruction sets this processor runs, for the code-path chooser
// (code_path.h).  x86's sets are asked of the processor; WebAssembly's SIMD
// is the build's (a module with SIMD in it only loads where the browser has
// it).  Always false elsewhere, where the plain kernels run.
#ifndef VANTREL_SEAM_PROCESSOR_H
#define VANTREL_SEAM_PROCESSOR_H

namespace vtl {

enum class VectorSet { Sse2, Ssse3, Avx2, Simd128 };

bool processorHas(VectorSet set);

} // namespace vtl

#endif
