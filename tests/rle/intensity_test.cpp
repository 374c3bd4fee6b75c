// COLORFX and MONOFX: intensity runs from BMP, TGA and RLE files, their
// messages, and drawing on 8-bit surfaces.
#include <gtest/gtest.h>

#include <array>

#include "rle/rle_file_builder.h"
#include "rle/rle_reference.h"
#include "support/message_capture.h"

using namespace rletest;

namespace {

void put32(std::vector<uint8_t>& v, size_t at, uint32_t x) { std::memcpy(v.data() + at, &x, 4); }

// A 24-bit BMP; rows given top row first, pixels as (r, g, b).
std::vector<uint8_t> bmp24(const std::vector<std::vector<Rgb>>& rows)
{
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    const size_t stride = (3 * w + 3) & ~3;
    std::vector<uint8_t> f(54 + stride * h, 0);
    f[0] = 'B';
    f[1] = 'M';
    put32(f, 10, 54);
    put32(f, 14, 40);
    put32(f, 18, static_cast<uint32_t>(w));
    put32(f, 22, static_cast<uint32_t>(h));
    f[26] = 1;
    f[28] = 24;
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            uint8_t* p = f.data() + 54 + stride * (h - 1 - r) + 3 * c;
            p[0] = rows[r][c].b;
            p[1] = rows[r][c].g;
            p[2] = rows[r][c].r;
        }
    return f;
}

// A 32-bit TGA, bottom-up; pixels (r, g, b, a), rows top first.
std::vector<uint8_t> tga32(int w, int h, const std::vector<std::array<uint8_t, 4>>& px)
{
    std::vector<uint8_t> f(18 + 4 * w * h, 0);
    f[2] = 2;
    f[12] = static_cast<uint8_t>(w);
    f[14] = static_cast<uint8_t>(h);
    f[16] = 32;
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            const auto& s = px[r * w + c];
            uint8_t* p = f.data() + 18 + 4 * ((h - 1 - r) * w + c);
            p[0] = s[2];
            p[1] = s[1];
            p[2] = s[0];
            p[3] = s[3];
        }
    return f;
}

template <class T>
struct Owned {
    T img{};
    ~Owned() { img.release(); }
};

std::vector<uint8_t> runsOf(const RLEFX& img, size_t n) { return {img.runs, img.runs + n}; }

} // namespace

TEST(IntensityImages, BmpPixelsBecomeTheirIntensity)
{
    auto file = bmp24({{{0, 0, 0}, {10, 20, 31}, {255, 255, 254}}, {{0, 0, 0}, {0, 0, 0}, {9, 9, 9}}});
    Owned<COLORFX> c;
    c.img.fileData = file.data();
    c.img.fileSize = static_cast<DWORD>(file.size());
    ASSERT_TRUE(c.img.loadBmp());
    EXPECT_EQ(c.img.kind, RLE_KIND_BMP);
    EXPECT_EQ(blockSize(c.img.runs), 15u); // exactly the runs
    EXPECT_EQ(runsOf(c.img, 15), (std::vector<uint8_t>{0x01, 0x80, 0x02, 0x00, 20, 254, 0, 0,
                                                         0x02, 0x80, 0x01, 0x00, 9, 0, 0}));

    MessageCapture messages;
    file[0] = 'B';
    file[1] = 'A';
    Owned<MONOFX> m;
    m.img.fileData = file.data();
    m.img.fileSize = static_cast<DWORD>(file.size());
    EXPECT_FALSE(m.img.loadBmp());
    EXPECT_FALSE(m.img);
    EXPECT_EQ(messages.text(), "MONOFX::loadBmp - Failed to load\r\n");
}

TEST(IntensityImages, TgaAlphaMakesSkipOpaqueAndLevelRuns)
{
    auto file = tga32(3, 2, {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {30, 60, 90, 255}, {200, 100, 0, 128}, {1, 1, 1, 0}});
    Owned<COLORFX> c;
    c.img.fileData = file.data();
    c.img.fileSize = static_cast<DWORD>(file.size());
    ASSERT_TRUE(c.img.loadTga());
    EXPECT_EQ(c.img.kind, RLE_KIND_TGA);
    const uint8_t scaled = Scale8[128][100];
    EXPECT_EQ(runsOf(c.img, 15), (std::vector<uint8_t>{0x03, 0x80, 0x00, 0x00, 0x01, 0x00, 60, 0x01, 0x40, 128,
                                                         scaled, 0x01, 0x80, 0x00, 0x00}));
}

TEST(IntensityImages, RleFilesDecodeToIntensityWithTheirBufferRule)
{
    VTLPixelFormat f{};
    ASSERT_TRUE(VTLBuildEffectTables(8, 0, 0, 0, &f));
    RleFile builder(12, 1);
    builder.skip(1).opaque({{10, 20, 31}, {255, 255, 254}}).level({{128, {90, 90, 93}}});
    builder.opaque({{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {3, 3, 3}}).endRow();
    auto file = builder.build();
    file.resize(200, 0xEE); // trailing bytes are not read
    Owned<COLORFX> c;
    ASSERT_TRUE(c.img.loadData(file.data(), 200));
    EXPECT_EQ(blockSize(c.img.runs), 180u); // 10 stored pixels, 200 bytes
    EXPECT_EQ(runsOf(c.img, 21), (std::vector<uint8_t>{0x01, 0x80, 0x02, 0x00, 20, 254, 0x01, 0x40, 128, Fade8[128][91],
                                                         0x07, 0x00, 1, 1, 1, 1, 1, 1, 3, 0x00, 0x00}));

    Owned<MONOFX> m;
    m.img.fileData = file.data();
    m.img.fileSize = 200;
    ASSERT_TRUE(m.img.loadRle());
    EXPECT_EQ(m.img.kind, RLE_KIND_RLE);
    EXPECT_EQ(runsOf(m.img, 21), runsOf(c.img, 21));
}

TEST(IntensityImages, MessagesNameTheClass)
{
    MessageCapture messages;
    Owned<COLORFX> c;
    Owned<MONOFX> m;
    EXPECT_FALSE(c.img.loadData(nullptr, 10));
    EXPECT_FALSE(m.img.loadData(nullptr, 10));
    std::vector<uint8_t> bad = RleFile(1, 1).skip(2).endRow().build();
    EXPECT_FALSE(c.img.loadData(bad.data(), static_cast<unsigned long>(bad.size())));
    EXPECT_EQ(messages.text(), "COLORFX::loadRle() - No Surface\r\nMONOFX::loadRle() - No Surface\r\n"
                               "COLORFX::loadRle() - bad run data\r\n");
}

namespace {

// An intensity image from raw runs (one byte per pixel).
template <class T>
struct RawImage {
    T img{};
    RawImage(const std::vector<uint8_t>& runs, int w, int h)
    {
        img.create(w, h, static_cast<unsigned long>(runs.size() + 2));
        std::memcpy(img.runs, runs.data(), runs.size());
    }
    ~RawImage() { img.release(); }
};

} // namespace

TEST(IntensityDrawing, EightBitSurfacesOnlyWithThe8BitBlitters)
{
    VTLPixelFormat f{};
    ASSERT_TRUE(VTLBuildEffectTables(8, 0, 0, 0, &f));
    std::mt19937 rng(3);
    const auto runs = randomRuns(rng, 1, 40, 30);
    RawImage<COLORFX> color(runs, 40, 30);
    RawImage<MONOFX> mono(runs, 40, 30);
    Image plain(runs, 40, 30);
    Surface lib(8, PF_PAL8, 50, 40), ref(8, PF_PAL8, 50, 40);
    std::vector<uint8_t> background(lib.bytes());
    fillRandom(rng, background);
    const POINT pt{-5, 7};

    auto same = [&](auto drawLib, auto drawRef, const char* what) {
        lib.restore(background);
        ref.restore(background);
        drawLib();
        drawRef();
        EXPECT_EQ(lib.snapshot(), ref.snapshot()) << what;
    };
    same([&] { lib.s.BltNoEffects(&color.img, pt, 0x1234); }, [&] { ref.s.BltNoEffects(&plain.img, pt); }, "colour copy");
    same([&] { lib.s.BltNoEffects(&mono.img, pt, 0); }, [&] { ref.s.BltNoEffects(&plain.img, pt); }, "mono copy");
    same([&] { lib.s.Blt(&color.img, pt, 9); }, [&] { ref.s.Blt(&plain.img, pt); }, "Blt");
    same([&] { lib.s.Blt50(&mono.img, pt, 9); }, [&] { ref.s.Blt50(&plain.img, pt); }, "Blt50");
    same([&] { lib.s.ShadowBlt(&color.img, pt, 9); }, [&] { ref.s.ShadowBlt(&plain.img, pt); }, "Shadow");
    same([&] { lib.s.FadeBlt(&mono.img, pt, 100, 9); }, [&] { ref.s.FadeBlt(&plain.img, pt, 100); }, "Fade");
    same([&] { lib.s.BlendBlt(&color.img, pt, 100, 9); }, [&] { ref.s.BlendBlt(&plain.img, pt, 100); }, "Blend");

    // Modes 0, 2, 3 (and 6 for colour) reach Blt, 4 and 5 FadeBlt.
    for (int m = 0; m < 8; ++m) {
        BLITMODE mode{static_cast<unsigned char>(m), 60, 0, 0};
        same([&] { lib.s.BltMode(&color.img, pt, &mode); },
             [&] {
                 if (m == 0 || m == 2 || m == 3 || m == 6)
                     ref.s.Blt(&plain.img, pt);
                 else if (m == 4 || m == 5)
                     ref.s.FadeBlt(&plain.img, pt, 60);
             },
             "colour mode");
        same([&] { lib.s.BltMode(&mono.img, pt, &mode); },
             [&] {
                 if (m == 0 || m == 2 || m == 3)
                     ref.s.Blt(&plain.img, pt);
                 else if (m == 4 || m == 5)
                     ref.s.FadeBlt(&plain.img, pt, 60);
             },
             "mono mode");
    }

    // Other depths are left alone.
    Surface wide(16, PF_RGB565, 50, 40);
    const auto before = wide.snapshot();
    wide.s.BltNoEffects(&color.img, POINT{0, 0}, 0);
    BLITMODE zero{0, 0, 0, 0};
    wide.s.BltMode(&color.img, POINT{0, 0}, &zero);
    wide.s.Blt(&mono.img, POINT{0, 0}, 0);
    EXPECT_EQ(wide.snapshot(), before);
}

TEST(IntensityDrawing, ClippedOnTheLeftStartsAtTheSixthColumn)
{
    std::vector<uint8_t> runs;
    putWord(runs, 8);
    for (uint8_t i = 1; i <= 8; ++i)
        runs.push_back(i * 10);
    putWord(runs, 0);
    RawImage<COLORFX> img(runs, 8, 1);
    Surface s(8, PF_PAL8, 16, 1);
    s.s.SetClipper(4, 0, 15, 0);
    s.s.BltNoEffects(&img.img, POINT{-1, 0}, 0); // 5 pixels left of clipX 4
    EXPECT_EQ(s.snapshot()[4], 60);
    EXPECT_EQ(s.snapshot()[5], 70);
    EXPECT_EQ(s.snapshot()[6], 80);
    EXPECT_EQ(s.snapshot()[3], 0);
    EXPECT_EQ(s.snapshot()[7], 0);
}
