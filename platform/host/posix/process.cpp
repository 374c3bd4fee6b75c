// Processes on POSIX: pids, kill(pid, 0) and /proc/self/exe (modules are in
// modules.cpp).
#include "platform/host/process.h"

#include <cerrno>
#include <cstring>
#include <signal.h>
#include <unistd.h>

namespace vtl::host {

uint32_t currentProcessId()
{
    return static_cast<uint32_t>(::getpid());
}

bool processAlive(uint32_t pid)
{
    return pid != 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

std::string executablePath()
{
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return std::string();
    return std::string(path, static_cast<size_t>(n));
}

void writeStandardError(const char* text, size_t length)
{
    // One write() per message where it fits, so that lines from several
    // threads do not interleave.
    while (length > 0) {
        const ssize_t n = ::write(STDERR_FILENO, text, length);
        if (n <= 0)
            return;
        text += n;
        length -= static_cast<size_t>(n);
    }
}

} // namespace vtl::host
