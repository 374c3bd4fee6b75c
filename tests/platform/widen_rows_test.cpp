// The vector widening of 16-bit frames gives exactly the table's colours.
#include "platform/ddraw/present_convert.h"
#include "platform/ddraw/widen_rows.h"

#include <vantrel/seam/code_path_testing.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Layout {
    const char* name;
    vtl::PixelLayout layout;
};

const Layout kVectorLayouts[] = {
    {"rgb565", {16, 0xF800, 0x07E0, 0x001F}},
    {"bgr565", {16, 0x001F, 0x07E0, 0xF800}},
    {"rgb555", {16, 0x7C00, 0x03E0, 0x001F}},
    {"bgr555", {16, 0x001F, 0x03E0, 0x7C00}},
};

struct PathCase {
    const char* name;
    vtl::CodePath path;
};

const PathCase kVectorPaths[] = {
    {"sse2", vtl::CodePath::Sse2}, {"avx2", vtl::CodePath::Avx2}, {"simd128", vtl::CodePath::Simd128}};

// Every 16-bit value, in rows of `width` pixels starting one pixel in from
// the image's left edge, converted into rows that start one pixel into the
// output (so neither side is vector-aligned) with a pitch of one pixel more
// than the row.
std::vector<uint32_t> convertEveryValue(const vtl::PixelLayout& layout, int width)
{
    const int rows = (65536 + width - 1) / width;
    const int pitch = (width + 1) * 2 + 2;
    std::vector<unsigned char> pixels(static_cast<size_t>(pitch) * rows, 0);
    for (int v = 0; v < 65536; ++v) {
        unsigned char* p = &pixels[static_cast<size_t>(v / width) * pitch + 2 * (1 + v % width)];
        p[0] = static_cast<unsigned char>(v);
        p[1] = static_cast<unsigned char>(v >> 8);
    }
    const vtl::PresentedImage image{pixels.data(), pitch, width + 1, rows, layout, nullptr};
    const int outPitch = (width + 1) * 4;
    std::vector<uint32_t> out(1 + static_cast<size_t>(width + 1) * rows, 0xDEADBEEF);
    vtl::convertToXrgb(image, RECT{1, 0, width + 1, rows}, out.data() + 1, outPitch);
    return out;
}

class WidenRowsTest : public testing::TestWithParam<std::tuple<PathCase, Layout>> {
protected:
    void TearDown() override { vtl::testing::codepath::reset(); }
};

TEST_P(WidenRowsTest, EveryValueAtEveryTailLengthMatchesTheTable)
{
    const PathCase& path = std::get<0>(GetParam());
    const vtl::PixelLayout& layout = std::get<1>(GetParam()).layout;
    if (!vtl::processorRuns(path.path))
        GTEST_SKIP() << "this processor has no " << path.name;
    for (int width : {1, 7, 8, 15, 16, 17, 31, 32, 33, 47, 640}) {
        ASSERT_TRUE(vtl::testing::codepath::force(vtl::CodePath::Plain));
        const std::vector<uint32_t> expected = convertEveryValue(layout, width);
        ASSERT_TRUE(vtl::testing::codepath::force(path.path));
        ASSERT_NE(vtl::widenRowKernel(layout), nullptr) << "the vector kernel is not the one tested";
        const std::vector<uint32_t> got = convertEveryValue(layout, width);
        // The padding between rows is left as it was, so a kernel writing
        // past its row shows up too.
        for (size_t i = 0; i < got.size(); ++i)
            if (got[i] != expected[i]) {
                const size_t row = (i - 1) / (width + 1), column = (i - 1) % (width + 1);
                FAIL() << "width " << width << ", row " << row << ", pixel " << column << ": " << std::hex
                       << got[i] << " instead of " << expected[i];
            }
    }
}

INSTANTIATE_TEST_SUITE_P(VectorPaths, WidenRowsTest,
                         testing::Combine(testing::ValuesIn(kVectorPaths), testing::ValuesIn(kVectorLayouts)),
                         [](const testing::TestParamInfo<WidenRowsTest::ParamType>& info) {
                             return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

TEST(WidenRows, OtherLayoutsKeepTheTableOnEveryPath)
{
    // x-4-4-4, and 5-6-5 with green in an unusual place.
    const vtl::PixelLayout others[] = {{16, 0x0F00, 0x00F0, 0x000F}, {16, 0xF800, 0x001F, 0x07E0}};
    for (vtl::CodePath path : {vtl::CodePath::Sse2, vtl::CodePath::Avx2, vtl::CodePath::Simd128}) {
        if (!vtl::testing::codepath::force(path))
            continue;
        for (const vtl::PixelLayout& layout : others) {
            EXPECT_EQ(vtl::widenRowKernel(layout), nullptr);
            const uint16_t pixel = 0xFFFF;
            const vtl::PresentedImage image{reinterpret_cast<const unsigned char*>(&pixel), 2, 1, 1, layout,
                                            nullptr};
            uint32_t out = 0;
            vtl::convertToXrgb(image, RECT{0, 0, 1, 1}, &out, 4);
            EXPECT_EQ(out, 0xFFFFFFu);
        }
    }
    vtl::testing::codepath::reset();
}

} // namespace
