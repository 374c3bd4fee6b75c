// The mappings' memory files in a page: the C library's fstat finds a file
// by its name, which a memory file no longer has, so the views know these
// descriptors from this record instead.
#ifndef VANTREL_PLATFORM_HOST_WEB_MEMORY_FILES_H
#define VANTREL_PLATFORM_HOST_WEB_MEMORY_FILES_H

namespace vtl::host {

bool isMemoryFile(int descriptor);
// The descriptor is closed; its number may be a new file's.
void forgetMemoryFile(int descriptor);

} // namespace vtl::host

#endif
