// Test hooks of the display handle.  Same convention as the other
// subsystems' *_testing.h; the handle's calls are failed through the
// DirectDraw hooks (platform/ddraw/ddraw_testing.h), so only reset() is here.
#ifndef VANTREL_DISPLAY_DISPLAY_TESTING_H
#define VANTREL_DISPLAY_DISPLAY_TESTING_H

namespace vtl::testing::display {

// The notices said once per process are said again.
void reset();

} // namespace vtl::testing::display

#endif
