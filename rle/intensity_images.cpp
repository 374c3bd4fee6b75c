// COLORFX and MONOFX: creation and the RLE file decoder into intensity runs.
#include <vantrel/core.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>

#include "core/buffer_limit.h"
#include "rle/intensity_names.h"
#include "rle/rle_file_decoder.h"

namespace vtl {

const IntensityNames kColorNames = {
    "COLORFX::create() - MemAlloc().",     "COLORFX::loadBmp - Failed to load",
    "COLORFX::loadTga - Failed to load",   "COLORFX::loadBmp() - Release",
    "COLORFX::loadRle() - No Surface",     "COLORFX::loadRle() - cannot create RLE",
    "COLORFX::loadRle() - bad run data",
};

const IntensityNames kMonoNames = {
    "MONOFX::create() - MemAlloc().",     "MONOFX::loadBmp - Failed to load",
    "MONOFX::loadTga - Failed to load",   "MONOFX::loadBmp() - Release",
    "MONOFX::loadRle() - No Surface",     "MONOFX::loadRle() - cannot create RLE",
    "MONOFX::loadRle() - bad run data",
};

bool createIntensity(RLEFX& image, int w, int h, unsigned long size, const IntensityNames& names)
{
    MemFree(image.runs);
    image.runs = vtl::withinBufferLimit(size, 1) ? static_cast<unsigned char*>(MemAlloc(static_cast<unsigned>(size)))
                                                 : nullptr;
    if (!image.runs) {
        Msg("%s", names.createFailed);
        return false;
    }
    image.width = w;
    image.height = h;
    return true;
}

namespace {

// One intensity byte per opaque pixel; a level pixel keeps its level and
// stores the intensity faded to it.
struct IntensityWriter {
    static constexpr size_t kOpaqueBytes = 1, kLevelBytes = 2;
    void opaque(uint8_t* o, uint8_t r, uint8_t g, uint8_t b) { o[0] = intensity(r, g, b); }
    void level(uint8_t* o, uint8_t a, uint8_t r, uint8_t g, uint8_t b)
    {
        o[0] = a;
        o[1] = Fade8[a][intensity(r, g, b)];
    }
};

} // namespace

bool decodeIntensity(RLEFX& image, const uint8_t* data, size_t size, const IntensityNames& names)
{
    if (!data) {
        Msg("%s", names.noData);
        return false;
    }
    if (!checkRleFile(data, size, IntensityWriter::kOpaqueBytes, 0).ok()) {
        image.release();
        Msg("%s", names.badRuns);
        return false;
    }
    const RleFileHeader h = rleFileHeader(data);
    // Three colour bytes become one: every stored pixel shrinks by two.
    const size_t cap = static_cast<size_t>(rleBufferSize(h, size, IntensityWriter::kOpaqueBytes, 0));
    if (!createIntensity(image, static_cast<int>(h.width), static_cast<int>(h.height), static_cast<unsigned long>(cap),
                         names)) {
        Msg("%s", names.cannotCreate);
        return false;
    }
    IntensityWriter writer;
    if (!decodeRleRows(data, size, h, image.runs, cap, writer)) {
        image.release();
        Msg("%s", names.badRuns);
        return false;
    }
    return true;
}

} // namespace vtl

namespace {

bool reloadIntensity(RLEFX& image, const vtl::IntensityNames& names)
{
    if (!image.release())
        Msg("%s", names.releaseFailed);
    if (!vtl::decodeIntensity(image, image.fileData, image.fileSize, names))
        return false;
    image.kind = RLE_KIND_RLE;
    return true;
}

} // namespace

bool COLORFX::create(int w, int h, unsigned long size) { return vtl::createIntensity(*this, w, h, size, vtl::kColorNames); }
bool COLORFX::loadData(unsigned char* data, unsigned long size) { return vtl::decodeIntensity(*this, data, size, vtl::kColorNames); }
bool COLORFX::loadRle() { return reloadIntensity(*this, vtl::kColorNames); }
bool COLORFX::loadBmp() { return vtl::encodeIntensityBmp(*this, vtl::kColorNames); }
bool COLORFX::loadTga() { return vtl::encodeIntensityTga(*this, vtl::kColorNames); }

bool MONOFX::create(int w, int h, unsigned long size) { return vtl::createIntensity(*this, w, h, size, vtl::kMonoNames); }
bool MONOFX::loadData(unsigned char* data, unsigned long size) { return vtl::decodeIntensity(*this, data, size, vtl::kMonoNames); }
bool MONOFX::loadRle() { return reloadIntensity(*this, vtl::kMonoNames); }
bool MONOFX::loadBmp() { return vtl::encodeIntensityBmp(*this, vtl::kMonoNames); }
bool MONOFX::loadTga() { return vtl::encodeIntensityTga(*this, vtl::kMonoNames); }
