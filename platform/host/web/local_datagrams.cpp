// A page is the only process of its game: no other program on the machine
// can reach its windows, so there is no address to take and no one to send
// to (and the web build has no thread to receive on).
#include "platform/host/local_datagrams.h"

namespace vtl::host {

bool receiveLocalDatagrams(const std::string&, std::function<void(const void*, size_t)>)
{
    return false;
}

bool sendLocalDatagram(const std::string&, const void*, size_t)
{
    return false;
}

} // namespace vtl::host
