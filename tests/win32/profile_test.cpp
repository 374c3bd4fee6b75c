// Settings files: what a game reads back and what the file looks like
// after it writes.
#include <vantrel/win32/files.h>
#include <vantrel/win32/profile.h>

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const char* kGameIni = "; written by hand\r\n"
                       "[Video]\r\n"
                       "  Width = 640  \r\n"
                       "Title=\"  My Game  \"\r\n"
                       "Depth=16\r\n"
                       "\r\n"
                       "[Sound]\r\n"
                       "Volume=-3\r\n"
                       "Mask=0x1F\r\n"
                       "Speed=12abc\r\n"
                       "Name=abc\r\n"
                       "Empty=\r\n"
                       "Depth=8\r\n";

class Profile : public testing::Test {
protected:
    void SetUp() override { d.write("GAME.INI", kGameIni); }
    std::string get(const char* section, const char* key, const char* fallback = "none", DWORD size = 64)
    {
        char buffer[64];
        const DWORD n = GetPrivateProfileStringA(section, key, fallback, buffer, size, ini.c_str());
        EXPECT_EQ(n, std::string(buffer).size());
        return buffer;
    }
    ScratchFolder d;
    std::string ini = d.windows("game.ini");
};

} // namespace

TEST_F(Profile, SectionsAndKeysMatchInAnyCaseAndValuesLoseBlanksAndQuotes)
{
    EXPECT_EQ(get("VIDEO", "width"), "640");
    EXPECT_EQ(get("video", "TITLE"), "  My Game  ");
    EXPECT_EQ(get("Video", "Depth"), "16");
    EXPECT_EQ(get("Sound", "Depth"), "8");
    EXPECT_EQ(get("Sound", "Empty"), "");
}

TEST_F(Profile, AMissingFileSectionOrKeyGivesTheDefaultWithoutTrailingBlanks)
{
    EXPECT_EQ(get("Video", "Missing", "low  "), "low");
    EXPECT_EQ(get("Input", "Width", "x"), "x");
    EXPECT_EQ(get("Video", "Missing", nullptr), "");
    char buffer[16];
    EXPECT_EQ(GetPrivateProfileStringA("Video", "Width", "dflt", buffer, sizeof buffer,
                                       d.windows("nothere.ini").c_str()),
              4u);
    EXPECT_STREQ(buffer, "dflt");
}

TEST_F(Profile, AValueThatDoesNotFitIsCutAndCountedWithoutItsZero)
{
    char buffer[5];
    EXPECT_EQ(GetPrivateProfileStringA("Video", "Title", "", buffer, sizeof buffer, ini.c_str()), 4u);
    EXPECT_STREQ(buffer, "  My");
}

TEST_F(Profile, NullNamesListSectionsOrKeysEachEndedByAZero)
{
    char buffer[64];
    DWORD n = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, ini.c_str());
    EXPECT_EQ(std::string(buffer, n + 1), std::string("Video\0Sound\0", 13));
    n = GetPrivateProfileStringA("video", nullptr, "", buffer, sizeof buffer, ini.c_str());
    EXPECT_EQ(std::string(buffer, n + 1), std::string("Width\0Title\0Depth\0", 19));
    // A list cut short still ends with two zeros, and counts size - 2.
    n = GetPrivateProfileStringA("video", nullptr, "", buffer, 9, ini.c_str());
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(std::string(buffer, 9), std::string("Width\0T\0\0", 9));
}

TEST_F(Profile, NumbersAreReadUpToTheFirstOtherCharacter)
{
    EXPECT_EQ(GetPrivateProfileIntA("Video", "Width", 1, ini.c_str()), 640u);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Sound", "Volume", 1, ini.c_str())), -3);
    EXPECT_EQ(GetPrivateProfileIntA("Sound", "Mask", 1, ini.c_str()), 31u);
    EXPECT_EQ(GetPrivateProfileIntA("Sound", "Speed", 1, ini.c_str()), 12u);
    EXPECT_EQ(GetPrivateProfileIntA("Sound", "Name", 1, ini.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileIntA("Sound", "Empty", 5, ini.c_str()), 5u);
    EXPECT_EQ(GetPrivateProfileIntA("Sound", "Missing", 9, ini.c_str()), 9u);
}

TEST_F(Profile, WritingChangesOnlyItsLineAndKeepsCommentsAndLineEnds)
{
    EXPECT_TRUE(WritePrivateProfileStringA("VIDEO", "depth", "32", ini.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringA("Video", "Gamma", "2", ini.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringA("Scores", "Best", "1200", ini.c_str()));
    EXPECT_EQ(d.read("GAME.INI"), "; written by hand\r\n"
                                  "[Video]\r\n"
                                  "  Width = 640  \r\n"
                                  "Title=\"  My Game  \"\r\n"
                                  "Depth=32\r\n"
                                  "Gamma=2\r\n"
                                  "\r\n"
                                  "[Sound]\r\n"
                                  "Volume=-3\r\n"
                                  "Mask=0x1F\r\n"
                                  "Speed=12abc\r\n"
                                  "Name=abc\r\n"
                                  "Empty=\r\n"
                                  "Depth=8\r\n"
                                  "\r\n"
                                  "[Scores]\r\n"
                                  "Best=1200\r\n");
}

TEST_F(Profile, ANullValueDeletesAKeyAndANullKeyTheWholeSection)
{
    EXPECT_TRUE(WritePrivateProfileStringA("Video", "Title", nullptr, ini.c_str()));
    EXPECT_EQ(get("Video", "Title"), "none");
    EXPECT_EQ(get("Video", "Depth"), "16");
    EXPECT_TRUE(WritePrivateProfileStringA("Video", nullptr, nullptr, ini.c_str()));
    EXPECT_EQ(get("Video", "Width"), "none");
    EXPECT_EQ(get("Sound", "Depth"), "8");
}

TEST(ProfileFolder, ANameWithoutAFolderLivesInTheWindowsFolderMadeOnFirstWrite)
{
    ScratchFolder d;
    const std::string windowsFolder = d.host("windir");
    setenv("VANTREL_WINDOWS_DIR", windowsFolder.c_str(), 1);
    char folder[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(folder, sizeof folder), 0u);
    EXPECT_EQ(std::string(folder), d.windows("windir"));

    EXPECT_TRUE(WritePrivateProfileStringA("Player", "Name", "Ann", "PLAYER.INI"));
    EXPECT_EQ(d.read("windir/PLAYER.INI"), "[Player]\r\nName=Ann\r\n");
    char buffer[16];
    GetPrivateProfileStringA("player", "name", "", buffer, sizeof buffer, "player.ini");
    EXPECT_STREQ(buffer, "Ann");
    // ".\" names the current folder instead, which is not made for the game.
    unsetenv("VANTREL_WINDOWS_DIR");
}
