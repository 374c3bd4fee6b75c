// The asynchronous host look-ups: each runs the host's resolver on a thread of
// its own and reports to the window with PostMessageA.
#ifndef VANTREL_PLATFORM_WINSOCK_HOST_LOOKUP_H
#define VANTREL_PLATFORM_WINSOCK_HOST_LOOKUP_H

#include "platform/host/sockets.h"

#include <cstddef>

namespace vtl {

using host::HostRecord;

// Lays out `host` as a hostent in `buffer`, the structure first and the
// arrays and strings it points to after it.  Returns the bytes used, or the
// bytes needed (and writes nothing) when that is more than `size`.
size_t layOutHostent(const HostRecord& host, char* buffer, size_t size, bool* fits);

// Cancels every look-up still running (WSACleanup).
void cancelAllHostLookups();

} // namespace vtl

#endif
