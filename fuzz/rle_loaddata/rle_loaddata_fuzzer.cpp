// Feeds arbitrary bytes to the RLE file decoders (RLEFX in every pixel size,
// COLORFX) and draws whatever they accept, clipped and unclipped, so that a
// decoder letting through runs the blitters cannot walk safely shows up.
//
// Input: byte 0 picks the decoder and the pixel size, bytes 1-2 the drawing
// position; the rest is the RLE file.
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

bool setUp()
{
    VTLPixelFormat f{};
    VTLBuildEffectTables(16, 0xF800, 0x07E0, 0x001F, &f);
    return true;
}

void draw(RLEFX& image, int bits, unsigned char format, int x, int y)
{
    BITPLANEFX surface{};
    surface.bitsPerPixel = static_cast<unsigned char>(bits);
    surface.bytesPerPixel = static_cast<unsigned char>(bits / 8);
    surface.format = format;
    if (!surface.create(48, 40, false))
        return;
    const POINT inside{0, 0}, placed{x, y};
    surface.Blt(&image, inside);
    surface.BlendBlt(&image, placed, 100);
    surface.SetClipper(5, 3, 30, 20);
    surface.ColorBlt(&image, placed, 0xFFFF, 200);
    surface.Blt(&image, placed, 10, 10);
    surface.release();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = setUp();
    (void)ready;
    if (size < 3)
        return 0;
    const unsigned pick = data[0] % 5;
    const int x = static_cast<int8_t>(data[1]), y = static_cast<int8_t>(data[2]);
    // A copy of exactly the file's bytes, so reads past its end are caught.
    std::vector<uint8_t> file(data + 3, data + size);
    unsigned char* bytes = file.empty() ? nullptr : file.data();

    if (pick == 4) {
        COLORFX image{};
        if (image.loadData(bytes, static_cast<unsigned long>(file.size())))
            draw(image, 8, PF_PAL8, x, y);
        image.release();
        return 0;
    }
    static const int kBits[] = {8, 16, 24, 32};
    static const unsigned char kFormats[] = {PF_PAL8, PF_RGB565, PF_RGB24, PF_RGB32};
    RLEFX image{};
    image.bitsPerPixel = static_cast<unsigned char>(kBits[pick]);
    image.bytesPerPixel = static_cast<unsigned char>(kBits[pick] / 8);
    image.format = kFormats[pick];
    if (image.loadData(bytes, static_cast<unsigned long>(file.size())))
        draw(image, kBits[pick], kFormats[pick], x, y);
    image.release();
    return 0;
}
