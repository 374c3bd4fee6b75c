// Presentation turns every emulated layout into the same real colours.
#include <vantrel/pixelformat.h>

#include "platform/ddraw/present_convert.h"
#include "support/formats.h"

namespace {

class PresentConvertTest : public testing::TestWithParam<DisplayFormat> {};

// Pure colours and black survive every layout exactly, so a frame drawn with
// them looks the same at every depth.
TEST_P(PresentConvertTest, PureColoursComeOutExact)
{
    const DisplayFormat& f = GetParam();
    const unsigned char rgb[][3] = {{0, 0, 0},     {255, 0, 0},     {0, 255, 0},    {0, 0, 255},
                                    {255, 255, 0}, {0, 255, 255},   {255, 0, 255},  {255, 255, 255}};
    constexpr int kCount = 8;
    const unsigned bytes = f.bits / 8;
    unsigned char pixels[2][kCount * 4 + 8] = {};
    for (int i = 0; i < kCount; ++i) {
        const unsigned long p = VTLPackColor(f.bits, f.expectedCode, rgb[i][0], rgb[i][1], rgb[i][2]);
        for (unsigned b = 0; b < bytes; ++b)
            pixels[1][i * bytes + b] = static_cast<unsigned char>(p >> (8 * b));
    }
    const vtl::PresentedImage image{&pixels[0][0], sizeof pixels[0], kCount, 2,
                                    vtl::PixelLayout{f.bits, f.red, f.green, f.blue}, nullptr};
    uint32_t out[kCount], swapped[kCount];
    vtl::convertToXrgb(image, RECT{0, 1, kCount, 2}, out, sizeof out);
    vtl::convertToXbgr(image, RECT{0, 1, kCount, 2}, swapped, sizeof swapped);
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(out[i], uint32_t{rgb[i][0]} << 16 | uint32_t{rgb[i][1]} << 8 | rgb[i][2]) << i;
        EXPECT_EQ(swapped[i], uint32_t{rgb[i][2]} << 16 | uint32_t{rgb[i][1]} << 8 | rgb[i][0]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, PresentConvertTest, testing::ValuesIn(kDisplayFormats), formatName);

TEST(PresentConvert, NarrowFieldsWidenByRepeatingTheirTopBits)
{
    // 5-6-5: red 0x10 of 31, green 0x20 of 63, blue 1 of 31.
    const uint16_t pixel = 0x10 << 11 | 0x20 << 5 | 1;
    const vtl::PresentedImage image{reinterpret_cast<const unsigned char*>(&pixel), 2, 1, 1,
                                    vtl::PixelLayout{16, 0xF800, 0x07E0, 0x001F}, nullptr};
    uint32_t out = 0;
    vtl::convertToXrgb(image, RECT{0, 0, 1, 1}, &out, 4);
    EXPECT_EQ(out, 0x848208u);
    vtl::convertToXbgr(image, RECT{0, 0, 1, 1}, &out, 4);
    EXPECT_EQ(out, 0x088284u);
}

TEST(PresentConvert, EightBitPixelsGoThroughTheAttachedPalette)
{
    PALETTEENTRY palette[256] = {};
    palette[7] = PALETTEENTRY{1, 2, 3, 0};
    const unsigned char pixels[2] = {7, 0};
    const vtl::PresentedImage image{pixels, 2, 2, 1, vtl::PixelLayout{8, 0, 0, 0}, palette};
    uint32_t out[2];
    vtl::convertToXrgb(image, RECT{0, 0, 2, 1}, out, sizeof out);
    EXPECT_EQ(out[0], 0x010203u);
    EXPECT_EQ(out[1], 0u);
    vtl::convertToXbgr(image, RECT{0, 0, 2, 1}, out, sizeof out);
    EXPECT_EQ(out[0], 0x030201u);
}

} // namespace
