// Any bytes as a BMP, TGA and RLE entry, loaded by the library as a surface
// and an RLE image on a 16- and a 32-bit display, and explained by vtlpack
// verify's rules: the explanation must name a reason exactly when the
// library refuses (a verify that says "loads" about a file the game cannot
// load, or gives no reason for a refusal, is what this catches).
#include <vantrel/bitplanefx.h>
#include <vantrel/fastfile.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/debug.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/support/one_entry_archive.h"
#include "tools/vtlpack/refusal_reasons.h"

namespace {
// Pictures the library would make of any size (a TGA type it does not read
// is a black picture of the header's size): kept small for the fuzzer's
// memory limit.
bool huge(const uint8_t* data, size_t size) { return fuzzing::tgaHeaderPixels(data, size) > (1u << 20); }

void check(const char* name, vtlpack::FileKind kind, vtlpack::Loader loader, const uint8_t* data, size_t size,
           unsigned bits, const DWORD masks[3])
{
    VTLPixelFormat format{};
    VTLBuildEffectTables(bits, masks[0], masks[1], masks[2], &format);
    std::vector<unsigned char> bytes = fuzzing::oneEntryArchive(name, data, size);
    VTLEmbeddedArchive archive{"FUZZWHY", bytes.data(), static_cast<DWORD>(bytes.size()), nullptr};
    VTLRegisterEmbeddedArchive(&archive);
    bool loaded = false;
    {
        // Declared before the handle: its registry lists them until gfxEnd.
        BITPLANEFX s{};
        RLEFX r{};
        VTLHND handle;
        handle.formatCode = format.formatCode;
        handle.bitsPerPixel = format.bitsPerPixel;
        handle.bytesPerPixel = format.bytesPerPixel;
        if (handle.FastFileInit(const_cast<char*>("FUZZWHY"))) {
            if (loader == vtlpack::Loader::Surface)
                loaded = handle.create(&s, const_cast<char*>(name));
            else
                loaded = handle.create(&r, const_cast<char*>(name));
            handle.gfxEnd();
        }
    }
    VTLUnregisterEmbeddedArchive(&archive);
    const bool explained = !vtlpack::refusalReason(loader, kind, data, size, bits).empty();
    if (loaded == explained)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || huge(data, size))
        return 0;
    VTLSetDebugReceiver(fuzzing::quietReceiver, nullptr);
    static const DWORD rgb565[3] = {0xF800, 0x07E0, 0x001F};
    static const DWORD rgb32[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    using vtlpack::FileKind;
    using vtlpack::Loader;
    for (unsigned bits : {16u, 32u}) {
        const DWORD* masks = bits == 16 ? rgb565 : rgb32;
        check("F.BMP", FileKind::Bmp, Loader::Surface, data, size, bits, masks);
        check("F.BMP", FileKind::Bmp, Loader::RleImage, data, size, bits, masks);
        check("F.TGA", FileKind::Tga, Loader::Surface, data, size, bits, masks);
        check("F.TGA", FileKind::Tga, Loader::RleImage, data, size, bits, masks);
        check("F.RLE", FileKind::Rle, Loader::RleImage, data, size, bits, masks);
    }
    return 0;
}
