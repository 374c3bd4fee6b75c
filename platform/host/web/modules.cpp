// Modules in a page: the program, the library and everything else are one
// WebAssembly module, with no load address to speak of.  Its handle is a
// fixed number, the one the program's own file name (or no name) asks for,
// so that a game's GetModuleHandle(NULL) and the library's own instance are
// the same non-null handle.
#include "platform/host/process.h"

#include <strings.h>

#include <cstring>

namespace vtl::host {
namespace {

// Where programs of the interface's system were usually loaded.
constexpr uintptr_t kProgramBase = 0x400000;

} // namespace

uintptr_t moduleBase(const char* name)
{
    if (!name)
        return kProgramBase;
    const std::string path = executablePath();
    const char* slash = std::strrchr(path.c_str(), '/');
    const char* file = slash ? slash + 1 : path.c_str();
    if (*file && (strcasecmp(file, name) == 0 || strcasecmp(path.c_str(), name) == 0))
        return kProgramBase;
    return 0;
}

void* moduleContaining(const void*)
{
    return reinterpret_cast<void*>(kProgramBase);
}

} // namespace vtl::host
