// The fixed-folder font lookup: which of DejaVu's files stand in for a
// family, in what order, with only the files that exist.
#include "platform/host/fonts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

class FontFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device seed;
        folder = std::filesystem::temp_directory_path() / ("vantrel-fonts-" + std::to_string(seed()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    void add(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            std::ofstream(folder / name) << "font";
    }
    // The file names, in the order the lookup gives them.
    std::vector<std::string> names(const char* family, bool bold, bool italic)
    {
        std::vector<std::string> out;
        for (const vtl::host::FontFile& f : vtl::host::fontFilesInFolder(folder.string(), family, bold, italic)) {
            EXPECT_EQ(f.index, 0);
            out.push_back(std::filesystem::path(f.path).filename().string());
        }
        return out;
    }

    std::filesystem::path folder;
};

using Names = std::vector<std::string>;

// What Debian's fonts-dejavu-core installs: no slanted faces.
TEST_F(FontFolder, CoreSetFallsBackToUprightFacesOfTheSameFamily)
{
    add({"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf", "DejaVuSerif.ttf",
         "DejaVuSerif-Bold.ttf"});
    EXPECT_EQ(names("Arial", false, false), Names({"DejaVuSans.ttf"}));
    EXPECT_EQ(names("Arial", true, true), Names({"DejaVuSans-Bold.ttf", "DejaVuSans.ttf"}));
    EXPECT_EQ(names("Courier New", true, false),
              Names({"DejaVuSansMono-Bold.ttf", "DejaVuSansMono.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans.ttf"}));
    EXPECT_EQ(names("TIMES NEW ROMAN", false, true), Names({"DejaVuSerif.ttf", "DejaVuSans.ttf"}));
    EXPECT_EQ(names(nullptr, false, false), Names({"DejaVuSans.ttf"}));
    EXPECT_EQ(names("", true, false), Names({"DejaVuSans-Bold.ttf", "DejaVuSans.ttf"}));
}

// Serif slants as "Italic", the sans families as "Oblique"; DejaVu's names
// match whatever the spacing and case.
TEST_F(FontFolder, SlantedFacesAreNamedPerFamily)
{
    add({"DejaVuSans.ttf", "DejaVuSans-Oblique.ttf", "DejaVuSans-BoldOblique.ttf", "DejaVuSerif.ttf",
         "DejaVuSerif-Italic.ttf", "DejaVuSerif-BoldItalic.ttf", "DejaVuSansMono.ttf"});
    EXPECT_EQ(names("dejavu serif", true, true),
              Names({"DejaVuSerif-BoldItalic.ttf", "DejaVuSerif.ttf", "DejaVuSans-BoldOblique.ttf", "DejaVuSans.ttf"}));
    EXPECT_EQ(names("DejaVuSerif", false, true),
              Names({"DejaVuSerif-Italic.ttf", "DejaVuSerif.ttf", "DejaVuSans-Oblique.ttf", "DejaVuSans.ttf"}));
    EXPECT_EQ(names("DejaVu Sans Mono", false, true), Names({"DejaVuSansMono.ttf", "DejaVuSans-Oblique.ttf",
                                                             "DejaVuSans.ttf"}));
}

TEST_F(FontFolder, EmptyOrMissingFolderGivesNothing)
{
    EXPECT_TRUE(names("Arial", false, false).empty());
    std::filesystem::remove_all(folder);
    EXPECT_TRUE(names("Arial", true, true).empty());
}

} // namespace
