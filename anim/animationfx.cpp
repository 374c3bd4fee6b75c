// ANIMATIONFX: the frame table, lending images to it, and release.
#include <vantrel/animation.h>
#include <vantrel/core.h>
#include <vantrel/rlefx.h>

#include "anim/frame_images.h"
#include "anim/free_slot.h"

bool ANIMATIONFX::create(unsigned short count)
{
    frames = static_cast<ANIMFRAME*>(CMemAlloc(count, sizeof(ANIMFRAME)));
    if (!frames) {
        Msg("ANIMATIONFX::create() - Cant allocate frame surfaces");
        return false;
    }
    frameCount = count;
    return true;
}

bool ANIMATIONFX::blt(RLEFX* image, unsigned short act, unsigned short dir, short xOff, short yOff)
{
    if (!image) {
        Msg("ANIMATIONFX::blt() - No surface");
        return false;
    }
    if (!frames) {
        Msg("ANIMATIONFX::blt() - No frames");
        return false;
    }
    ANIMFRAME* slot = vtl::findFreeSlot(*this);
    if (!slot) {
        Msg("ANIMATIONFX::blt() - Surface overflow");
        return false;
    }
    *slot = ANIMFRAME{image, act, dir, xOff, yOff, 0};
    return true;
}

bool ANIMATIONFX::release()
{
    if (!frames) {
        Msg("ANIMATIONFX::destroy() - No frames");
        return true;
    }
    for (unsigned i = 0; i < frameCount; ++i) {
        ANIMFRAME& slot = frames[i];
        if (!slot.owned || !slot.image)
            continue;
        if (!vtl::releaseFrameImage(slot.image)) {
            Msg("RleFX::release() in ANIMATIONFX::destroy");
            return false;
        }
        // Cleared so that a second attempt after a refusal does not free twice.
        slot.image = nullptr;
        slot.owned = 0;
    }
    MemFree(frames);
    frames = nullptr;
    return true;
}
