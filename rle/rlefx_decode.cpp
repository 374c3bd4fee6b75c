// RLEFX::loadData: an RLE file in memory decoded into display-format runs.
#include <vantrel/core.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

#include "rle/rle_file_decoder.h"

namespace {

// Packs colours through the owner (the display's packing); an image made
// without an owner packs for its own recorded format instead.
struct Packer {
    const RLEFX& image;
    unsigned operator()(uint8_t r, uint8_t g, uint8_t b) const
    {
        if (image.owner)
            return static_cast<unsigned>(image.owner->packColor(r, g, b));
        return static_cast<unsigned>(VTLPackColor(image.bitsPerPixel, image.format, r, g, b));
    }
};

struct Writer8 {
    static constexpr size_t kOpaqueBytes = 1, kLevelBytes = 2;
    Packer pack;
    void opaque(uint8_t* o, uint8_t r, uint8_t g, uint8_t b) { o[0] = static_cast<uint8_t>(pack(r, g, b)); }
    void level(uint8_t* o, uint8_t a, uint8_t r, uint8_t g, uint8_t b)
    {
        o[0] = a;
        o[1] = Fade8[a][pack(r, g, b) & 0xFF];
    }
};

struct Writer16 {
    static constexpr size_t kOpaqueBytes = 2, kLevelBytes = 3;
    Packer pack;
    static void put(uint8_t* o, unsigned p)
    {
        o[0] = static_cast<uint8_t>(p);
        o[1] = static_cast<uint8_t>(p >> 8);
    }
    void opaque(uint8_t* o, uint8_t r, uint8_t g, uint8_t b) { put(o, pack(r, g, b)); }
    void level(uint8_t* o, uint8_t a, uint8_t r, uint8_t g, uint8_t b)
    {
        const unsigned p = pack(r, g, b) & 0xFFFF;
        o[0] = a;
        put(o + 1, FadeLo[a][p & 0xFF] + FadeHi[a][p >> 8]);
    }
};

// 24 and 32 bits are written blue, green, red (and 0) whatever the
// display's channel order, as the file format has always been decoded.
template <size_t B>
struct WriterBgr {
    static constexpr size_t kOpaqueBytes = B, kLevelBytes = B + 1;
    void opaque(uint8_t* o, uint8_t r, uint8_t g, uint8_t b)
    {
        o[0] = b;
        o[1] = g;
        o[2] = r;
        if constexpr (B == 4)
            o[3] = 0;
    }
    void level(uint8_t* o, uint8_t a, uint8_t r, uint8_t g, uint8_t b)
    {
        o[0] = a;
        opaque(o + 1, Scale8[a][r], Scale8[a][g], Scale8[a][b]);
    }
};

template <class Writer>
bool decodeInto(RLEFX& image, const uint8_t* data, size_t size, const vtl::RleFileHeader& h, size_t cap,
                Writer writer)
{
    return vtl::decodeRleRows(data, size, h, image.runs, cap, writer);
}

} // namespace

bool vtl::decodeRleImage(RLEFX& image, const uint8_t* data, size_t size, size_t spareBytes, bool markKind)
{
    if (!data) {
        Msg("RLEFX::loadRle() - No Surface");
        return false;
    }
    int bytes = 0;
    switch (image.bitsPerPixel) {
    case 8: bytes = 1; break;
    case 16: bytes = 2; break;
    case 24: bytes = 3; break;
    case 32: bytes = 4; break;
    default: break;
    }
    if (bytes == 0 || !vtl::checkRleFile(data, size, static_cast<unsigned>(bytes), spareBytes).ok()) {
        image.release();
        Msg("RLEFX::loadRle() - bad run data");
        return false;
    }
    const vtl::RleFileHeader h = vtl::rleFileHeader(data);
    const int64_t cap64 = vtl::rleBufferSize(h, size, static_cast<unsigned>(bytes), spareBytes);
    if (cap64 > 0xFFFFFFFFll || !image.create(static_cast<int>(h.width), static_cast<int>(h.height),
                                        static_cast<unsigned long>(cap64))) {
        Msg("RLEFX::loadRle() - cannot create RLE");
        return false;
    }
    if (markKind)
        image.kind = RLE_KIND_RLE;
    const size_t cap = static_cast<size_t>(cap64);
    bool ok = true;
    switch (bytes) {
    case 1: ok = decodeInto(image, data, size, h, cap, Writer8{Packer{image}}); break;
    case 2: ok = decodeInto(image, data, size, h, cap, Writer16{Packer{image}}); break;
    case 3: ok = decodeInto(image, data, size, h, cap, WriterBgr<3>{}); break;
    default: ok = decodeInto(image, data, size, h, cap, WriterBgr<4>{}); break;
    }
    if (!ok) {
        image.release();
        Msg("RLEFX::loadRle() - bad run data");
        return false;
    }
    return true;
}

// An RLE file in memory: 100 bytes to spare in the run buffer, kind unchanged.
bool RLEFX::loadData(unsigned char* data, unsigned long size)
{
    return vtl::decodeRleImage(*this, data, size, 100, false);
}
