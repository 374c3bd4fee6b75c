// A page is built without threads, so that it runs from any static server
// (shared memory between workers needs the server's isolation headers).
#include "platform/host/threads.h"

namespace vtl::host {

bool startDetachedThread(std::function<void()>)
{
    return false;
}

bool startThread(std::thread&, std::function<void()>)
{
    return false;
}

} // namespace vtl::host
