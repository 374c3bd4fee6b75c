// The vector instruction sets this processor runs, for code that picks its
// kernels at run time (the blitters, the present's widening).  Always false
// off x86, where the plain kernels run.
#ifndef VANTREL_SEAM_PROCESSOR_H
#define VANTREL_SEAM_PROCESSOR_H

namespace vtl {

enum class VectorSet { Sse2, Ssse3, Avx2 };

bool processorHas(VectorSet set);

} // namespace vtl

#endif
