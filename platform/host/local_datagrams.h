// Datagrams between processes of one user on one machine, addressed by a
// path in a folder they share (platform/host/files.h).  Declared for every
// host; platform/host/<system>/ implements it.
#ifndef VANTREL_PLATFORM_HOST_LOCAL_DATAGRAMS_H
#define VANTREL_PLATFORM_HOST_LOCAL_DATAGRAMS_H

#include <cstddef>
#include <functional>
#include <string>

namespace vtl::host {

// Takes `path` as this process's address (replacing a stale one) and calls
// `received` for every datagram that arrives there, on a background thread
// that lives as long as the process.  False when the address cannot be taken.
bool receiveLocalDatagrams(const std::string& path, std::function<void(const void* data, size_t size)> received);
// Sends one datagram to the process listening at `path`; true if it went
// whole.
bool sendLocalDatagram(const std::string& path, const void* data, size_t size);

} // namespace vtl::host

#endif
