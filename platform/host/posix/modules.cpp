// Modules on POSIX: the dynamic loader's list of loaded objects.
#include "platform/host/process.h"

#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <strings.h>

namespace vtl::host {

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
