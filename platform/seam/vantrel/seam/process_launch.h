// Starting helper programs of the desktop (a browser through xdg-open).
#ifndef VANTREL_SEAM_PROCESS_LAUNCH_H
#define VANTREL_SEAM_PROCESS_LAUNCH_H

namespace vtl {

// Starts `program` (looked up in PATH) with one argument, detached: the game
// neither waits for it nor is left with a finished child to collect.  False
// when it cannot be started at all; a program missing from PATH is only
// noticed by the detached child, which then ends quietly.
bool startDetached(const char* program, const char* argument);

} // namespace vtl

#endif
