// Local datagrams on POSIX: Unix-domain datagram sockets bound to a path.
#include "platform/host/local_datagrams.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace vtl::host {

namespace {

bool addressOf(const std::string& path, sockaddr_un* addr)
{
    std::memset(addr, 0, sizeof *addr);
    addr->sun_family = AF_UNIX;
    if (path.size() >= sizeof addr->sun_path)
        return false;
    std::memcpy(addr->sun_path, path.c_str(), path.size() + 1);
    return true;
}

void receiveLoop(int fd, const std::function<void(const void*, size_t)>& received)
{
    // Large enough for any message the platform sends itself.
    alignas(8) unsigned char buffer[256];
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return;
        received(buffer, static_cast<size_t>(n));
    }
}

} // namespace

bool receiveLocalDatagrams(const std::string& path, std::function<void(const void*, size_t)> received)
{
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr;
    if (!addressOf(path, &addr)) {
        ::close(fd);
        return false;
    }
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return false;
    }
    std::thread(receiveLoop, fd, std::move(received)).detach();
    return true;
}

bool sendLocalDatagram(const std::string& path, const void* data, size_t size)
{
    sockaddr_un addr;
    if (!addressOf(path, &addr))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const ssize_t n = ::sendto(fd, data, size, 0, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::close(fd);
    return n == static_cast<ssize_t>(size);
}

} // namespace vtl::host
