// What the platform asks of the host system about processes and modules.
// Declared for every host; platform/host/<system>/ implements it.
#ifndef VANTREL_PLATFORM_HOST_PROCESS_H
#define VANTREL_PLATFORM_HOST_PROCESS_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace vtl::host {

uint32_t currentProcessId();
// Whether a process with this id runs (one we may not signal counts).
bool processAlive(uint32_t pid);
// The running program's file, or "" when the host cannot tell.
std::string executablePath();

// Writes `text` to the process's standard error in one piece where the host
// allows, unbuffered.
void writeStandardError(const char* text, size_t length);

// The address of the first loaded segment of a module of the process: the
// main program for a null name, else the module whose file name (or full
// path) matches `name` without regard to ASCII case.  0 when none does.
uintptr_t moduleBase(const char* name);
// The load address of the module holding `address`, or null.
void* moduleContaining(const void* address);

} // namespace vtl::host

#endif
