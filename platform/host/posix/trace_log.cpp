#include "platform/host/trace_log.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

int vtl::host::openTraceLog(const char* path)
{
    return ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

void vtl::host::appendTraceLog(int log, const char* text, size_t length)
{
    // O_APPEND makes each write land whole at the end; a short write is only
    // retried, never split deliberately.
    while (length > 0) {
        ssize_t n = ::write(log, text, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        text += n;
        length -= static_cast<size_t>(n);
    }
}

void vtl::host::closeTraceLog(int log)
{
    if (log >= 0)
        ::close(log);
}
