// The registry's frame-set overloads: a set from an RLA entry or an empty
// table, linked at the head of the handle's list of animation sets.
#include <vantrel/animation.h>
#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>

namespace {
void takeDisplaySettings(VTLHND& handle, ANIMATIONFX* set)
{
    set->owner = &handle;
    set->format = handle.formatCode;
    set->reserved = 0;
    set->bitsPerPixel = handle.bitsPerPixel;
    set->bytesPerPixel = handle.bytesPerPixel;
}

void linkAtHead(ANIMATIONFX*& head, ANIMATIONFX* set)
{
    set->next = head;
    if (head)
        head->prev = set;
    set->prev = nullptr;
    head = set;
}

void unlink(ANIMATIONFX*& head, ANIMATIONFX* set)
{
    if (set->next && set->prev) {
        set->prev->next = set->next;
        set->next->prev = set->prev;
    } else if (set->next) {
        head = set->next;
        set->next->prev = nullptr;
    } else if (set->prev) {
        set->prev->next = nullptr;
    } else {
        head = nullptr;
    }
}
} // namespace

bool VTLHND::create(ANIMATIONFX* animation, char* name)
{
    if (!animation)
        return false;
    takeDisplaySettings(*this, animation);
    // A null name goes on to loadRla, which reports it.
    if (name && !HasExtension(name, "RLA"))
        return false;
    if (!animation->loadRla(name))
        return false;
    linkAtHead(animationList, animation);
    return true;
}

bool VTLHND::create(ANIMATIONFX* animation, unsigned short frames)
{
    if (!animation)
        return false;
    takeDisplaySettings(*this, animation);
    if (!animation->create(frames))
        return false;
    linkAtHead(animationList, animation);
    return true;
}

bool VTLHND::release(ANIMATIONFX* animation)
{
    if (!animation || !animation->release())
        return false;
    unlink(animationList, animation);
    return true;
}
