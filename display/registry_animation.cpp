// The registry's frame-set overloads: a set from an RLA entry or an empty
// table, linked at the head of the handle's list of animation sets.
#include <vantrel/animation.h>
#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>

#include "display/registry_links.h"

namespace {
void takeDisplaySettings(VTLHND& handle, ANIMATIONFX* set)
{
    set->owner = &handle;
    set->format = handle.formatCode;
    set->reserved = 0;
    set->bitsPerPixel = handle.bitsPerPixel;
    set->bytesPerPixel = handle.bytesPerPixel;
}
} // namespace

bool VTLHND::create(ANIMATIONFX* animation, const char* name)
{
    if (!animation)
        return false;
    takeDisplaySettings(*this, animation);
    // A null name goes on to loadRla, which reports it.
    if (name && !HasExtension(name, "RLA"))
        return false;
    if (!animation->loadRla(name))
        return false;
    vtl::linkAtHead(animationList, animation);
    return true;
}

bool VTLHND::create(ANIMATIONFX* animation, unsigned short frames)
{
    if (!animation)
        return false;
    takeDisplaySettings(*this, animation);
    if (!animation->create(frames))
        return false;
    vtl::linkAtHead(animationList, animation);
    return true;
}

bool VTLHND::release(ANIMATIONFX* animation) { return vtl::releaseAndUnlink(animationList, animation); }
