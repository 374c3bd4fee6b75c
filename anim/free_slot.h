// The first free slot of a frame set, shared by the fillers.
#ifndef VANTREL_ANIM_FREE_SLOT_H
#define VANTREL_ANIM_FREE_SLOT_H

#include <vantrel/animation.h>

namespace vtl {
// Null when every slot holds an image (a table of 0 slots has none free).
inline ANIMFRAME* findFreeSlot(ANIMATIONFX& set)
{
    for (unsigned i = 0; i < set.frameCount; ++i)
        if (!set.frames[i].image)
            return &set.frames[i];
    return nullptr;
}
} // namespace vtl

#endif
