// Processes and modules on POSIX: pids, kill(pid, 0), /proc/self/exe, and
// the dynamic loader's list of loaded objects.
#include "platform/host/process.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <signal.h>
#include <strings.h>
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

namespace {

struct Search {
    const char* name; // null: the main program
    uintptr_t base;
};

uintptr_t firstSegment(const dl_phdr_info* info)
{
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        if (info->dlpi_phdr[i].p_type == PT_LOAD)
            return info->dlpi_addr + info->dlpi_phdr[i].p_vaddr;
    }
    return info->dlpi_addr;
}

int findModule(dl_phdr_info* info, size_t, void* data)
{
    Search* s = static_cast<Search*>(data);
    if (!s->name) {
        s->base = firstSegment(info); // the main program comes first
        return 1;
    }
    const char* path = info->dlpi_name ? info->dlpi_name : "";
    const char* slash = std::strrchr(path, '/');
    const char* file = slash ? slash + 1 : path;
    if (*file && (strcasecmp(file, s->name) == 0 || strcasecmp(path, s->name) == 0)) {
        s->base = firstSegment(info);
        return 1;
    }
    return 0;
}

} // namespace

uintptr_t moduleBase(const char* name)
{
    Search s = {name, 0};
    dl_iterate_phdr(findModule, &s);
    return s.base;
}

void* moduleContaining(const void* address)
{
    Dl_info info;
    if (dladdr(address, &info) && info.dli_fbase)
        return info.dli_fbase;
    return nullptr;
}

} // namespace vtl::host
