// Winsock error numbers from the system's errors.
#ifndef VANTREL_PLATFORM_HOST_POSIX_WINSOCK_ERRORS_H
#define VANTREL_PLATFORM_HOST_POSIX_WINSOCK_ERRORS_H

namespace vtl {

// The Winsock number for an errno value (values already in Winsock's range
// pass through).
int wsaErrorFromErrno(int error);
// The Winsock number for a getaddrinfo/getnameinfo result.
int wsaErrorFromLookup(int result);

} // namespace vtl

#endif
