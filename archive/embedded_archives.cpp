// Archives linked into the program register here from static constructors,
// which may run before this library's own; a plain pointer that is
// zero-initialised at load time is the only state, so the order does not
// matter.
#include "archive/embedded_archives.h"

#include "archive/ascii_case.h"

namespace {
VTLEmbeddedArchive* gArchives = nullptr;
}

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
    return nullptr;
}
