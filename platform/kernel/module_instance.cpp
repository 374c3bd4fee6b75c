// Module handles.  An HINSTANCE here is the address at which a module's first
// loadable segment sits in memory, as a module's base address is on the
// system the interface comes from: never null, and distinct per module.
#include "platform/user/window_table.h"
#include <vantrel/seam/window_backend.h>

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <string>

namespace vtl {
namespace {

HINSTANCE gLibraryInstance = nullptr;

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

// The load-time entry point: records which module this library is, once, as
// the library's own start-up does on every system it runs on.
__attribute__((constructor)) void recordLibraryInstance()
{
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&recordLibraryInstance), &info) && info.dli_fbase)
        gLibraryInstance = static_cast<HINSTANCE>(info.dli_fbase);
}

} // namespace

HINSTANCE libraryInstance() { return gLibraryInstance; }

} // namespace vtl

HINSTANCE GetModuleHandleA(LPCSTR moduleName)
{
    vtl::Search s = {moduleName, 0};
    dl_iterate_phdr(vtl::findModule, &s);
    if (!s.base) {
        vtl::setError(vtl::kErrorModNotFound);
        return nullptr;
    }
    return reinterpret_cast<HINSTANCE>(s.base);
}
