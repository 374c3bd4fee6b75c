// Data linked into the program's executable by name, where the system keeps
// such data itself: on Windows, RCDATA resources (which vantrel_embed_archive
// links archives as).  Elsewhere archives linked in register themselves and
// the executable has none.
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
