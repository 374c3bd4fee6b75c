// What each surface blit makes of a pixel, at the levels where the formulas
// turn over (0, 1, 128, 254, 255), keyed and unkeyed, in 8 and 16 bits.
#include <gtest/gtest.h>

#include "surface_helpers.h"

namespace {

enum class Member { Trans, Half, TransHalf, Shadow, Fade, FadeTrans, Blend, BlendTrans, Alpha, AlphaSrc, Color, ColorTrans };

void run(Member m, Surface& d, Surface& s, unsigned level, unsigned short color = 0)
{
    const tagPOINT p{0, 0};
    const auto k = static_cast<unsigned char>(level);
    switch (m) {
    case Member::Trans: d.TransBlt(&s, p, nullptr); break;
    case Member::Half: d.Blt50(&s, p, nullptr); break;
    case Member::TransHalf: d.TransBlt50(&s, p, nullptr); break;
    case Member::Shadow: d.ShadowBlt(&s, p, nullptr); break;
    case Member::Fade: d.FadeBlt(&s, p, nullptr, k); break;
    case Member::FadeTrans: d.FadeTransBlt(&s, p, nullptr, k); break;
    case Member::Blend: d.BlendBlt(&s, p, nullptr, k); break;
    case Member::BlendTrans: d.BlendTransBlt(&s, p, nullptr, k); break;
    case Member::Alpha: d.AlphaBlt(&s, p, nullptr); break;
    case Member::AlphaSrc: d.AlphaSrcBlt(&s, p, nullptr); break;
    case Member::Color: d.ColorBlendBlt(&s, p, nullptr, k, color); break;
    case Member::ColorTrans: d.ColorTransBlendBlt(&s, p, nullptr, k, color); break;
    }
}

// One source pixel over one destination pixel; the second column of the
// source is the key, so the keyed members must leave it alone.
uint32_t blitOne(const VTLPixelFormat& f, Member m, uint32_t s, uint32_t d, unsigned level, unsigned alpha = 255,
                 unsigned short color = 0, uint32_t key = 0x1234 & 0xFF)
{
    Surface src(f, 2, 1, true), dst(f, 2, 1);
    src.set(0, 0, s);
    src.set(1, 0, key);
    src.alpha[0] = static_cast<uint8_t>(alpha);
    src.alpha[1] = 255;
    src.colorKey = static_cast<unsigned short>(key);
    dst.set(0, 0, d);
    dst.set(1, 0, 0x55);
    run(m, dst, src, level, color);
    const bool keyed = m == Member::Trans || m == Member::TransHalf || m == Member::Shadow ||
                       m == Member::FadeTrans || m == Member::BlendTrans || m == Member::AlphaSrc ||
                       m == Member::ColorTrans;
    if (keyed) {
        EXPECT_EQ(dst.get(1, 0), 0x55u) << "a keyed member drew over a transparent pixel";
    }
    return dst.get(0, 0);
}

struct LevelCase {
    unsigned level;
    uint32_t fade, blend;
};

} // namespace

TEST(BlitEffects, FadeAndBlendAtTheTurningLevelsIn565)
{
    const VTLPixelFormat f = useFormat("rgb565");
    // Source red 0xF800 over destination blue 0x001F.
    const LevelCase cases[] = {{0, 0x0000, 0x001F},
                               {1, 0x0000, 0x001F},
                               {128, 0x7800, 0x7800 + 0x000F},
                               {254, 0xF000, 0xF000},
                               {255, 0xF800, 0xF800}};
    for (const LevelCase& c : cases) {
        EXPECT_EQ(blitOne(f, Member::Fade, 0xF800, 0x001F, c.level), c.fade) << c.level;
        EXPECT_EQ(blitOne(f, Member::FadeTrans, 0xF800, 0x001F, c.level), c.fade) << c.level;
        EXPECT_EQ(blitOne(f, Member::Blend, 0xF800, 0x001F, c.level), c.blend) << c.level;
        EXPECT_EQ(blitOne(f, Member::BlendTrans, 0xF800, 0x001F, c.level), c.blend) << c.level;
    }
    EXPECT_EQ(blitOne(f, Member::Fade, 0xBEEF, 0, 255), 0xBEEFu) << "level 255 copies exactly";
}

TEST(BlitEffects, FadeAndBlendAtTheTurningLevelsIn332)
{
    const VTLPixelFormat f = useFormat("pal8");
    // Source red 7 (0xE0) over destination green 7 (0x1C); the 8-bit blend
    // weighs the destination with 255 - level.
    const LevelCase cases[] = {
        {0, 0x00, 0x1C}, {1, 0x00, 0x18}, {128, 0x60, 0x6C}, {254, 0xC0, 0xC0}, {255, 0xE0, 0xE0}};
    for (const LevelCase& c : cases) {
        EXPECT_EQ(blitOne(f, Member::Fade, 0xE0, 0x1C, c.level), c.fade) << c.level;
        EXPECT_EQ(blitOne(f, Member::FadeTrans, 0xE0, 0x1C, c.level), c.fade) << c.level;
        EXPECT_EQ(blitOne(f, Member::Blend, 0xE0, 0x1C, c.level), c.blend) << c.level;
        EXPECT_EQ(blitOne(f, Member::BlendTrans, 0xE0, 0x1C, c.level), c.blend) << c.level;
    }
}

TEST(BlitEffects, HalfAndShadow)
{
    const VTLPixelFormat f565 = useFormat("rgb565");
    EXPECT_EQ(blitOne(f565, Member::Half, 0xFFFF, 0x0000, 0), 0x7BEFu);
    EXPECT_EQ(blitOne(f565, Member::TransHalf, 0xFFFF, 0x0000, 0), 0x7BEFu);
    EXPECT_EQ(blitOne(f565, Member::Shadow, 0x0001, 0xFFFF, 0), 0x7BEFu);
    const VTLPixelFormat f555 = useFormat("bgr555");
    EXPECT_EQ(blitOne(f555, Member::Half, 0x7FFF, 0x0000, 0), 0x3DEFu);
    EXPECT_EQ(blitOne(f555, Member::Half, 0x7FFF, 0x7FFF, 0), 0x7BDEu) << "each field rounded down twice";
    // 3-3-2: every field halved and rounded down, no carry between fields.
    const VTLPixelFormat f8 = useFormat("pal8");
    EXPECT_EQ(blitOne(f8, Member::Half, 0xFF, 0x00, 0), 0x6Du);
    EXPECT_EQ(blitOne(f8, Member::Half, 0xFF, 0xFF, 0), 0xDAu);
    EXPECT_EQ(blitOne(f8, Member::Shadow, 0x01, 0xFF, 0), 0x6Du);
    EXPECT_EQ(blitOne(f8, Member::TransHalf, 0x92, 0x49, 0), 0x6Du) << "red 4 + 2, green 4 + 2, blue 2 + 1";
}

TEST(BlitEffects, AlphaWeighsByTheSourcePlane)
{
    const VTLPixelFormat f = useFormat("rgb565");
    EXPECT_EQ(blitOne(f, Member::Alpha, 0xF800, 0x001F, 0, 0), 0x001Fu) << "alpha 0 is skipped";
    EXPECT_EQ(blitOne(f, Member::Alpha, 0xF800, 0x001F, 0, 255), 0xF800u);
    EXPECT_EQ(blitOne(f, Member::Alpha, 0xF800, 0x001F, 0, 128), 0x780Fu);
    EXPECT_EQ(blitOne(f, Member::AlphaSrc, 0xF800, 0x001F, 0, 1), 0x001Fu);
    const VTLPixelFormat f8 = useFormat("pal8");
    EXPECT_EQ(blitOne(f8, Member::Alpha, 0xE0, 0x1C, 0, 255), 0xE0u);
    EXPECT_EQ(blitOne(f8, Member::AlphaSrc, 0xE0, 0x1C, 0, 128), 0x6Cu);
}

TEST(BlitEffects, ColorBlendsFadeTheColourWithTheComplement)
{
    const VTLPixelFormat f = useFormat("rgb565");
    // Level 0 gives the colour whole (weight 255), level 255 the source.
    EXPECT_EQ(blitOne(f, Member::Color, 0xF800, 0, 0, 255, 0x07E0), 0x07E0u);
    EXPECT_EQ(blitOne(f, Member::Color, 0xF800, 0, 255, 255, 0x07E0), 0xF800u);
    EXPECT_EQ(blitOne(f, Member::ColorTrans, 0xF800, 0, 128, 255, 0x001F), 0x7800u + 0x000Fu);
    const VTLPixelFormat f8 = useFormat("pal8");
    // 8 bits: the unkeyed member gives the colour 256 - level, the keyed one 255 - level.
    EXPECT_EQ(blitOne(f8, Member::Color, 0x00, 0, 1, 255, 0x1C), Fade8[255][0x1C] + 0u);
    EXPECT_EQ(blitOne(f8, Member::ColorTrans, 0x00, 0, 1, 255, 0x1C), Fade8[254][0x1C] + 0u);
    EXPECT_EQ(blitOne(f8, Member::Color, 0xE0, 0x03, 128, 255, 0x1C), Fade8[128][0xE0] + Fade8[128][0x1C] + 0u);
}

TEST(BlitEffects, KeyedMembersSkipTheKeyAndUnkeyedOnesDoNot)
{
    const VTLPixelFormat f = useFormat("rgb565");
    EXPECT_EQ(blitOne(f, Member::Trans, 0x1234, 0x0F0F, 0, 255, 0, 0x1234), 0x0F0Fu);
    EXPECT_EQ(blitOne(f, Member::Trans, 0x1235, 0x0F0F, 0, 255, 0, 0x1234), 0x1235u);
    EXPECT_EQ(blitOne(f, Member::Fade, 0x1234, 0x0F0F, 255, 255, 0, 0x1234), 0x1234u);
    const VTLPixelFormat f8 = useFormat("pal8");
    // Only the key's low byte counts on 8-bit surfaces.
    Surface src(f8, 1, 1), dst(f8, 1, 1);
    src.set(0, 0, 0x34);
    src.colorKey = 0x1234;
    dst.TransBlt(&src, {0, 0}, nullptr);
    EXPECT_EQ(dst.get(0, 0), 0u);
}

TEST(BlitEffects, DeepSurfacesTakeOnlyThePlainCopy)
{
    for (const char* name : {"rgb24", "bgr32"}) {
        const VTLPixelFormat f = useFormat(name);
        Surface src(f, 3, 3, true), dst(f, 3, 3);
        src.fill(0x00A0B0C0);
        std::memset(src.alpha, 255, 9);
        dst.fill(0x00010203);
        for (Member m : {Member::Trans, Member::Half, Member::TransHalf, Member::Shadow, Member::Fade,
                         Member::FadeTrans, Member::Blend, Member::BlendTrans, Member::Alpha, Member::AlphaSrc,
                         Member::Color, Member::ColorTrans})
            run(m, dst, src, 128, 0xFFFF);
        EXPECT_EQ(dst.get(2, 2), 0x00010203u) << name;
        dst.Blt(&src, {0, 0}, nullptr);
        EXPECT_EQ(dst.get(2, 2), 0x00A0B0C0u) << name;
    }
}
