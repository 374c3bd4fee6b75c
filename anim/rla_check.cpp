#include "anim/rla_format.h"

vtl::rla::RlaCheck vtl::rla::check(const unsigned char* data, size_t size, unsigned pixelBytes)
{
    RlaCheck result;
    RleCheck firstBad;
    unsigned badFrame = 0;
    const WalkResult layout = walk(data, size, [&](unsigned i, const Record& record) {
        if (!firstBad.ok())
            return;
        firstBad = checkRleFile(record.image, record.imageSize, pixelBytes, 0);
        badFrame = i;
    });
    result.frameCount = layout.count;
    // The loader reads every record before it decodes a frame.
    if (!layout.fits()) {
        static_cast<FileCheck<RlaRefusal>&>(result) = layout.stop;
        return result;
    }
    if (!firstBad.ok()) {
        result.code = RlaRefusal::FrameImage;
        result.field = badFrame;
        result.image = firstBad;
    }
    return result;
}
