#include "anim/frame_images.h"
#include "anim/registry_links.h"
#include "archive/archive_users.h"

#include <vantrel/animation.h>
#include <vantrel/core.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

RLEFX* vtl::newFrameImage(const ANIMATIONFX& set, unsigned char kind, unsigned char* data, DWORD size)
{
    auto* image = static_cast<RLEFX*>(MemAlloc(sizeof(RLEFX)));
    if (!image)
        return nullptr;
    image->owner = set.owner;
    image->format = set.format;
    image->reserved = set.reserved;
    image->bitsPerPixel = set.bitsPerPixel;
    image->bytesPerPixel = set.bytesPerPixel;
    image->kind = kind;
    image->fileData = data;
    image->fileSize = size;
    return image;
}

void vtl::registerFrameImage(RLEFX* image)
{
    if (image->owner)
        vtl::linkAtHead(image->owner->rleList, image);
}

bool vtl::releaseFrameImage(RLEFX* image)
{
    // An image the set made without an owner was never linked anywhere, and
    // one whose handle is gone has no list left to leave.
    const bool released =
        vtl::handleAlive(image->owner) ? image->owner->release(image) : image->release();
    if (!released)
        return false;
    MemFree(image);
    return true;
}

void vtl::discardFrameImage(RLEFX* image)
{
    if (!image)
        return;
    image->release();
    MemFree(image);
}
