// The asynchronous host look-ups: each runs the system's resolver on a thread
// of its own and reports to the window with PostMessageA.
#ifndef VANTREL_PLATFORM_WINSOCK_HOST_LOOKUP_H
#define VANTREL_PLATFORM_WINSOCK_HOST_LOOKUP_H

#include <cstdint>
#include <string>
#include <vector>

namespace vtl {

// What a look-up found: the official name and IPv4 addresses (network order).
struct HostRecord {
    std::string name;
    std::vector<uint32_t> addresses;
};

// Lays out `host` as a hostent in `buffer`, the structure first and the
// arrays and strings it points to after it.  Returns the bytes used, or the
// bytes needed (and writes nothing) when that is more than `size`.
size_t layOutHostent(const HostRecord& host, char* buffer, size_t size, bool* fits);

// Cancels every look-up still running (WSACleanup).
void cancelAllHostLookups();

} // namespace vtl

#endif
