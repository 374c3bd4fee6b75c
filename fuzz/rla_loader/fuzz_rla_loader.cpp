// Any bytes as an RLA archive entry, loaded for one of the nine display
// formats (picked by the first byte): the set is either refused with nothing
// left behind, or every frame can be played and drawn, clipped and whole,
// with every blit mode, and the set released.
#include <vantrel/animation.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/fastfile.h>
#include <vantrel/pixelformat.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/debug.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {
void quiet(const char*, void*) {}

struct Format {
    unsigned bits;
    DWORD red, green, blue;
};
constexpr Format kFormats[] = {
    {8, 0, 0, 0},
    {16, 0x7C00, 0x03E0, 0x001F}, {16, 0xF800, 0x07E0, 0x001F},
    {16, 0x001F, 0x03E0, 0x7C00}, {16, 0x001F, 0x07E0, 0xF800},
    {24, 0xFF0000, 0x00FF00, 0x0000FF}, {24, 0x0000FF, 0x00FF00, 0xFF0000},
    {32, 0xFF0000, 0x00FF00, 0x0000FF}, {32, 0x0000FF, 0x00FF00, 0xFF0000},
};

// The effect tables are process-wide and slow to build: only when the
// format changes.
void useFormat(VTLHND& handle, unsigned index)
{
    static int built = -1;
    static VTLPixelFormat format{};
    if (built != static_cast<int>(index)) {
        const Format& f = kFormats[index];
        if (!VTLBuildEffectTables(f.bits, f.red, f.green, f.blue, &format))
            std::abort();
        built = static_cast<int>(index);
    }
    handle.formatCode = format.formatCode;
    handle.bitsPerPixel = format.bitsPerPixel;
    handle.bytesPerPixel = format.bytesPerPixel;
    handle.redMask = format.redMask;
    handle.greenMask = format.greenMask;
    handle.blueMask = format.blueMask;
}

void put32(std::vector<unsigned char>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// An archive of one entry, F.RLA, holding `size` bytes of `data`.
std::vector<unsigned char> archiveOf(const uint8_t* data, size_t size)
{
    std::vector<unsigned char> out;
    put32(out, 2);
    const uint32_t first = 4 + 2 * 17;
    put32(out, first);
    const char name[13] = "F.RLA";
    out.insert(out.end(), name, name + 13);
    put32(out, first + static_cast<uint32_t>(size));
    out.resize(out.size() + 13, 0);
    out.insert(out.end(), data, data + size);
    return out;
}

void playAndDraw(ANIMATIONFX& set, BITPLANEFX& target)
{
    Sprite sprite{};
    sprite.bind(&set);
    Tile tile{};
    tile.bind(&set);
    for (unsigned i = 0; i < set.frameCount && i < 64; ++i) {
        const ANIMFRAME& slot = set.frames[i];
        sprite.setAction(slot.action, slot.direction);
        sprite.setForward((i & 1) != 0);
        sprite.advance();
        sprite.blitMode.mode = static_cast<unsigned char>(i % 8);
        sprite.blitMode.level = static_cast<unsigned char>(37 * i);
        sprite.blitMode.colorLevel = static_cast<unsigned char>(91 * i);
        sprite.blitMode.color = 0x00A5C3E1u;
        // Whole, then clipped on each side.
        const int where[][2] = {{2, 2}, {-5, 3}, {3, -5}, {14, 9}, {9, 14}};
        for (const auto& w : where) {
            sprite.setX(w[0], false);
            sprite.setY(w[1], false);
            sprite.draw(&target, 0, 0);
        }
        tile.setBitmap(static_cast<unsigned short>(i));
        tile.draw(&target, POINT{-1, -1});
        tile.advance();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    VTLSetDebugReceiver(quiet, nullptr);
    std::vector<unsigned char> bytes = archiveOf(data + 1, size - 1);
    VTLEmbeddedArchive archive{"RLAFUZZ", bytes.data(), static_cast<DWORD>(bytes.size()), nullptr};
    VTLRegisterEmbeddedArchive(&archive);
    const DWORD before = MemUsed();
    {
        VTLHND handle;
        useFormat(handle, data[0] % 9);
        if (!handle.FastFileInit(const_cast<char*>("RLAFUZZ")))
            std::abort();
        ANIMATIONFX set{};
        if (handle.create(&set, const_cast<char*>("F.RLA"))) {
            BITPLANEFX target{};
            target.bitsPerPixel = handle.bitsPerPixel;
            target.bytesPerPixel = handle.bytesPerPixel;
            if (target.create(16, 16, false)) {
                playAndDraw(set, target);
                target.release();
            }
            if (!handle.release(&set))
                std::abort();
        } else if (set.frames || handle.rleList || handle.animationList) {
            std::abort(); // a refused file leaves nothing behind
        }
        if (handle.rleList)
            std::abort();
    }
    if (MemUsed() != before)
        std::abort();
    VTLUnregisterEmbeddedArchive(&archive);
    return 0;
}
