// The program's RCDATA resources: those of the resource scripts linked in
// with vantrel_add_resources (archives linked with vantrel_embed_archive
// register themselves with VTLRegisterEmbeddedArchive instead).  A resource
// compiler stores a name in capitals and the lookup ignores case.
#include <vantrel/seam/program_resources.h>

#include "platform/kernel/resource_table.h"

vtl::ProgramResource vtl::findProgramResource(const char* name)
{
    if (!name || !*name)
        return ProgramResource{false, nullptr, 0};
    const ResourceMatch m = findResource(nullptr, resourceKey(reinterpret_cast<LPCSTR>(10)), resourceKey(name), 0);
    if (m.result != ResourceLookup::kFound)
        return ProgramResource{false, nullptr, 0};
    return ProgramResource{true, m.entry->data, m.entry->size};
}
