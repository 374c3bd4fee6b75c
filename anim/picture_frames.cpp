// ANIMATIONFX::bltBmp and bltTga: a frame encoded from a picture in the
// archive, owned by the set.
#include <vantrel/animation.h>
#include <vantrel/core.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

#include "anim/frame_images.h"
#include "anim/free_slot.h"

namespace {
struct PictureKind {
    const char* nullNameMessage;
    const char* noFramesMessage;
    const char* overflowMessage;
    unsigned char kind;
    bool (RLEFX::*encode)();
};

const PictureKind kBmp = {"ANIMATIONFX::bltBmp() - No surface", "ANIMATIONFX::bltBmp() - No frames",
                          "ANIMATIONFX::bltBmp() - Surface overflow", RLE_KIND_BMP, &RLEFX::loadBmp};
const PictureKind kTga = {"ANIMATIONFX::bltTga() - No file", "ANIMATIONFX::bltTga() - No frames",
                          "ANIMATIONFX::bltTga() - Surface overflow", RLE_KIND_TGA, &RLEFX::loadTga};

bool addPicture(ANIMATIONFX& set, const PictureKind& picture, const char* name, unsigned short action,
                unsigned short direction, short xOffset, short yOffset)
{
    if (!name) {
        Msg("%s", picture.nullNameMessage);
        return false;
    }
    if (!set.frames) {
        Msg("%s", picture.noFramesMessage);
        return false;
    }
    ANIMFRAME* slot = vtl::findFreeSlot(set);
    if (!slot) {
        Msg("%s", picture.overflowMessage);
        return false;
    }

    unsigned char* data = nullptr;
    DWORD size = 0;
    if (set.owner) {
        data = set.owner->FastFileData(name);
        if (data)
            size = set.owner->FastFileSize(name);
    } else {
        Msg("Cannot Find File %s", name);
    }

    RLEFX* image = vtl::newFrameImage(set, picture.kind, data, size);
    if (!image)
        return false;
    if (!data || !(image->*picture.encode)()) {
        vtl::discardFrameImage(image);
        return false;
    }
    vtl::registerFrameImage(image);
    *slot = ANIMFRAME{image, action, direction, xOffset, yOffset, 1};
    return true;
}
} // namespace

bool ANIMATIONFX::bltBmp(const char* fileName, unsigned short action, unsigned short direction, short xOffset,
                         short yOffset)
{
    return addPicture(*this, kBmp, fileName, action, direction, xOffset, yOffset);
}

bool ANIMATIONFX::bltTga(const char* fileName, unsigned short action, unsigned short direction, short xOffset,
                         short yOffset)
{
    return addPicture(*this, kTga, fileName, action, direction, xOffset, yOffset);
}
