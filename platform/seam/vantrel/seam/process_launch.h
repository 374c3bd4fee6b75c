// Starting helper programs of the desktop, and the browser.
#ifndef VANTREL_SEAM_PROCESS_LAUNCH_H
#define VANTREL_SEAM_PROCESS_LAUNCH_H

namespace vtl {

// Starts `program` (looked up in PATH) with one argument, detached: the game
// neither waits for it nor is left with a finished child to collect.  False
// when it cannot be started at all; a program missing from PATH is only
// noticed by the detached child, which then ends quietly.
bool startDetached(const char* program, const char* argument);

// Opens `address` in the user's web browser (xdg-open on Linux, the shell's
// association on Windows), detached as above.  False when nothing could be
// started.
bool openWebAddress(const char* address);

} // namespace vtl

#endif
