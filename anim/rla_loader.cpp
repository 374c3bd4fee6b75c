// ANIMATIONFX::loadRla: every frame of an RLA archive entry, decoded for the
// display and registered with the owner.
#include <vantrel/animation.h>
#include <vantrel/core.h>
#include <vantrel/fastfile.h>
#include <vantrel/rlefx.h>

#include "anim/frame_images.h"
#include "anim/rla_format.h"

namespace {
// Locks the whole entry; the bytes stay readable after the cursor closes
// because the archive stays mapped.  Null when the entry cannot be opened.
unsigned char* lockEntry(VTLHND* owner, const char* name, DWORD* size)
{
    FastFile file{};
    if (!owner || !file.open(owner, name))
        return nullptr;
    auto* data = static_cast<unsigned char*>(file.lock(0, 0));
    *size = file.fSize();
    file.close();
    return data;
}

// Frees the images from `first` on, which were never registered, so that
// release() only meets the registered ones.
void discardFrom(ANIMATIONFX& set, unsigned first)
{
    for (unsigned i = first; i < set.frameCount; ++i) {
        vtl::discardFrameImage(set.frames[i].image);
        set.frames[i].image = nullptr;
        set.frames[i].owned = 0;
    }
}
} // namespace

bool ANIMATIONFX::loadRla(const char* fileName)
{
    if (frames)
        release();
    if (!fileName) {
        Msg("ANIMATIONFX::loadRla() - Null filename.");
        return false;
    }
    DWORD size = 0;
    unsigned char* data = lockEntry(owner, fileName, &size);
    if (!data) {
        Msg("ANIMATIONFX::loadRla() - FastFileOpen");
        return false;
    }

    // Check the whole file first, so that a damaged one makes nothing.
    const vtl::rla::WalkResult layout = vtl::rla::walk(data, size, [](unsigned, const vtl::rla::Record&) {});
    if (!layout.hasCount) {
        Msg("ANIMATIONFX::loadRla() - No frame count.");
        return false;
    }
    if (!layout.fits()) {
        Msg("ANIMATIONFX::loadRla() - Frame %u does not fit in the file.", layout.visited);
        return false;
    }

    if (!create(static_cast<unsigned short>(layout.count)))
        return false;
    for (unsigned i = 0; i < frameCount; ++i) {
        frames[i].image = vtl::newFrameImage(*this, RLE_KIND_RLE, nullptr, 0);
        frames[i].owned = 1;
        if (!frames[i].image) {
            Msg("ANIMATIONFX::loadRla() - Cant allocate frame surfaces");
            discardFrom(*this, 0);
            release();
            return false;
        }
    }

    unsigned loaded = 0;
    bool failed = false;
    vtl::rla::walk(data, size, [&](unsigned i, const vtl::rla::Record& record) {
        if (failed)
            return;
        ANIMFRAME& slot = frames[i];
        slot.action = record.action;
        slot.direction = record.direction;
        RLEFX* image = slot.image;
        image->fileData = const_cast<unsigned char*>(record.image);
        image->fileSize = record.imageSize;
        if (!image->loadRle()) {
            failed = true;
            return;
        }
        vtl::registerFrameImage(image);
        ++loaded;
    });
    if (failed) {
        discardFrom(*this, loaded);
        release();
        return false;
    }
    return true;
}
