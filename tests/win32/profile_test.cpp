// Settings files: what a game reads back and what the file looks like
// after it writes.  Where Windows 9x and NT differ (the blank line before a
// new section, a line ending in a carriage return alone, how much of a
// list fits), these are NT's results.
#include <vantrel/win32/files.h>
#include <vantrel/win32/profile.h>
#include <vantrel/win32/window.h>

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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
                                  "[Scores]\r\n" // as Windows NT writes it: no blank line before
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

TEST_F(Profile, AListFitsOnlyWithAByteToSpareAndIsOtherwiseCutInsideAName)
{
    d.write("GAME.INI", "[ Level1 ]\r\n[Level2]\r\n[Level3]\r\n");
    const std::string all("Level1\0Level2\0Level3\0\0", 22);
    char buffer[32];
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 23, ini.c_str()), 21u);
    EXPECT_EQ(std::string(buffer, 22), all);
    // Exactly the list's size is a byte short: the list counts size - 2.
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 22, ini.c_str()), 20u);
    EXPECT_EQ(std::string(buffer, 22), all);
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 21, ini.c_str()), 19u);
    EXPECT_EQ(std::string(buffer, 21), std::string("Level1\0Level2\0Level\0\0", 21));
    // The first name and its zero fill all but the last byte.
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 8, ini.c_str()), 6u);
    EXPECT_EQ(std::string(buffer, 9), std::string("Level1\0\0x", 9));
}

TEST_F(Profile, ACarriageReturnAloneEndsALineAndWritesKeepIt)
{
    d.write("GAME.INI", "[Video]\rWidth=800\rDepth=16\r[Sound]\rVolume=5\r");
    EXPECT_EQ(get("Video", "Depth"), "16");
    EXPECT_EQ(get("Sound", "Volume"), "5");
    char buffer[32];
    const DWORD n = GetPrivateProfileStringA("Video", nullptr, "", buffer, sizeof buffer, ini.c_str());
    EXPECT_EQ(std::string(buffer, n + 1), std::string("Width\0Depth\0", 13));
    EXPECT_TRUE(WritePrivateProfileStringA("Sound", "Rate", "22050", ini.c_str()));
    EXPECT_EQ(d.read("GAME.INI"), "[Video]\rWidth=800\rDepth=16\r[Sound]\rVolume=5\rRate=22050\r");
}

TEST_F(Profile, NamesAGamePassesLoseTheirBlanksLikeTheNamesInTheFile)
{
    d.write("GAME.INI", "");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(WritePrivateProfileStringA(" Video ", "\tGamma ", std::to_string(i).c_str(), ini.c_str()));
    EXPECT_EQ(d.read("GAME.INI"), "[Video]\r\nGamma=2\r\n");
    EXPECT_EQ(get("  video", "gamma\t"), "2");
    EXPECT_EQ(GetPrivateProfileIntA(" VIDEO ", " GAMMA ", 9, ini.c_str()), 2u);
    EXPECT_TRUE(WritePrivateProfileStringA("Video ", " Gamma", nullptr, ini.c_str()));
    EXPECT_EQ(d.read("GAME.INI"), "[Video]\r\n");
}

TEST_F(Profile, ListsReadAsNumbersAreNoNumberAndNoFileNameReadsTheSystemsLists)
{
    EXPECT_EQ(GetPrivateProfileIntA(nullptr, nullptr, 70, nullptr), 0u);
    EXPECT_EQ(GetPrivateProfileIntA(nullptr, nullptr, 70, ini.c_str()), 0u); // "Video\0Sound\0"
    EXPECT_EQ(GetPrivateProfileIntA(nullptr, nullptr, 70, d.windows("none.ini").c_str()), 70u);
    EXPECT_EQ(GetPrivateProfileIntA("Input", nullptr, 70, ini.c_str()), 70u);
    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "Key", "1", ini.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str()));
    EXPECT_EQ(d.read("GAME.INI"), kGameIni);
}

TEST_F(Profile, AFileChangedBehindTheGamesBackIsReadAgain)
{
    EXPECT_EQ(get("Video", "Depth"), "16");
    // Rewritten in place at once, to the same size: only the time can tell.
    std::string changed = kGameIni;
    changed.replace(changed.find("Depth=16"), 8, "Depth=24");
    {
        std::ofstream out(d.host("GAME.INI"), std::ios::binary | std::ios::trunc);
        out << changed;
    }
    EXPECT_EQ(get("Video", "Depth"), "24");
    std::filesystem::remove(d.host("GAME.INI"));
    EXPECT_EQ(get("Video", "Depth"), "none");
}

TEST_F(Profile, AWriteThatRunsOutOfRoomLeavesTheOldFileWhole)
{
    // A child process whose files may not grow past 64 bytes, as a full
    // disk would stop them.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        SetLastError(0);
        const BOOL written = WritePrivateProfileStringA("Video", "Depth", "32", ini.c_str());
        _exit(!written && GetLastError() == ERROR_DISK_FULL ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(d.read("GAME.INI"), kGameIni);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(d.path), std::filesystem::directory_iterator()), 1)
        << "the new file was left behind";
    EXPECT_EQ(get("Video", "Depth"), "16");
}

TEST(ProfileWriters, ProcessesWritingOneFileAtOnceLoseNothingAndReadersSeeWholeFiles)
{
    ScratchFolder d;
    const std::string ini = d.windows("shared.ini");
    d.write("shared.ini", "[First]\r\nMark=1\r\n");
    constexpr int kWriters = 4, kKeys = 30;
    std::vector<pid_t> children;
    for (int w = 0; w <= kWriters; ++w) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child != 0) {
            children.push_back(child);
            continue;
        }
        alarm(60); // a lost wake-up ends the child, not the test run
        int failures = 0;
        if (w == kWriters) {
            // The reader: the first section and its key are in every
            // version, so a half-written or empty file shows at once.
            for (int i = 0; i < 300; ++i)
                failures += GetPrivateProfileIntA("First", "Mark", 0, ini.c_str()) != 1;
        } else {
            for (int k = 0; k < kKeys; ++k) {
                const std::string key = "Key" + std::to_string(k);
                const std::string own = "Writer" + std::to_string(w);
                failures += !WritePrivateProfileStringA("Shared", (own + key).c_str(), "x", ini.c_str());
                failures += !WritePrivateProfileStringA(own.c_str(), key.c_str(), std::to_string(k).c_str(), ini.c_str());
            }
        }
        _exit(failures == 0 ? 0 : 1);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "process " << child;
    }
    char buffer[16];
    for (int w = 0; w < kWriters; ++w) {
        const std::string own = "Writer" + std::to_string(w);
        for (int k = 0; k < kKeys; ++k) {
            const std::string key = "Key" + std::to_string(k);
            EXPECT_EQ(GetPrivateProfileIntA(own.c_str(), key.c_str(), -1, ini.c_str()), static_cast<UINT>(k))
                << own << " " << key;
            EXPECT_EQ(GetPrivateProfileStringA("Shared", (own + key).c_str(), "", buffer, sizeof buffer, ini.c_str()),
                      1u)
                << own << key;
        }
    }
}

TEST(ProfileCache, ALargeFileIsParsedOnceWhileItStaysTheSame)
{
    ScratchFolder d;
    std::string text;
    for (int s = 0; text.size() < 4u * 1024 * 1024; ++s) {
        text += "[Section" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 20; ++k)
            text += "Key" + std::to_string(k) + "=a value of some length " + std::to_string(k) + "\r\n";
    }
    d.write("big.ini", text + "[Last]\r\nKey=7\r\n");
    // Settled: written long enough ago that a change would show in its time.
    const auto hourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(d.host("big.ini"), hourAgo);
    const std::string ini = d.windows("big.ini");

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(GetPrivateProfileIntA("Last", "Key", 0, ini.c_str()), 7u);
    const Clock::duration first = Clock::now() - start;
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(GetPrivateProfileIntA("Last", "Key", 0, ini.c_str()), 7u);
    const Clock::duration again = Clock::now() - start - first;
    // Twenty reads of the kept text cost less than two of the file.
    EXPECT_LT(again, 2 * first);

    // Changed in place to the same size, with an old time again: the
    // change time still tells.
    {
        std::fstream out(d.host("big.ini"), std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(static_cast<std::streamoff>(text.size() + 12));
        out << '8';
    }
    std::filesystem::last_write_time(d.host("big.ini"), hourAgo);
    EXPECT_EQ(GetPrivateProfileIntA("Last", "Key", 0, ini.c_str()), 8u);
}
