// Module handles.  An HINSTANCE here is the address at which a module's first
// loadable segment sits in memory, as a module's base address is on the
// system the interface comes from: never null, and distinct per module.
#include <vantrel/seam/window_backend.h>
#include <vantrel/win32/window.h>

#include "platform/host/process.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

namespace vtl {
namespace {

HINSTANCE gLibraryInstance = nullptr;

// The load-time entry point: records which module this library is, once, as
// the library's own start-up does on every system it runs on.
__attribute__((constructor)) void recordLibraryInstance()
{
    void* base = host::moduleContaining(reinterpret_cast<void*>(&recordLibraryInstance));
    gLibraryInstance = static_cast<HINSTANCE>(base);
}

} // namespace

HINSTANCE libraryInstance() { return gLibraryInstance; }

} // namespace vtl

HINSTANCE GetModuleHandleA(LPCSTR moduleName)
{
    VTL_TRACE(kernel, "GetModuleHandleA", moduleName);
    const uintptr_t base = vtl::host::moduleBase(moduleName);
    if (!base) {
        vtl::setError(ERROR_MOD_NOT_FOUND);
        return vtlTraceCall_.result(nullptr);
    }
    return vtlTraceCall_.result(reinterpret_cast<HINSTANCE>(base));
}
