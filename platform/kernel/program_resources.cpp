// Linux executables carry no resources: archives linked into the program
// register themselves (VTLRegisterEmbeddedArchive).
#include <vantrel/seam/program_resources.h>

vtl::ProgramResource vtl::findProgramResource(const char*) { return ProgramResource{false, nullptr, 0}; }
