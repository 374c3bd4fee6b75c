// Archives linked into the program register here from static constructors,
// which may run before this library's own; a plain pointer that is
// zero-initialised at load time is the only state, so the order does not
// matter.  Where the system links archives as the executable's resources
// (Windows), a name nobody registered is looked up there.
#include "archive/embedded_archives.h"

#include "archive/ascii_case.h"
#include <vantrel/seam/program_resources.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {
VTLEmbeddedArchive* gArchives = nullptr;

// The resources found so far, each one record for the program's lifetime.
struct FoundResource {
    std::string name;
    VTLEmbeddedArchive archive;
};

const VTLEmbeddedArchive* findResource(const char* name)
{
    static std::mutex* lock = new std::mutex;
    static auto* found = new std::vector<std::unique_ptr<FoundResource>>;
    std::lock_guard<std::mutex> hold(*lock);
    for (const auto& r : *found)
        if (vtl::equalsIgnoringAsciiCase(r->name.c_str(), name))
            return &r->archive;
    const vtl::ProgramResource resource = vtl::findProgramResource(name);
    if (!resource.found)
        return nullptr;
    found->push_back(std::make_unique<FoundResource>(FoundResource{name, {}}));
    FoundResource& made = *found->back();
    made.archive = VTLEmbeddedArchive{made.name.c_str(), resource.data, resource.size, nullptr};
    return &made.archive;
}
} // namespace

void VTLRegisterEmbeddedArchive(VTLEmbeddedArchive* archive)
{
    if (!archive || !archive->name)
        return;
    for (VTLEmbeddedArchive* a = gArchives; a; a = a->next)
        if (a == archive)
            return;
    archive->next = gArchives;
    gArchives = archive;
}

void VTLUnregisterEmbeddedArchive(VTLEmbeddedArchive* archive)
{
    for (VTLEmbeddedArchive** link = &gArchives; *link; link = &(*link)->next) {
        if (*link == archive) {
            *link = archive->next;
            archive->next = nullptr;
            return;
        }
    }
}

const VTLEmbeddedArchive* vtl::findEmbeddedArchive(const char* name)
{
    if (!name)
        return nullptr;
    for (const VTLEmbeddedArchive* a = gArchives; a; a = a->next)
        if (vtl::equalsIgnoringAsciiCase(a->name, name))
            return a;
    return findResource(name);
}
