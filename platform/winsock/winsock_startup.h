// Whether WSAStartup is in force, for the calls that need the library's own
// machinery (notifications and look-ups).
#ifndef VANTREL_PLATFORM_WINSOCK_WINSOCK_STARTUP_H
#define VANTREL_PLATFORM_WINSOCK_WINSOCK_STARTUP_H

namespace vtl {

bool winsockStarted();

} // namespace vtl

#endif
