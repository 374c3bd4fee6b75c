#include <vantrel/bitplanefx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "support/image_files.h"
#include "support/message_capture.h"

namespace {
// Loads one TGA into a surface on a display of the given format.
class TgaLoad {
public:
    explicit TgaLoad(const Bytes& file, const DisplayFormat& f = kDisplayFormats[7] /* rgb32 */)
    {
        archive.add("PIC.TGA", file).add("AFTER.BIN", Bytes(2048, 0x77));
        setDisplayFormat(handle, f);
        archive.openIn(handle);
        MessageCapture capture;
        ok = handle.create(&surface, const_cast<char*>("PIC.TGA"));
        messages = capture.text();
    }
    unsigned long rgb(int x, int y) const { return pixelAt(surface, x, y); }

    TestArchive archive;
    VTLHND handle;
    BITPLANEFX surface{};
    bool ok = false;
    std::string messages;
};

Rgba gradient(int x, int y)
{
    return Rgba{static_cast<unsigned char>(10 * x + 1), static_cast<unsigned char>(50 * y + 2),
                static_cast<unsigned char>(200 - x), static_cast<unsigned char>(60 * x + y)};
}

unsigned long packed(const Rgba& c) { return (unsigned long)c.r << 16 | c.g << 8 | c.b; }

Bytes rgbRun(unsigned header, std::initializer_list<Bytes> values)
{
    Bytes out{static_cast<unsigned char>(header)};
    for (const Bytes& v : values)
        out.insert(out.end(), v.begin(), v.end());
    return out;
}
} // namespace

TEST(SurfaceTga, TrueColourRowsGoBottomUp)
{
    TgaLoad load(makeTga(2, 24, 4, 2, tgaRows(4, 2, 24, gradient)));
    ASSERT_TRUE(load.ok) << load.messages;
    EXPECT_EQ(load.surface.kind, BITPLANE_TGA);
    EXPECT_EQ(load.surface.alpha, nullptr) << "24-bit images have no alpha plane";
    EXPECT_EQ(load.surface.colorKey, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(load.rgb(x, y), packed(gradient(x, y))) << x << "," << y;

    // The first four pixels of the file are the bottom row.
    const Bytes file = makeTga(2, 24, 4, 2, tgaRows(4, 2, 24, gradient));
    EXPECT_EQ(file[18], gradient(0, 1).b);
}

TEST(SurfaceTga, ThirtyTwoBitsFillTheAlphaPlane)
{
    TgaLoad load(makeTga(2, 32, 3, 2, tgaRows(3, 2, 32, gradient)));
    ASSERT_TRUE(load.ok);
    ASSERT_NE(load.surface.alpha, nullptr);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(load.rgb(x, y), packed(gradient(x, y)));
            EXPECT_EQ(load.surface.alpha[y * 3 + x], gradient(x, y).a);
        }
}

TEST(SurfaceTga, SixteenBitFieldsAreScaledTo255)
{
    // Bottom row: 0x7FFF, 0x0400; top row: 0x03E0, 0x801F (top bit ignored).
    const Bytes data{0xFF, 0x7F, 0x00, 0x04, 0xE0, 0x03, 0x1F, 0x80};
    TgaLoad load(makeTga(2, 16, 2, 2, data));
    ASSERT_TRUE(load.ok);
    EXPECT_EQ(load.rgb(0, 1), 0xFFFFFFu);
    EXPECT_EQ(load.rgb(1, 1), 0x080000u) << "red 1 is 255 / 31 = 8";
    EXPECT_EQ(load.rgb(0, 0), 0x00FF00u);
    EXPECT_EQ(load.rgb(1, 0), 0x0000FFu);
}

TEST(SurfaceTga, RunLengthPacketsRunAcrossRows)
{
    const Bytes red{0, 0, 255}, green{0, 255, 0}, blue{255, 0, 0};
    // 3 x 2: a repeat of four reds crosses from the bottom row into the top
    // one, then two raw pixels.
    const Bytes data = [&] {
        Bytes d = rgbRun(0x83, {red});
        const Bytes raw = rgbRun(0x01, {green, blue});
        d.insert(d.end(), raw.begin(), raw.end());
        return d;
    }();
    TgaLoad load(makeTga(10, 24, 3, 2, data));
    ASSERT_TRUE(load.ok) << load.messages;
    EXPECT_EQ(load.rgb(0, 1), 0xFF0000u);
    EXPECT_EQ(load.rgb(2, 1), 0xFF0000u);
    EXPECT_EQ(load.rgb(0, 0), 0xFF0000u);
    EXPECT_EQ(load.rgb(1, 0), 0x00FF00u);
    EXPECT_EQ(load.rgb(2, 0), 0x0000FFu);

    // A packet announcing more pixels than remain is cut at the image's end.
    TgaLoad over(makeTga(10, 24, 3, 2, rgbRun(0xFF, {green})));
    ASSERT_TRUE(over.ok);
    EXPECT_EQ(over.rgb(2, 0), 0x00FF00u);

    // Sixteen-bit repeat values take two bytes, as raw ones do.
    TgaLoad sixteen(makeTga(10, 16, 2, 1, Bytes{0x81, 0x1F, 0x00}));
    ASSERT_TRUE(sixteen.ok);
    EXPECT_EQ(sixteen.rgb(1, 0), 0x0000FFu);
}

TEST(SurfaceTga, IndexImagesGoThroughTheColourMap)
{
    Bytes map(768);
    for (int i = 0; i < 256; ++i) {
        map[3 * i] = static_cast<unsigned char>(i);           // blue
        map[3 * i + 1] = static_cast<unsigned char>(255 - i); // green
        map[3 * i + 2] = 7;                                   // red
    }
    auto withMap = [&](const Bytes& data) {
        Bytes body = map;
        body.insert(body.end(), data.begin(), data.end());
        return body;
    };
    for (unsigned type : {1u, 3u}) {
        TgaLoad load(makeTga(type, 8, 2, 1, withMap(Bytes{0, 200}), 1, 256, 24));
        ASSERT_TRUE(load.ok) << type;
        EXPECT_EQ(load.rgb(0, 0), 0x07FF00u) << type;
        EXPECT_EQ(load.rgb(1, 0), 0x0737C8u) << type;
    }
    for (unsigned type : {9u, 11u}) {
        TgaLoad load(makeTga(type, 8, 3, 1, withMap(Bytes{0x80, 5, 0x81, 200}), 1, 256, 24));
        ASSERT_TRUE(load.ok) << type;
        EXPECT_EQ(load.rgb(0, 0), 0x07FA05u) << type;
        EXPECT_EQ(load.rgb(2, 0), 0x0737C8u) << type;
    }
    // A grey image without a colour map reads each byte as its grey level.
    TgaLoad grey(makeTga(3, 8, 2, 1, Bytes{0x40, 0xFF}));
    ASSERT_TRUE(grey.ok);
    EXPECT_EQ(grey.rgb(0, 0), 0x404040u);
    EXPECT_EQ(grey.rgb(1, 0), 0xFFFFFFu);
}

TEST(SurfaceTga, IdFieldsAndForeignColourMapsAreSkipped)
{
    Bytes body{'h', 'i', '!'};                   // a 3-byte ID
    body.insert(body.end(), 4 * 2, 0xEE);         // a colour map of 4 16-bit entries
    const Bytes pixel{0x10, 0x20, 0x30};
    body.insert(body.end(), pixel.begin(), pixel.end());
    TgaLoad load(makeTga(2, 24, 1, 1, body, 1, 4, 16, 3));
    ASSERT_TRUE(load.ok);
    EXPECT_EQ(load.rgb(0, 0), 0x302010u);
}

TEST(SurfaceTga, UnreadTypesGiveABlackSurfaceOfTheHeadersSize)
{
    for (unsigned type : {0u, 4u, 8u, 12u, 255u}) {
        TgaLoad load(makeTga(type, 24, 5, 3, Bytes{}));
        ASSERT_TRUE(load.ok) << type;
        EXPECT_EQ(load.surface.width, 5);
        EXPECT_EQ(load.surface.height, 3);
        EXPECT_EQ(load.rgb(4, 2), 0u);
        EXPECT_EQ(load.messages, "");
    }
}

TEST(SurfaceTga, MalformedFilesAreRefusedAndLeaveNothing)
{
    Bytes map(768, 9);
    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"header cut short", Bytes(10, 0)},
        {"depth 15", makeTga(2, 15, 1, 1, Bytes{1, 2})},
        {"depth 0", makeTga(2, 0, 1, 1, Bytes{1, 2})},
        {"raw data one byte short", makeTga(2, 24, 2, 2, Bytes(11, 1))},
        {"run-length data ends early", makeTga(10, 24, 4, 1, Bytes{0x81, 1, 2, 3})},
        {"run-length packet cut inside its value", makeTga(10, 24, 300, 1, Bytes{0xFF, 1, 2, 3, 0xFF, 1, 2, 3, 0x83, 1})},
        {"8-bit true colour without a map", makeTga(2, 8, 1, 1, Bytes{1})},
        {"8-bit index image with a 16-bit map", makeTga(1, 8, 1, 1, Bytes(513, 0), 1, 256, 16)},
        {"8-bit index image with a short map", makeTga(1, 8, 1, 1, Bytes(385, 0), 1, 128, 24)},
        {"colour map past the end", makeTga(1, 8, 1, 1, Bytes(700, 0), 1, 256, 24)},
        {"ID field past the end", makeTga(2, 24, 1, 1, Bytes(3, 0), 0, 0, 0, 200)},
        {"huge picture, few bytes", makeTga(2, 32, 65535, 65535, Bytes(64, 0))},
    };
    for (const Case& c : cases) {
        TgaLoad load(c.file);
        EXPECT_FALSE(load.ok) << c.what;
        EXPECT_EQ(load.messages, "Failed to load\r\n") << c.what;
        EXPECT_EQ(load.surface.pixels, nullptr) << c.what;
        EXPECT_EQ(load.handle.surfaceList, nullptr) << c.what;
    }
}

TEST(SurfaceTga, SaveWritesNothing)
{
    BITPLANEFX s{};
    EXPECT_TRUE(s.saveTga(const_cast<char*>("OUT.TGA"), 0, 0, 10, 10));
}
