// Test hooks of the call trace.
#ifndef VANTREL_PLATFORM_KERNEL_TRACE_TESTING_H
#define VANTREL_PLATFORM_KERNEL_TRACE_TESTING_H

namespace vtl::testing::trace {

// Reads VANTREL_TRACE and VANTREL_TRACE_FILE again at the next call, as a new
// process would; the trace file is closed.
void reset();

} // namespace vtl::testing::trace

#endif
