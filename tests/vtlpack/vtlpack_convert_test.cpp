// vtlpack create --convert with the pictures game developers hold: each of
// ImageMagick's variants is packed as a .TGA and a .BMP entry, loaded by the
// library on 16- and 32-bit displays, and compared with ImageMagick's own
// decode.  Without --convert, every variant the library cannot load stops
// the archive with its reason.
#include <vantrel/bitplanefx.h>
#include <vantrel/pixelformat.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>
#include <lcms2.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

#include "tests/pictures/picture_variants.h"

namespace fs = std::filesystem;

namespace {
struct Outcome {
    int code;
    std::string out, err;
};

// Each test works in a folder of its own: ctest runs this program's tests
// side by side, and one test's pictures, archive or captured output must not
// be another's.
fs::path work()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return fs::path(VTLPACK_WORK_DIR) / "convert" / (test ? test->name() : "outside-a-test");
}

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Outcome vtlpack(const std::string& arguments)
{
    fs::create_directories(work());
    const std::string command = "cd '" + work().string() + "' && " VTLPACK_TOOL " " + arguments +
                                " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(work() / "stdout.txt"), slurp(work() / "stderr.txt")};
}

const std::vector<PictureVariant>& variants()
{
    std::string why;
    const std::vector<PictureVariant>& all = pictureVariants(work().string(), why);
    if (all.empty())
        ADD_FAILURE() << why;
    return all;
}

std::string entryName(size_t index, const char* ending)
{
    return std::string(index < 10 ? "V0" : "V") + std::to_string(index) + "." + ending;
}

// The handle's pixel fields as a display of 16 (5-6-5) or 32 bits sets them.
void setDisplay(VTLHND& handle, unsigned bits)
{
    VTLPixelFormat built{};
    const bool wide = bits == 32;
    ASSERT_TRUE(VTLBuildEffectTables(bits, wide ? 0xFF0000 : 0xF800, wide ? 0x00FF00 : 0x07E0, wide ? 0x0000FF : 0x001F,
                                     &built));
    handle.formatCode = built.formatCode;
    handle.bitsPerPixel = built.bitsPerPixel;
    handle.bytesPerPixel = built.bytesPerPixel;
    handle.redMask = built.redMask;
    handle.greenMask = built.greenMask;
    handle.blueMask = built.blueMask;
}

unsigned long pixelAt(const BITPLANEFX& s, int x, int y)
{
    unsigned long v = 0;
    std::memcpy(&v, s.pixels + y * s.pitch + x * s.bytesPerPixel, s.bytesPerPixel);
    return s.bytesPerPixel == 4 ? v & 0xFFFFFF : v;
}

// The colour a surface holds at (x, y), widened to 8 bits a channel, and
// how far it may be from the picture's own: its display's step.
void colourAt(const BITPLANEFX& s, int x, int y, int rgb[3], int& step)
{
    const unsigned long v = pixelAt(s, x, y);
    if (s.bitsPerPixel == 16) {
        rgb[0] = int((v >> 11 & 31) * 255 / 31);
        rgb[1] = int((v >> 5 & 63) * 255 / 63);
        rgb[2] = int((v & 31) * 255 / 31);
        step = 8;
    } else {
        rgb[0] = int(v >> 16 & 255);
        rgb[1] = int(v >> 8 & 255);
        rgb[2] = int(v & 255);
        step = 0;
    }
}

// Every pixel of the entry loaded as a surface against the decode; the
// first difference, or empty.
std::string compare(VTLHND& handle, const std::string& entry, const PictureVariant& v, bool alphaKept)
{
    BITPLANEFX s{};
    if (!handle.create(&s, const_cast<char*>(entry.c_str())))
        return "the library does not load it";
    std::string fault;
    if (s.width != v.width || s.height != v.height)
        fault = "size " + std::to_string(s.width) + " x " + std::to_string(s.height);
    for (int y = 0; y < v.height && fault.empty(); ++y)
        for (int x = 0; x < v.width && fault.empty(); ++x) {
            const uint8_t* want = &v.rgba[(size_t(y) * v.width + x) * 4];
            int got[3], step;
            colourAt(s, x, y, got, step);
            // A fully transparent pixel's colour is nobody's business.
            for (int c = 0; c < 3 && want[3] != 0; ++c)
                if (std::abs(got[c] - want[c]) > step + v.tolerance)
                    fault = "pixel " + std::to_string(x) + "," + std::to_string(y) + " channel " + std::to_string(c) +
                            " is " + std::to_string(got[c]) + ", ImageMagick reads " + std::to_string(want[c]);
            if (alphaKept && v.hasAlpha && fault.empty()) {
                const int a = s.alpha ? s.alpha[size_t(y) * s.width + x] : 255;
                if (std::abs(a - want[3]) > v.tolerance)
                    fault = "pixel " + std::to_string(x) + "," + std::to_string(y) + " alpha is " + std::to_string(a) +
                            ", ImageMagick reads " + std::to_string(want[3]);
            }
        }
    handle.release(&s);
    return fault;
}
} // namespace

TEST(VtlpackConvert, EveryVariantLoadsAsImageMagickDecodesIt)
{
    const std::vector<PictureVariant>& all = variants();
    ASSERT_FALSE(all.empty());
    std::string arguments = "create --convert variants.vtl";
    for (size_t i = 0; i < all.size(); ++i)
        arguments +=
            " '" + all[i].path + "=" + entryName(i, "TGA") + "' '" + all[i].path + "=" + entryName(i, "BMP") + "'";
    const Outcome packed = vtlpack(arguments);
    ASSERT_EQ(packed.code, 0) << packed.err;
    // Transparency dropped into a .BMP entry is said, once per such variant.
    for (size_t i = 0; i < all.size(); ++i) {
        const bool warned = packed.err.find("(as " + entryName(i, "BMP") + "): warning: its transparency is dropped") !=
                            std::string::npos;
        EXPECT_EQ(warned, all[i].hasAlpha) << all[i].name << "\n" << packed.err;
    }

    VTLHND handle;
    ASSERT_TRUE(handle.FastFileInit(const_cast<char*>((work() / "variants.vtl").c_str())));
    size_t converted = 0;
    for (const unsigned format : {16u, 32u}) {
        setDisplay(handle, format);
        for (size_t i = 0; i < all.size(); ++i) {
            const std::string tga = compare(handle, entryName(i, "TGA"), all[i], true);
            const std::string bmp = compare(handle, entryName(i, "BMP"), all[i], false);
            EXPECT_EQ(tga, "") << all[i].name << " as a .TGA entry on " << format;
            EXPECT_EQ(bmp, "") << all[i].name << " as a .BMP entry on " << format;
            converted += tga.empty() && bmp.empty() && format == 32;
        }
    }
    std::cout << "converted and loaded as ImageMagick decodes them: " << converted << " of " << all.size()
              << " variants\n";
}

TEST(VtlpackConvert, WithoutConvertAPictureTheLibraryCannotLoadStopsTheArchive)
{
    const std::vector<PictureVariant>& all = variants();
    ASSERT_FALSE(all.empty());
    size_t refused = 0, packedAsTheyAre = 0;
    std::string accepted;
    for (size_t i = 0; i < all.size(); ++i) {
        // Each under the ending of its own kind: a game asks for what it has.
        const bool bmp = all[i].name.rfind("bmp", 0) == 0;
        const std::string entry = entryName(i, bmp ? "BMP" : "TGA");
        const Outcome r = vtlpack("create plain.vtl '" + all[i].path + "=" + entry + "'");
        if (r.code == 0) {
            ++packedAsTheyAre;
            accepted += " " + all[i].name;
            EXPECT_EQ(r.err, "") << all[i].name;
            continue;
        }
        ++refused;
        EXPECT_EQ(r.code, 1) << all[i].name;
        EXPECT_NE(r.err.find("(as " + entry + "): the library cannot load it as meant: "), std::string::npos)
            << all[i].name << "\n" << r.err;
        EXPECT_NE(r.err.find("--convert"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("--keep packs it as it is"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("vtlsprite"), std::string::npos) << "never sent to another tool: " << r.err;
        EXPECT_FALSE(fs::exists(work() / "plain.vtl.part"));
        // --keep packs it anyway, with the reason as a warning.
        const Outcome kept = vtlpack("create --keep kept.vtl '" + all[i].path + "=" + entry + "'");
        EXPECT_EQ(kept.code, 0) << kept.err;
        EXPECT_NE(kept.err.find("warning: packed as it is (--keep)"), std::string::npos) << kept.err;
    }
    // The library's subset: 24-bit 40-byte BMP, true colour and grey TGA
    // stored bottom-up, left to right.
    EXPECT_EQ(accepted,
              " bmp-24bit tga-24bit tga-32bit-alpha tga-16bit tga-rle24 tga-rle32-alpha tga-grey tga-grey-rle");
    std::cout << "without --convert: " << refused << " refused with a reason, " << packedAsTheyAre
              << " packed as they are\n";
}

TEST(VtlpackConvert, SixteenBitChannelsWithoutGammaKeepTheirValues)
{
    // 0xFFFF, 0x0808, 0x0808 is (255, 8, 8) to every reader that does not
    // take 16-bit samples for linear light.
    fs::create_directories(work());
    ASSERT_EQ(std::system(("convert -size 2x2 'xc:rgb(255,8,8)' -depth 16 "
                           "-define png:exclude-chunks=gAMA,cHRM,sRGB,bKGD 'PNG48:" +
                           (work() / "deep.png").string() + "' 2>/dev/null")
                              .c_str()),
              0);
    const Outcome r = vtlpack("create --convert deep.vtl deep.png=DEEP.BMP");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("warning: its 16 bits per channel are rounded to 8"), std::string::npos) << r.err;
    VTLHND handle;
    ASSERT_TRUE(handle.FastFileInit(const_cast<char*>((work() / "deep.vtl").c_str())));
    setDisplay(handle, 32);
    BITPLANEFX s{};
    ASSERT_TRUE(handle.create(&s, const_cast<char*>("DEEP.BMP")));
    EXPECT_EQ(pixelAt(s, 1, 1), 0xFF0808u);
    handle.release(&s);
}

TEST(VtlpackConvert, AnEmbeddedColourProfileIsHonoured)
{
    // A profile whose red primary is sRGB's green and whose green is sRGB's
    // red: the file stores (255, 0, 0) for what shows as pure green.
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 6504);
    const cmsCIExyYTRIPLE swapped = {{0.30, 0.60, 1.0}, {0.64, 0.33, 1.0}, {0.15, 0.06, 1.0}};
    const cmsFloat64Number srgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &swapped, curves);
    cmsUInt32Number size = 0;
    ASSERT_TRUE(cmsSaveProfileToMem(profile, nullptr, &size));
    std::string icc(size, '\0');
    ASSERT_TRUE(cmsSaveProfileToMem(profile, &icc[0], &size));
    cmsCloseProfile(profile);
    cmsFreeToneCurve(curve);

    // A 1 x 1 24-bit BMP with a V5 header and the profile after the pixels.
    auto le = [](uint32_t v, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += char(v >> (8 * i));
        return out;
    };
    const uint32_t pixelsAt = 14 + 124, profileAt = pixelsAt + 4;
    std::string v5 = le(124, 4) + le(1, 4) + le(1, 4) + le(1, 2) + le(24, 2) + le(0, 4) + le(4, 4) + le(2835, 4) +
                     le(2835, 4) + le(0, 4) + le(0, 4) + std::string(16, '\0') + "DEBM" + std::string(36, '\0') +
                     std::string(12, '\0') + le(4, 4) + le(profileAt - 14, 4) + le(size, 4) + le(0, 4);
    ASSERT_EQ(v5.size(), 124u);
    const std::string file = "BM" + le(profileAt + size, 4) + le(0, 4) + le(pixelsAt, 4) + v5 +
                             std::string("\x00\x00\xff\x00", 4) + icc;
    fs::create_directories(work());
    std::ofstream(work() / "profiled.bmp", std::ios::binary) << file;

    const Outcome r = vtlpack("create --convert profiled.vtl profiled.bmp=PROF.BMP");
    ASSERT_EQ(r.code, 0) << r.err;
    VTLHND handle;
    ASSERT_TRUE(handle.FastFileInit(const_cast<char*>((work() / "profiled.vtl").c_str())));
    setDisplay(handle, 32);
    BITPLANEFX s{};
    ASSERT_TRUE(handle.create(&s, const_cast<char*>("PROF.BMP")));
    const unsigned long v = pixelAt(s, 0, 0);
    EXPECT_LE(v >> 16 & 255, 8u) << std::hex << v;
    EXPECT_GE(v >> 8 & 255, 247u) << std::hex << v;
    EXPECT_LE(v & 255, 8u) << std::hex << v;
    handle.release(&s);
}

TEST(VtlpackConvert, ANonArchiveIsNamedForWhatItIs)
{
    fs::create_directories(work());
    ASSERT_EQ(std::system(("convert -size 2x2 xc:red '" + (work() / "HERO.PNG").string() + "'").c_str()), 0);
    std::ofstream(work() / "JINGLE.OGG", std::ios::binary) << "OggS" << std::string(40, '\0');
    const Outcome png = vtlpack("verify HERO.PNG");
    EXPECT_EQ(png.code, 1);
    EXPECT_EQ(png.err, "vtlpack: HERO.PNG: not an archive: it is a PNG picture; to put it into a game, pack it as a "
                       "picture entry: vtlpack create --convert ARCHIVE HERO.PNG=NAME.TGA\n");
    const Outcome ogg = vtlpack("verify JINGLE.OGG");
    EXPECT_EQ(ogg.err, "vtlpack: JINGLE.OGG: not an archive: it is an Ogg file\n");
}

TEST(VtlpackConvert, APictureUnderAnotherFormatsNameIsCalledWhatItIs)
{
    fs::create_directories(work());
    ASSERT_EQ(std::system(("convert -size 2x2 xc:red '" + (work() / "hero.png").string() + "'").c_str()), 0);
    const Outcome r = vtlpack("create named.vtl hero.png=HERO.TGA");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("hero.png (as HERO.TGA): the library cannot load it as meant: it is a PNG picture, not a "
                         "TGA file: pack it with vtlpack create --convert"),
              std::string::npos)
        << r.err;
    // verify says the same of the file on its own.
    fs::copy_file(work() / "hero.png", work() / "HERO.BMP", fs::copy_options::overwrite_existing);
    const Outcome v = vtlpack("verify HERO.BMP");
    EXPECT_EQ(v.code, 1);
    EXPECT_NE(v.out.find("HERO.BMP: refused as a surface, an RLE image and an alpha map: it is a PNG picture, not a "
                         "BMP file"),
              std::string::npos)
        << v.out << v.err;
}
