// WSAAsyncSelect's watcher in a page: no socket is ever made there
// (sockets.cpp), so there is nothing to watch and no thread to watch with.
#include "platform/host/sockets.h"

namespace vtl::host {

void watchSocket(SOCKET, HWND, UINT, long) {}

void forgetSocket(SOCKET) {}

bool isWatched(SOCKET)
{
    return false;
}

void rearmRead(SOCKET) {}

void rearmWrite(SOCKET) {}

void stopWatchingSockets() {}

} // namespace vtl::host
