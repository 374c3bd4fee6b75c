// RCDATA resources of the executable.  A resource compiler stores a name in
// capitals and FindResourceA looks names up the same way, so case is ignored.
#include <vantrel/seam/program_resources.h>

#include <windows.h>

vtl::ProgramResource vtl::findProgramResource(const char* name)
{
    if (!name || !*name)
        return ProgramResource{false, nullptr, 0};
    const HMODULE program = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(program, name, MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (!resource)
        return ProgramResource{false, nullptr, 0};
    HGLOBAL loaded = LoadResource(program, resource);
    const auto* data = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    return ProgramResource{true, data, data ? SizeofResource(program, resource) : 0};
}
