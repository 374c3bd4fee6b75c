// Draws, for each of the nine display formats, the 8-bit palette (or a
// colour cube) and the fade ramps that the effect tables give, into a surface
// of that format, and saves each as a 24-bit BMP so the results can be
// compared by eye: every format should show the same picture at its own
// colour depth.
//
//   vantrel-palette-ramps [FOLDER]     (default: palette-ramps)
#include <vantrel.h>

#include "bmp_writer.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

struct Format {
    const char* name;
    unsigned bits;
    DWORD red, green, blue;
};

const Format kFormats[] = {
    {"pal8", 8, 0, 0, 0},
    {"rgb555", 16, 0x7C00, 0x03E0, 0x001F},
    {"rgb565", 16, 0xF800, 0x07E0, 0x001F},
    {"bgr555", 16, 0x001F, 0x03E0, 0x7C00},
    {"bgr565", 16, 0x001F, 0x07E0, 0xF800},
    {"rgb24", 24, 0xFF0000, 0x00FF00, 0x0000FF},
    {"bgr24", 24, 0x0000FF, 0x00FF00, 0xFF0000},
    {"rgb32", 32, 0xFF0000, 0x00FF00, 0x0000FF},
    {"bgr32", 32, 0x0000FF, 0x00FF00, 0xFF0000},
};

constexpr int kWidth = 512;
constexpr int kHeight = 384;

unsigned long readPixel(const BITPLANEFX& s, int x, int y)
{
    const unsigned char* p = s.pixels + y * s.pitch + x * s.bytesPerPixel;
    unsigned long v = 0;
    for (int i = 0; i < s.bytesPerPixel && i < 3; ++i)
        v |= static_cast<unsigned long>(p[i]) << (8 * i);
    return v;
}

void writePixel(BITPLANEFX& s, int x, int y, unsigned long v)
{
    unsigned char* p = s.pixels + y * s.pitch + x * s.bytesPerPixel;
    for (int i = 0; i < s.bytesPerPixel; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// A pixel of format f faded to level k through the effect tables.
unsigned long fade(const VTLPixelFormat& f, unsigned long p, unsigned k)
{
    switch (f.bitsPerPixel) {
    case 8:
        return Fade8[k][p & 0xFF];
    case 16:
        return FadeLo[k][p & 0xFF] + FadeHi[k][(p >> 8) & 0xFF];
    default:
        return Fade8[k][p & 0xFF] | Fade8[k][(p >> 8) & 0xFF] << 8 | Fade8[k][(p >> 16) & 0xFF] << 16;
    }
}

// Top half: a hue sweep (columns) faded from full (top) to black.  Bottom
// half: the 256 colours of the 8-bit palette as a 16 x 16 grid, packed for
// the format; in the bottom strip, pairs averaged with HalfMask.
void draw(BITPLANEFX& s, const VTLPixelFormat& f)
{
    for (int x = 0; x < kWidth; ++x) {
        const int h = x * 6 * 256 / kWidth;
        const int seg = h / 256, t = h % 256;
        int r = 0, g = 0, b = 0;
        switch (seg) {
        case 0: r = 255; g = t; break;
        case 1: r = 255 - t; g = 255; break;
        case 2: g = 255; b = t; break;
        case 3: g = 255 - t; b = 255; break;
        case 4: r = t; b = 255; break;
        default: r = 255; b = 255 - t; break;
        }
        const unsigned long base = VTLPackColor(f.bitsPerPixel, f.formatCode, r, g, b);
        for (int y = 0; y < kHeight / 2; ++y)
            writePixel(s, x, y, fade(f, base, 255 - y * 255 / (kHeight / 2 - 1)));
    }
    PALETTEENTRY palette[256];
    VTLPalette332(palette);
    const int cell = kWidth / 16;
    const int cellH = (kHeight / 2 - 32) / 16;
    for (int c = 0; c < 256; ++c) {
        const unsigned long p = VTLPackColor(f.bitsPerPixel, f.formatCode, palette[c].peRed,
                                             palette[c].peGreen, palette[c].peBlue);
        for (int y = 0; y < cellH; ++y)
            for (int x = 0; x < cell; ++x)
                writePixel(s, (c % 16) * cell + x, kHeight / 2 + (c / 16) * cellH + y, p);
    }
    if (f.bitsPerPixel > 16)
        return;
    const unsigned long white = VTLPackColor(f.bitsPerPixel, f.formatCode, 255, 255, 255);
    for (int x = 0; x < kWidth; ++x) {
        const unsigned long src = readPixel(s, x, 0);
        const unsigned long half = ((src >> 1) & HalfMask) + ((white >> 1) & HalfMask);
        for (int y = kHeight - 24; y < kHeight; ++y)
            writePixel(s, x, y, half & (f.bitsPerPixel == 8 ? 0xFF : 0xFFFF));
    }
}

} // namespace

int main(int argc, char** argv)
{
    static const char kUsage[] =
        "usage: vantrel-palette-ramps [FOLDER]\n"
        "  Writes one BMP per display format (the palette and the fade ramps of its effect\n"
        "  tables) into FOLDER, made if missing (default: palette-ramps).\n";
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        const bool help = argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
        if (!help)
            std::fprintf(stderr, "vantrel-palette-ramps: unknown option or extra argument\n");
        std::fputs(kUsage, help ? stdout : stderr);
        return help ? 0 : 2;
    }
    const std::string folder = argc > 1 ? argv[1] : "palette-ramps";
    std::error_code made;
    std::filesystem::create_directory(folder, made);
    if (made) {
        std::fprintf(stderr, "cannot create %s: %s\n", folder.c_str(), made.message().c_str());
        return 1;
    }
    for (const Format& d : kFormats) {
        VTLPixelFormat f{};
        if (!VTLBuildEffectTables(d.bits, d.red, d.green, d.blue, &f)) {
            std::fprintf(stderr, "%s: format refused\n", d.name);
            return 1;
        }
        BITPLANEFX surface;
        std::memset(&surface, 0, sizeof surface);
        surface.format = f.formatCode;
        surface.bitsPerPixel = f.bitsPerPixel;
        surface.bytesPerPixel = f.bytesPerPixel;
        if (!surface.create(kWidth, kHeight, false))
            return 1;
        draw(surface, f);
        const std::string path = folder + "/" + d.name + ".bmp";
        const bool saved = writeBmp24(path, surface.pixels, static_cast<long>(surface.pitch), surface.width,
                                      surface.height, f.bitsPerPixel, f.formatCode);
        surface.release();
        if (!saved) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("wrote %s (format code %u, %u-bit)\n", path.c_str(), f.formatCode, f.bitsPerPixel);
    }
    return 0;
}
