#include "picture_variants.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {
struct Recipe {
    const char* name;
    const char* source;    // "opaque" or "alpha"
    const char* arguments; // between the source and the output
    const char* output;    // the output, with ImageMagick's format prefix
    int tolerance;
};

// TGA origins: ImageMagick writes its rows in memory order and only marks
// the origin, so each is flipped first to make a file whose pixels, read
// by its mark, are the source's.
const Recipe kRecipes[] = {
    {"bmp-1bit", "opaque", "-monochrome", "BMP3:%s.bmp", 0},
    {"bmp-4bit", "opaque", "-colors 16 -type Palette", "BMP3:%s.bmp", 0},
    {"bmp-8bit", "opaque", "-colors 200 -type Palette", "BMP3:%s.bmp", 0},
    {"bmp-rle8", "opaque", "-colors 200 -type Palette -compress RLE", "BMP3:%s.bmp", 0},
    {"bmp-rgb555", "opaque", "-define bmp:subtype=RGB555 -type TrueColor", "BMP:%s.bmp", 8},
    {"bmp-rgb565", "opaque", "-define bmp:subtype=RGB565 -type TrueColor", "BMP:%s.bmp", 8},
    {"bmp-argb1555", "alpha", "-define bmp:subtype=ARGB1555 -type TrueColorAlpha", "BMP:%s.bmp", 8},
    {"bmp-argb4444", "alpha", "-define bmp:subtype=ARGB4444 -type TrueColorAlpha", "BMP:%s.bmp", 17},
    {"bmp-24bit", "opaque", "-type TrueColor", "BMP3:%s.bmp", 0},
    {"bmp-os2", "opaque", "-type TrueColor", "BMP2:%s.bmp", 0},
    {"bmp-v4-alpha", "alpha", "-define bmp:format=bmp4 -type TrueColorAlpha", "BMP:%s.bmp", 0},
    {"bmp-v5-alpha", "alpha", "-type TrueColorAlpha", "BMP:%s.bmp", 0},
    {"bmp-v5-24bit", "opaque", "-type TrueColor", "BMP:%s.bmp", 0},
    {"bmp-v5-8bit", "opaque", "-colors 60 -type Palette", "BMP:%s.bmp", 0},
    {"tga-24bit", "opaque", "-flip -orient BottomLeft -type TrueColor", "TGA:%s.tga", 0},
    {"tga-32bit-alpha", "alpha", "-flip -orient BottomLeft -type TrueColorAlpha", "TGA:%s.tga", 0},
    {"tga-16bit", "opaque", "-flip -orient BottomLeft -depth 5 -type TrueColor", "TGA:%s.tga", 8},
    {"tga-rle24", "opaque", "-flip -orient BottomLeft -compress RLE -type TrueColor", "TGA:%s.tga", 0},
    {"tga-rle32-alpha", "alpha", "-flip -orient BottomLeft -compress RLE -type TrueColorAlpha", "TGA:%s.tga", 0},
    {"tga-map2", "opaque", "-flip -orient BottomLeft -colors 2 -type Palette", "TGA:%s.tga", 0},
    {"tga-map16", "opaque", "-flip -orient BottomLeft -colors 16 -type Palette", "TGA:%s.tga", 0},
    {"tga-map100", "opaque", "-flip -orient BottomLeft -colors 100 -type Palette", "TGA:%s.tga", 0},
    {"tga-map100-rle", "opaque", "-flip -orient BottomLeft -colors 100 -type Palette -compress RLE", "TGA:%s.tga", 0},
    {"tga-grey", "opaque", "-flip -orient BottomLeft -colorspace Gray", "TGA:%s.tga", 0},
    {"tga-grey-rle", "opaque", "-flip -orient BottomLeft -colorspace Gray -compress RLE", "TGA:%s.tga", 0},
    {"tga-topleft", "opaque", "-orient TopLeft -type TrueColor", "TGA:%s.tga", 0},
    {"tga-topright", "opaque", "-flop -orient TopRight -type TrueColor", "TGA:%s.tga", 0},
    {"tga-bottomright", "opaque", "-flip -flop -orient BottomRight -type TrueColor", "TGA:%s.tga", 0},
    {"tga-map100-topright", "opaque", "-flop -orient TopRight -colors 100 -type Palette", "TGA:%s.tga", 0},
    {"png-rgb8", "opaque", "", "PNG24:%s.png", 0},
    {"png-rgba8", "alpha", "", "PNG32:%s.png", 0},
    {"png-rgb16", "opaque", "-depth 16", "PNG48:%s.png", 1},
    {"png-rgba16", "alpha", "-depth 16", "PNG64:%s.png", 1},
    {"png-palette", "opaque", "-colors 50", "PNG8:%s.png", 0},
    {"png-palette-trns", "alpha", "-channel A -threshold 50% +channel -colors 50", "PNG8:%s.png", 0},
    {"png-grey", "opaque", "-colorspace Gray", "PNG:%s.png", 0},
    {"png-grey16", "opaque", "-colorspace Gray -depth 16", "PNG:%s.png", 1},
    {"png-grey-alpha", "alpha", "-colorspace Gray -define png:color-type=4", "PNG:%s.png", 0},
    {"png-gamma", "opaque", "-set gamma 0.7", "PNG24:%s.png", 0},
    {"gif", "opaque", "-colors 64", "GIF:%s.gif", 0},
    {"gif-transparent", "alpha", "-channel A -threshold 50% +channel -colors 64", "GIF:%s.gif", 0},
    {"pcx", "opaque", "", "PCX:%s.pcx", 0},
    {"jpeg", "opaque", "-quality 95", "JPEG:%s.jpg", 0},
};

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::vector<uint8_t> slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<PictureVariant> make(const std::string& root, std::string& why)
{
    const fs::path folder = fs::path(root) / "variants";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string dir = "'" + folder.string() + "/";
    // 13 x 11: odd sizes pad every BMP row.  A plasma of over a hundred
    // colours (so that an 8-bit palette is needed) with a block of one; the
    // alpha source fades left to right from fully transparent and keeps its
    // colours under the alpha.
    if (!run("convert -seed 7 -size 13x11 plasma:fractal -fill '#20c040' -draw 'rectangle 2,2 7,6' -depth 8 " + dir +
             "opaque.png'") ||
        !run("convert " + dir + "opaque.png' -alpha set -channel A -fx 'i/(w-1)' +channel -depth 8 " + dir +
             "alpha.png'")) {
        why = "ImageMagick's convert is missing or failed";
        return {};
    }
    std::vector<PictureVariant> variants;
    for (const Recipe& r : kRecipes) {
        char output[256];
        std::snprintf(output, sizeof output, r.output, (folder / r.name).c_str());
        const std::string target(output);
        const std::string file = target.substr(target.find(':') + 1);
        const std::string decode = file + ".rgba";
        if (!run("convert " + dir + r.source + ".png' " + r.arguments + " '" + target + "'") ||
            !run("convert '" + file + "' -auto-orient -depth 8 'rgba:" + decode + "'")) {
            why = std::string("ImageMagick cannot make ") + r.name;
            return {};
        }
        PictureVariant v;
        v.name = r.name;
        v.path = file;
        v.rgba = slurp(decode);
        v.width = 13;
        v.height = 11;
        v.tolerance = r.tolerance;
        if (v.rgba.size() != size_t(13 * 11 * 4)) {
            why = std::string("ImageMagick's decode of ") + r.name + " has the wrong size";
            return {};
        }
        // ImageMagick 6 reads a set one-bit alpha back as 128, where every
        // other reader (and its own writer) means opaque.
        const bool oneBitAlpha = v.name == "bmp-argb1555";
        for (size_t i = 3; i < v.rgba.size(); i += 4) {
            if (oneBitAlpha && v.rgba[i] >= 128)
                v.rgba[i] = 255;
            v.hasAlpha |= v.rgba[i] != 255;
        }
        variants.push_back(std::move(v));
    }
    return variants;
}
} // namespace

const std::vector<PictureVariant>& pictureVariants(const std::string& root, std::string& why)
{
    static std::string reason;
    static const std::vector<PictureVariant> variants = make(root, reason);
    why = reason;
    return variants;
}
