// The vector instruction sets this processor runs, for the code-path chooser
// (code_path.h).  Always false off x86, where the plain kernels run.
#ifndef VANTREL_SEAM_PROCESSOR_H
#define VANTREL_SEAM_PROCESSOR_H

namespace vtl {

enum class VectorSet { Sse2, Ssse3, Avx2 };

bool processorHas(VectorSet set);

} // namespace vtl

#endif
