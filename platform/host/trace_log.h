// Where the call trace goes when VANTREL_TRACE_FILE names a file.  Declared
// for every host; platform/host/<system>/ implements it.
#ifndef VANTREL_PLATFORM_HOST_TRACE_LOG_H
#define VANTREL_PLATFORM_HOST_TRACE_LOG_H

#include <cstddef>

namespace vtl::host {

// Opens `path` for appending (made if missing); -1 when it cannot be.
int openTraceLog(const char* path);
// Appends `text` in one write, so that lines from several threads and several
// processes sharing the file do not interleave.
void appendTraceLog(int log, const char* text, size_t length);
void closeTraceLog(int log);

} // namespace vtl::host

#endif
