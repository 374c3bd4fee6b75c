// Every refusal code of the library's readers has words in vtlpack verify,
// and no two codes of one format share them.  A reader's new code without a
// case in vtlpack does not build (the switches have no default); one whose
// case gives no words, or another code's words, is caught here.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tools/vtlpack/refusal_reasons.h"

namespace {
template <typename Code, typename Words>
void expectOwnWordsForEvery(Code last, Words words)
{
    EXPECT_EQ(words(vtl::FileCheck<Code>{}), "") << "Ok needs no words";
    std::set<std::string> seen;
    for (int code = 1; code <= static_cast<int>(last); ++code) {
        const std::string text = words(vtl::FileCheck<Code>{static_cast<Code>(code), 3, 5, 7});
        EXPECT_FALSE(text.empty()) << "code " << code;
        EXPECT_TRUE(seen.insert(text).second) << "code " << code << " shares its words: " << text;
    }
}
} // namespace

TEST(VtlpackRefusalWords, EveryReaderCodeHasItsOwnWords)
{
    expectOwnWordsForEvery(vtl::BmpRefusal::CutShort, [](const vtl::BmpCheck& c) { return vtlpack::explain(c); });
    expectOwnWordsForEvery(vtl::TgaRefusal::NotRunImageType,
                           [](const vtl::TgaCheck& c) { return vtlpack::explain(c); });
    expectOwnWordsForEvery(vtl::RleRefusal::BufferTooSmall,
                           [](const vtl::RleCheck& c) { return vtlpack::explain(c, 32); });
    expectOwnWordsForEvery(vtl::DirectoryRefusal::EntriesPastEnd,
                           [](const vtl::DirectoryCheck& c) { return vtlpack::explain(c, 100); });
    // A frame's image is explained by the RLE file's own words.
    expectOwnWordsForEvery(vtl::rla::RlaRefusal::FrameImage, [](const vtl::FileCheck<vtl::rla::RlaRefusal>& c) {
        vtl::rla::RlaCheck check;
        static_cast<vtl::FileCheck<vtl::rla::RlaRefusal>&>(check) = c;
        check.frameCount = 4;
        check.image = {vtl::RleRefusal::RowTooWide, 2, 0, 9};
        return vtlpack::explain(check, 16);
    });
}

TEST(VtlpackRefusalWords, CountsAndArticlesAgreeWithTheirNumbers)
{
    EXPECT_NE(vtlpack::explain(vtl::BmpCheck{vtl::BmpRefusal::BitsPerPixel, 0, 1, 0}).find("it has 1 bit per pixel;"),
              std::string::npos);
    EXPECT_NE(vtlpack::explain(vtl::TgaCheck{vtl::TgaRefusal::NotRunImageType, 2, 16, 0})
                  .find("it is an uncompressed true colour (type 2) TGA of 16 bits"),
              std::string::npos);
    EXPECT_NE(vtlpack::explain(vtl::TgaCheck{vtl::TgaRefusal::NotRunImageType, 1, 8, 0})
                  .find("it is a colour-mapped (type 1) TGA"),
              std::string::npos);
    // A refusal never sends the user to a tool that refuses the file too.
    for (int code = 1; code <= static_cast<int>(vtl::BmpRefusal::CutShort); ++code)
        EXPECT_EQ(vtlpack::explain(vtl::BmpCheck{static_cast<vtl::BmpRefusal>(code), 3, 5, 7}).find("vtlsprite"),
                  std::string::npos)
            << code;
}
