// A page gets no signals to end it: the player ends the game by closing the
// tab, which ends the program with it.  Nothing to watch, and no thread to
// watch with (the web build runs on the browser's one thread).
#include "platform/host/quit_signals.h"

namespace vtl::host {

void watchQuitRequests(bool (*)()) {}

} // namespace vtl::host
