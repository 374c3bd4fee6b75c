// Every RLE blitter against the reference walker: random images, random
// clip rectangles and positions (inside, across every edge, and outside),
// every operation at the levels 0, 128, 255 and random ones, in all nine
// display formats, on every code path this processor runs (plain, SSE2,
// SSSE3, AVX2).
#include <gtest/gtest.h>

#include <random>

#include <vantrel/seam/code_path_testing.h>
#include "surface/effects_switch.h"
#include "rle/rle_reference.h"
#include "surface/blit_rows.h"
#include "support/formats.h"

using namespace rletest;

namespace {

class RleBlitters : public testing::TestWithParam<DisplayFormat> {
protected:
    void TearDown() override { ::vtl::testing::codepath::reset(); }
    void SetUp() override
    {
        const DisplayFormat& d = GetParam();
        ASSERT_TRUE(VTLBuildEffectTables(d.bits, d.red, d.green, d.blue, &format));
        B = static_cast<int>(d.bits / 8);
    }
    VTLPixelFormat format{};
    int B = 0;
};

std::vector<OpArgs> argsFor(Op op, std::mt19937& rng)
{
    std::vector<OpArgs> out;
    const unsigned levels[] = {0, 128, 255, static_cast<unsigned>(rng() & 0xFF)};
    if (op == Op::Fade || op == Op::Blend) {
        for (unsigned l : levels)
            out.push_back({l, 0, 0});
    } else if (op == Op::Color) {
        for (unsigned l : levels)
            out.push_back({0, static_cast<unsigned long>(rng()), l});
    } else {
        out.push_back({});
    }
    return out;
}

} // namespace

TEST_P(RleBlitters, MatchTheReferenceWalkerEverywhere)
{
    std::mt19937 rng(1234 + B);
    Surface lib(GetParam().bits, format.formatCode, 97, 61);
    Surface ref(GetParam().bits, format.formatCode, 97, 61);
    std::vector<uint8_t> background(lib.bytes());
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    for (int round = 0; round < 60; ++round) {
        const int w = pick(0, 3) == 0 ? pick(0, 4) : pick(1, 130);
        const int h = pick(0, 3) == 0 ? pick(0, 4) : pick(1, 80);
        Image image(randomRuns(rng, B, w, h), w, h);
        // Half the rounds clip to a smaller rectangle, so that its origin
        // counts.
        if (round % 2)
            lib.s.SetClipper(static_cast<unsigned short>(pick(0, 96)), static_cast<unsigned short>(pick(0, 60)),
                             static_cast<unsigned short>(pick(0, 96)), static_cast<unsigned short>(pick(0, 60)));
        else
            lib.s.SetClipper(0, 0, 96, 60);
        ref.s.SetClipper(static_cast<unsigned short>(lib.s.clipX), static_cast<unsigned short>(lib.s.clipY),
                         static_cast<unsigned short>(lib.s.clipX + lib.s.clipWidth - 1),
                         static_cast<unsigned short>(lib.s.clipY + lib.s.clipHeight - 1));

        for (int place = 0; place < 4; ++place) {
            POINT pt;
            if (place == 0 && w <= lib.s.clipWidth && h <= lib.s.clipHeight) {
                // Wholly inside: the unclipped path.
                pt.x = lib.s.clipX + pick(0, lib.s.clipWidth - w);
                pt.y = lib.s.clipY + pick(0, lib.s.clipHeight - h);
            } else {
                pt.x = lib.s.clipX + pick(-w - 2, lib.s.clipWidth + 2);
                pt.y = lib.s.clipY + pick(-h - 2, lib.s.clipHeight + 2);
            }
            for (Op op : kAllOps) {
                for (const OpArgs& args : argsFor(op, rng)) {
                    fillRandom(rng, background);
                    ref.restore(background);
                    // The reference follows the shortcuts by their results.
                    Op refOp = op;
                    if (op == Op::Fade && args.level == 255)
                        refOp = Op::NoEffects;
                    if (op == Op::Blend && args.level == 255)
                        refOp = Op::Normal;
                    if (!(op == Op::Blend && args.level == 0))
                        drawRefInClip(ref.s, image.img, pt, B, refOp, args);
                    for (vtl::CodePath path : vtl::kCodePaths) {
                        if (!::vtl::testing::codepath::force(path))
                            continue;
                        lib.restore(background);
                        drawLib(lib.s, &image.img, pt, op, args);
                        ASSERT_EQ(lib.snapshot(), ref.snapshot())
                            << vtl::codePathName(path) << " path, op " << static_cast<int>(op) << " level " << args.level
                            << " colorLevel " << args.colorLevel << " image " << w << "x" << h << " at " << pt.x
                            << "," << pt.y << " clip " << lib.s.clipX << "," << lib.s.clipY << " "
                            << lib.s.clipWidth << "x" << lib.s.clipHeight;
                    }
                }
            }
        }
    }
}

TEST_P(RleBlitters, EffectsSwitchOffDrawsEveryEffectAsNoEffects)
{
    std::mt19937 rng(99);
    Surface lib(GetParam().bits, format.formatCode, 64, 40);
    Surface ref(GetParam().bits, format.formatCode, 64, 40);
    Image image(randomRuns(rng, B, 30, 20), 30, 20);
    std::vector<uint8_t> background(lib.bytes());
    fillRandom(rng, background);
    vtl::setEffectsEnabled(false);
    for (Op op : kAllOps) {
        for (const OpArgs& args : argsFor(op, rng)) {
            for (POINT pt : {POINT{5, 5}, POINT{-7, 30}}) {
                lib.restore(background);
                ref.restore(background);
                drawLib(lib.s, &image.img, pt, op, args);
                ref.s.BltNoEffects(&image.img, pt);
                EXPECT_EQ(lib.snapshot(), ref.snapshot()) << static_cast<int>(op) << " level " << args.level;
            }
        }
    }
    vtl::setEffectsEnabled(true);
}

TEST_P(RleBlitters, BltModeRunsTheRecordsOperation)
{
    std::mt19937 rng(7);
    Surface lib(GetParam().bits, format.formatCode, 48, 48);
    Surface ref(GetParam().bits, format.formatCode, 48, 48);
    Image image(randomRuns(rng, B, 40, 40), 40, 40);
    std::vector<uint8_t> background(lib.bytes());
    fillRandom(rng, background);
    const POINT pt{-3, 12};
    for (int m = 0; m < 10; ++m) {
        BLITMODE mode{static_cast<unsigned char>(m), 77, 0x00C0FFEEu, 150};
        lib.restore(background);
        ref.restore(background);
        lib.s.BltMode(&image.img, pt, &mode);
        switch (m) {
        case BLITMODE_NORMAL: ref.s.Blt(&image.img, pt); break;
        case BLITMODE_HALF: ref.s.Blt50(&image.img, pt); break;
        case BLITMODE_SHADOW: ref.s.ShadowBlt(&image.img, pt); break;
        case BLITMODE_FADE: ref.s.FadeBlt(&image.img, pt, 77); break;
        case BLITMODE_BLEND: ref.s.BlendBlt(&image.img, pt, 77); break;
        case BLITMODE_COLOR: ref.s.ColorBlt(&image.img, pt, 0x00C0FFEEu, 150); break;
        default: break; // 1 and 7 upwards draw nothing
        }
        EXPECT_EQ(lib.snapshot(), ref.snapshot()) << "mode " << m;
        if (m == 1 || m >= 7) {
            EXPECT_EQ(lib.snapshot(), background) << "mode " << m;
        }
    }
    lib.restore(background);
    lib.s.BltMode(&image.img, pt, nullptr);
    EXPECT_EQ(lib.snapshot(), background);
}

TEST_P(RleBlitters, SizedBltClipsToTheSurfaceAndCopiesAsStored)
{
    std::mt19937 rng(5);
    Surface lib(GetParam().bits, format.formatCode, 50, 40);
    Surface ref(GetParam().bits, format.formatCode, 50, 40);
    std::vector<uint8_t> background(lib.bytes());
    for (int round = 0; round < 40; ++round) {
        const int w = std::uniform_int_distribution<int>(1, 70)(rng);
        const int h = std::uniform_int_distribution<int>(1, 60)(rng);
        Image image(randomRuns(rng, B, w, h), w, h);
        // The clip rectangle plays no part.
        lib.s.SetClipper(10, 10, 20, 20);
        const POINT pt{std::uniform_int_distribution<int>(-w - 3, 53)(rng),
                       std::uniform_int_distribution<int>(-h - 3, 43)(rng)};
        const unsigned long sizes[][2] = {{static_cast<unsigned long>(w), static_cast<unsigned long>(h)},
                                          {1, 1},
                                          {0, 0},
                                          {1000, 1000}};
        for (const auto& size : sizes) {
            fillRandom(rng, background);
            lib.restore(background);
            ref.restore(background);
            lib.s.Blt(&image.img, pt, size[0], size[1]);
            drawRef(ref.s, image.img, pt.x, pt.y, 0, 0, 50, 40, static_cast<long long>(size[0]),
                    static_cast<long long>(size[1]), B, Op::NoEffects, {});
            ASSERT_EQ(lib.snapshot(), ref.snapshot()) << w << "x" << h << " at " << pt.x << "," << pt.y
                                                      << " sized " << size[0] << "x" << size[1];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, RleBlitters, testing::ValuesIn(kDisplayFormats), formatName);
