// Data linked into the program's executable by name: RCDATA resources.  On
// Windows the system keeps them (vantrel_embed_archive links archives as
// such); elsewhere they are those of the resource scripts linked with
// vantrel_add_resources, and archives linked with vantrel_embed_archive
// register themselves instead.
#ifndef VANTREL_SEAM_PROGRAM_RESOURCES_H
#define VANTREL_SEAM_PROGRAM_RESOURCES_H

#include <vantrel/win32/types.h>

namespace vtl {

struct ProgramResource {
    bool found;
    const unsigned char* data; // null when found but not loadable
    DWORD size;
};

// The executable's data resource called `name` (ASCII case ignored).  Its
// bytes stay valid while the program runs.
ProgramResource findProgramResource(const char* name);

} // namespace vtl

#endif
