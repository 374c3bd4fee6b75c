// The host's requests to end the program (Ctrl-C, a terminating signal from
// a session or a supervisor), turned into one call the window system answers
// the way Windows programs expect.  Declared for every host;
// platform/host/<system>/ implements it.
#ifndef VANTREL_PLATFORM_HOST_QUIT_SIGNALS_H
#define VANTREL_PLATFORM_HOST_QUIT_SIGNALS_H

namespace vtl::host {

// From now on a request to end the program calls `onQuit` on a thread of the
// host layer's own.  onQuit returns false when nothing can answer (no window
// to close): the program then ends at once, as it would without the watch.
// A second request within three seconds of the first also ends it at once,
// so that a program that ignores the first can still be stopped.  Requests
// more than three seconds apart are each a first one.  Only the first call
// installs the watch; later ones do nothing.
void watchQuitRequests(bool (*onQuit)());

} // namespace vtl::host

#endif
