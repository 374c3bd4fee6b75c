// Test hooks of the blitters: force every blitter family (surface blits,
// run-length images, lookup images, quadrant blends) onto one code path, so
// that tests hold each path to the plain one and benchmarks time each.
//
// Same convention as the other subsystems' *_testing.h; the blitters have no
// calls to fail, so only the path switch and reset() are here.
#ifndef VANTREL_SURFACE_SURFACE_TESTING_H
#define VANTREL_SURFACE_SURFACE_TESTING_H

#include "surface/blit_rows.h"

namespace vtl {
namespace testing {
namespace surface {

using Path = BlitPath;

// Whether this processor (and this build) can run `path`.
inline bool pathSupported(Path path) { return blitPathSupported(path); }
// Every blitter runs `path` from now on.  False, changing nothing, for a path
// the processor cannot run.
inline bool forcePath(Path path) { return setBlitPath(path); }
inline Path activePath() { return activeBlitPath(); }
// Back to the fastest path the processor runs.
inline void reset() { setBlitPath(BlitPath::Auto); }

} // namespace surface
} // namespace testing
} // namespace vtl

#endif
