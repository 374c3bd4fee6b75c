// One chooser serves every kernel family: a path forced for the tests is the
// one the blitters, the run-length blitters and the present's widening all
// run, and a family without a build for it runs its next slower one.
#include "platform/ddraw/pixel_layout.h"
#include "platform/ddraw/widen_rows.h"
#include "rle/rle_kernels.h"
#include "surface/blit_rows.h"

#include <vantrel/pixelformat.h>
#include <vantrel/seam/code_path_testing.h>

#include <gtest/gtest.h>

namespace {

const vtl::PixelLayout k565 = {16, 0xF800, 0x07E0, 0x001F};

class CodePaths : public testing::Test {
protected:
    void TearDown() override { vtl::testing::codepath::reset(); }
};

TEST_F(CodePaths, AForcedPathIsTheOneEveryFamilyRuns)
{
    ASSERT_TRUE(vtl::testing::codepath::force(vtl::CodePath::Plain));
    EXPECT_EQ(vtl::rowKernel(vtl::OP_BLEND, 16, PF_RGB565), vtl::scalarKernels().rgb565[vtl::OP_BLEND]);
    EXPECT_EQ(vtl::rleKernel(vtl::RLE_BLEND, 16, PF_RGB565), vtl::rleScalarKernels().rgb565[vtl::RLE_BLEND]);
    EXPECT_EQ(vtl::widenRowKernel(k565), nullptr) << "the plain widening is the table";

    if (!vtl::testing::codepath::force(vtl::CodePath::Sse2))
        GTEST_SKIP() << "this processor has no SSE2";
    EXPECT_EQ(vtl::rowKernel(vtl::OP_BLEND, 16, PF_RGB565), vtl::sse2Kernels()->rgb565[vtl::OP_BLEND]);
    EXPECT_EQ(vtl::rleKernel(vtl::RLE_BLEND, 16, PF_RGB565), vtl::rleSse2Kernels()->rgb565[vtl::RLE_BLEND]);
    EXPECT_EQ(vtl::widenRowKernel(k565), vtl::sse2WidenKernels()->rgb565);

    // The widening has no SSSE3 build.
    if (!vtl::testing::codepath::force(vtl::CodePath::Ssse3))
        GTEST_SKIP() << "this processor has no SSSE3";
    EXPECT_EQ(vtl::rowKernel(vtl::OP_BLEND, 16, PF_RGB565), vtl::ssse3Kernels()->rgb565[vtl::OP_BLEND]);
    EXPECT_EQ(vtl::rleKernel(vtl::RLE_BLEND, 16, PF_RGB565), vtl::rleSsse3Kernels()->rgb565[vtl::RLE_BLEND]);
    EXPECT_EQ(vtl::widenRowKernel(k565), vtl::sse2WidenKernels()->rgb565);
}

TEST_F(CodePaths, WebAssemblySimdRunsEveryFamilysSimdBuild)
{
    if (!vtl::testing::codepath::force(vtl::CodePath::Simd128))
        GTEST_SKIP() << "this build has no WebAssembly SIMD";
    EXPECT_EQ(vtl::rowKernel(vtl::OP_BLEND, 16, PF_RGB565), vtl::simd128Kernels()->rgb565[vtl::OP_BLEND]);
    EXPECT_EQ(vtl::lutRowKernel(PF_RGB555), vtl::simd128Kernels()->lut555);
    EXPECT_EQ(vtl::rleKernel(vtl::RLE_BLEND, 32, 0), vtl::rleSimd128Kernels()->bits32[vtl::RLE_BLEND]);
    EXPECT_EQ(vtl::widenRowKernel(k565), vtl::simd128WidenKernels()->rgb565);
    // No x86 path is ever chosen beside it.
    EXPECT_FALSE(vtl::testing::codepath::force(vtl::CodePath::Sse2));
}

TEST_F(CodePaths, ResetGoesBackToTheFastestPathTheProcessorRuns)
{
    ASSERT_TRUE(vtl::testing::codepath::force(vtl::CodePath::Plain));
    vtl::testing::codepath::reset();
    vtl::CodePath fastest = vtl::CodePath::Plain;
    for (vtl::CodePath path : vtl::kCodePaths)
        if (vtl::processorRuns(path))
            fastest = path;
    EXPECT_EQ(vtl::activeCodePath(), fastest);
#if defined(__x86_64__)
    EXPECT_NE(fastest, vtl::CodePath::Plain) << "every x86-64 processor has SSE2";
#elif defined(__wasm_simd128__)
    EXPECT_EQ(fastest, vtl::CodePath::Simd128);
#endif
}

} // namespace
