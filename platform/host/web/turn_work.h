// The platform's background work in a page (addTurnWork in threads.h), run
// by the waits of waiting.cpp.
#ifndef VANTREL_PLATFORM_HOST_WEB_TURN_WORK_H
#define VANTREL_PLATFORM_HOST_WEB_TURN_WORK_H

#include "platform/host/waiting.h"

namespace vtl::host {

// Runs every step that is due; returns when the earliest is next due.  From
// inside a step (one that waits) it runs none and says so by returning the
// far future, so that steps never overlap.
WaitClock::time_point runTurnWork();

} // namespace vtl::host

#endif
