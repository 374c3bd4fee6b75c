// Lookup in the list of archives linked into the program.
#ifndef VANTREL_ARCHIVE_EMBEDDED_ARCHIVES_H
#define VANTREL_ARCHIVE_EMBEDDED_ARCHIVES_H

#include <vantrel/fastfile.h>

namespace vtl {
// The registered archive called `name` (ASCII case ignored), or null.
const VTLEmbeddedArchive* findEmbeddedArchive(const char* name);
} // namespace vtl

#endif
