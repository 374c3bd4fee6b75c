// Any bytes as a BMP, TGA and RLE archive entry, loaded through the registry
// into a surface, an RLE image and an alpha map on a 16-bit and a 32-bit
// display.  The entry is the last bytes of an archive held in a buffer of
// exactly its size, so AddressSanitizer reports any read past the entry.
#include <vantrel/alphafx.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/fastfile.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/debug.h>

#include <cstdint>
#include <vector>

#include "fuzz/support/one_entry_archive.h"

namespace {
// TGA types outside the readable set make a black surface of the header's
// size, up to 65535 x 65535; the fuzzer's memory limit would call that a
// finding, so such headers are only tried with small sizes.
bool hugeBlankTga(const uint8_t* data, size_t size)
{
    if (size < 18)
        return false;
    const unsigned type = data[2];
    const bool known = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
    return !known && fuzzing::tgaHeaderPixels(data, size) > (1u << 20);
}

void loadAll(const uint8_t* data, size_t size, const DWORD masks[4])
{
    VTLPixelFormat format{};
    VTLBuildEffectTables(masks[0], masks[1], masks[2], masks[3], &format);
    for (const char* name : {"F.BMP", "F.TGA", "F.RLE"}) {
        if (name[2] == 'T' && hugeBlankTga(data, size))
            continue;
        std::vector<unsigned char> bytes = fuzzing::oneEntryArchive(name, data, size);
        VTLEmbeddedArchive archive{"FUZZIMG", bytes.data(), static_cast<DWORD>(bytes.size()), nullptr};
        VTLRegisterEmbeddedArchive(&archive);
        {
            VTLHND handle;
            handle.formatCode = format.formatCode;
            handle.bitsPerPixel = format.bitsPerPixel;
            handle.bytesPerPixel = format.bytesPerPixel;
            if (handle.FastFileInit(const_cast<char*>("FUZZIMG"))) {
                BITPLANEFX surface{};
                RLEFX image{};
                ALPHAFX map{};
                handle.create(&surface, const_cast<char*>(name));
                handle.create(&image, const_cast<char*>(name));
                if (name[2] == 'B')
                    handle.create(&map, const_cast<char*>(name));
                handle.gfxEnd();
            }
        }
        VTLUnregisterEmbeddedArchive(&archive);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VTLSetDebugReceiver(fuzzing::quietReceiver, nullptr);
    static const DWORD rgb565[4] = {16, 0xF800, 0x07E0, 0x001F};
    static const DWORD rgb32[4] = {32, 0xFF0000, 0x00FF00, 0x0000FF};
    loadAll(data, size, rgb565);
    loadAll(data, size, rgb32);
    return 0;
}
