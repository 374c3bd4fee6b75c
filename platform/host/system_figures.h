// What the platform asks of the host system about the machine, the user and
// the process's environment.  Declared for every host; platform/host/<system>/
// implements it.
#ifndef VANTREL_PLATFORM_HOST_SYSTEM_FIGURES_H
#define VANTREL_PLATFORM_HOST_SYSTEM_FIGURES_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace vtl::host {

// Memory in bytes; zero where the host cannot tell.
struct MemoryFigures {
    uint64_t totalPhysical = 0;
    uint64_t availablePhysical = 0; // what programs can still get without swapping
    uint64_t totalSwap = 0;
    uint64_t freeSwap = 0;
    uint64_t processResident = 0;
};
MemoryFigures memoryFigures();

size_t pageSize();
unsigned processorCount();

// The login name of the user running the process, or "" when unknown.
std::string userName();

// The process's environment, with Windows' rule that names match without
// regard to ASCII case.  `find` returns false when no variable has the name.
bool findEnvironmentVariable(const char* name, std::string& value);
// Sets (or, with a null value, removes) the variable, replacing one whose
// name differs only in case.
void setEnvironmentVariable(const char* name, const char* value);

} // namespace vtl::host

#endif
