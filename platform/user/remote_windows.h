// Top-level windows of other processes on the same desktop.
//
// A game asks whether another copy of itself runs (FindWindowA by class) and
// brings that copy forward.  Each process publishes its top-level windows as
// small files in a per-desktop directory (class, title, minimised state) and
// listens on a datagram socket there for requests from other processes
// (restore, bring to front), which its window thread carries out when it
// next reads messages.  The desktop is the X display on the SDL backend, and
// VANTREL_HEADLESS_DESKTOP (default "default") on the headless one.
//
// Window handles are 32-bit values that name one window on the desktop
// (window_table.h): each process claims a slot there, a file "<n>.slot"
// holding its process id, and the slot goes into every handle it makes, so
// a handle of another process leads to that process's socket.
#ifndef VANTREL_PLATFORM_USER_REMOTE_WINDOWS_H
#define VANTREL_PLATFORM_USER_REMOTE_WINDOWS_H

#include "platform/user/window_table.h"

namespace vtl {

enum RemoteRequest : WPARAM { kRemoteRestore = 1, kRemoteForeground = 2 };

// Our own windows: published while they exist.
void publishWindow(const Window& w);
void unpublishWindow(HWND hwnd);

// This process's slot on the desktop, claimed on first use (a slot whose
// process has ended is taken over).
uint32_t windowSlot();

bool isRemoteHandle(HWND hwnd);
HWND findRemoteWindow(const char* className, const char* title);
bool remoteWindowExists(HWND hwnd);
bool remoteWindowIconic(HWND hwnd);
bool sendRemoteRequest(HWND hwnd, RemoteRequest request);

// Runs a request that arrived for one of our windows (on its thread).
void handleRemoteRequest(HWND hwnd, WPARAM request);

} // namespace vtl

#endif
