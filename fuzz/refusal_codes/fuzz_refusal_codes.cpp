// Any bytes as a BMP, TGA, RLE and RLA entry, loaded by the library as a
// surface, an RLE image, an alpha map and a frame set on a 16- and a 32-bit
// display, and as an archive: each load must succeed exactly when the
// reader's check of the same bytes says Ok.  vtlpack verify explains a
// refusal by its code, so a refusal without one would go unexplained, and
// an Ok for a file that does not load would be a verify that says "loads"
// about a file the game cannot load.
#include <vantrel/alphafx.h>
#include <vantrel/animation.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/fastfile.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/debug.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "anim/rla_format.h"
#include "archive/archive_directory.h"
#include "fuzz/support/one_entry_archive.h"
#include "rle/rle_file_decoder.h"
#include "surface/image_bmp_reader.h"
#include "surface/image_tga_reader.h"

namespace {
enum class Into { Surface, RleImage, AlphaMap, FrameSet };

// Pictures the library would make of any size (a TGA type it does not read
// is a black picture of the header's size): kept small for the fuzzer's
// memory limit.
bool huge(const uint8_t* data, size_t size) { return fuzzing::tgaHeaderPixels(data, size) > (1u << 20); }

bool load(const char* name, Into into, const uint8_t* data, size_t size, const VTLPixelFormat& format)
{
    std::vector<unsigned char> bytes = fuzzing::oneEntryArchive(name, data, size);
    VTLEmbeddedArchive archive{"FUZZWHY", bytes.data(), static_cast<DWORD>(bytes.size()), nullptr};
    VTLRegisterEmbeddedArchive(&archive);
    bool loaded = false;
    {
        // Declared before the handle: its registry lists them until gfxEnd.
        BITPLANEFX s{};
        RLEFX r{};
        ALPHAFX a{};
        ANIMATIONFX f{};
        VTLHND handle;
        handle.formatCode = format.formatCode;
        handle.bitsPerPixel = format.bitsPerPixel;
        handle.bytesPerPixel = format.bytesPerPixel;
        if (!handle.FastFileInit(const_cast<char*>("FUZZWHY")))
            std::abort();
        char* n = const_cast<char*>(name);
        switch (into) {
        case Into::Surface: loaded = handle.create(&s, n); break;
        case Into::RleImage: loaded = handle.create(&r, n); break;
        case Into::AlphaMap: loaded = handle.create(&a, n); break;
        case Into::FrameSet:
            loaded = handle.create(&f, n);
            if (loaded)
                handle.release(&f);
            break;
        }
        handle.gfxEnd();
    }
    VTLUnregisterEmbeddedArchive(&archive);
    return loaded;
}

void expect(bool loaded, bool ok)
{
    if (loaded != ok)
        std::abort();
}

void loadsExactlyWhenOk(const uint8_t* data, size_t size, const VTLPixelFormat& format)
{
    const unsigned pixelBytes = format.bytesPerPixel;
    const bool bmp = vtl::checkBmp(data, size).ok();
    expect(load("F.BMP", Into::Surface, data, size, format), bmp);
    expect(load("F.BMP", Into::RleImage, data, size, format), bmp);
    expect(load("F.BMP", Into::AlphaMap, data, size, format), bmp);
    vtl::TgaImage tga;
    expect(load("F.TGA", Into::Surface, data, size, format),
           vtl::checkTga(data, size, vtl::TgaUse::Surface, tga).ok());
    expect(load("F.TGA", Into::RleImage, data, size, format),
           vtl::checkTga(data, size, vtl::TgaUse::RunImage, tga).ok());
    expect(load("F.RLE", Into::RleImage, data, size, format), vtl::checkRleFile(data, size, pixelBytes, 0).ok());
    expect(load("F.RLA", Into::FrameSet, data, size, format), vtl::rla::check(data, size, pixelBytes).ok());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || huge(data, size))
        return 0;
    VTLSetDebugReceiver(fuzzing::quietReceiver, nullptr);
    // The effect tables are process-wide and slow to build: one per depth.
    static VTLPixelFormat rgb565{}, rgb32{};
    static const bool built = VTLBuildEffectTables(16, 0xF800, 0x07E0, 0x001F, &rgb565) &&
                              VTLBuildEffectTables(32, 0xFF0000, 0x00FF00, 0x0000FF, &rgb32);
    if (!built)
        std::abort();
    // What a loader accepts depends on the pixel size, not on the tables
    // (the RLE buffers are sized from it), so one set of tables serves both.
    loadsExactlyWhenOk(data, size, rgb565);
    loadsExactlyWhenOk(data, size, rgb32);

    const std::vector<unsigned char> bytes(data, data + size);
    VTLEmbeddedArchive archive{"FUZZDIR", bytes.data(), static_cast<DWORD>(size), nullptr};
    VTLRegisterEmbeddedArchive(&archive);
    {
        VTLHND handle;
        expect(handle.FastFileInit(const_cast<char*>("FUZZDIR")), vtl::checkArchiveDirectory(bytes.data(), size).ok());
    }
    VTLUnregisterEmbeddedArchive(&archive);
    return 0;
}
