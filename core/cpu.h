// Process-wide processor state shared by the core routines.
#ifndef VANTREL_CORE_CPU_H
#define VANTREL_CORE_CPU_H

namespace vtl {
// The answer of the last CPUwithMMX call (false before the first).
bool mmxFlag();
// Lets the tests take both copy paths whatever the processor says.
void setMmxFlag(bool value);
} // namespace vtl

#endif
