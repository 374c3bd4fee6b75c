// Test hooks of the code-path chooser (code_path.h): every kernel family
// onto one path at once, so that tests hold each path to the plain one and
// benchmarks time each.  The chooser has no calls to fail, so only the
// switch and reset() are here.
#ifndef VANTREL_SEAM_CODE_PATH_TESTING_H
#define VANTREL_SEAM_CODE_PATH_TESTING_H

#include <vantrel/seam/code_path.h>

namespace vtl::testing::codepath {

// Every family runs `path` from now on (one without a build for it, its next
// slower build).  False, changing nothing, for a path this processor cannot
// run.
bool force(CodePath path);
// Back to the fastest path the processor runs.
void reset();

} // namespace vtl::testing::codepath

#endif
