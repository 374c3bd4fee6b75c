// Windows names on a case-sensitive file system: what a game written for
// Windows opens must be found here whatever case and separators it uses.
#include <vantrel/seam/game_paths.h>
#include <vantrel/win32/files.h>
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/window.h>

#include "scratch_folder.h"
#include "support/test_archive.h"

#include <vantrel.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder) : saved(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(saved); }

private:
    std::filesystem::path saved;
};

std::string readAll(HANDLE file)
{
    char buffer[256];
    DWORD got = 0;
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &got, nullptr));
    return std::string(buffer, got);
}

} // namespace

TEST(GamePaths, AFolderAndAFileBothInTheWrongCaseAreFoundThroughBackslashes)
{
    ScratchFolder d;
    d.write("data/level1.dat", "level one");
    EXPECT_EQ(vtl::resolveGamePath(d.windows("Data\\Level1.DAT").c_str()), d.host("data/level1.dat"));

    HANDLE file = CreateFileA(d.windows("DATA\\LEVEL1.DAT").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(readAll(file), "level one");
    CloseHandle(file);
}

TEST(GamePaths, RelativeAndDriveRelativeNamesStartAtTheCurrentFolder)
{
    ScratchFolder d;
    d.write("data/level1.dat", "x");
    CurrentFolder here(d.path);
    EXPECT_EQ(vtl::resolveGamePath("Data\\Level1.dat"), "data/level1.dat");
    EXPECT_EQ(vtl::resolveGamePath(".\\DATA\\level1.dat"), "data/level1.dat");
    EXPECT_EQ(vtl::resolveGamePath("C:Data\\LEVEL1.dat"), "data/level1.dat");
    EXPECT_EQ(vtl::resolveGamePath("data\\..\\DATA\\Level1.dat"), "data/level1.dat"); // as Windows: by the name alone
}

TEST(GamePaths, TheExactNameWinsAndOtherwiseTheFirstInByteOrder)
{
    ScratchFolder d;
    d.write("readme.txt", "lower");
    d.write("Readme.txt", "capital");
    d.write("README.TXT", "upper");
    EXPECT_EQ(vtl::resolveGamePath(d.windows("readme.txt").c_str()), d.host("readme.txt"));
    EXPECT_EQ(vtl::resolveGamePath(d.windows("ReadMe.txt").c_str()), d.host("README.TXT"));
}

TEST(GamePaths, NamesTheGameCreatesKeepItsCaseInsideFoldersFoundInAnother)
{
    ScratchFolder d;
    std::filesystem::create_directories(d.path / "saves");
    HANDLE file = CreateFileA(d.windows("SAVES\\Slot1.Sav").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(std::filesystem::exists(d.path / "saves" / "Slot1.Sav"));
    // And the next lookup in another case finds the new file, not a stale
    // listing of the folder.
    EXPECT_EQ(vtl::resolveGamePath(d.windows("saves\\SLOT1.SAV").c_str()), d.host("saves/Slot1.Sav"));
}

TEST(GamePaths, AFileAddedBehindTheGamesBackIsFoundAfterTheFolderWasListed)
{
    ScratchFolder d;
    d.write("a.txt", "");
    EXPECT_EQ(vtl::resolveGamePath(d.windows("A.TXT").c_str()), d.host("a.txt")); // lists the folder
    d.write("later.txt", "");
    EXPECT_EQ(vtl::resolveGamePath(d.windows("LATER.TXT").c_str()), d.host("later.txt"));
}

TEST(GamePaths, TheMultimediaReaderOpensWavesByWindowsNames)
{
    ScratchFolder d;
    d.write("sound/boom.wav", "RIFF");
    HMMIO file = mmioOpen(d.windows("Sound\\BOOM.WAV").c_str(), nullptr, MMIO_READ);
    ASSERT_NE(file, nullptr);
    mmioClose(file, 0);
}

TEST(FindFiles, AMaskInAFolderOfTheWrongCaseListsMatchesInWindowsOrder)
{
    ScratchFolder d;
    d.write("data/b.dat", "");
    d.write("data/A.DAT", "");
    d.write("data/c.txt", "");
    d.write("data/Sub/x.dat", "");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(d.windows("DATA\\*.DAT").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::vector<std::string> names{found.cFileName};
    while (FindNextFileA(search, &found))
        names.push_back(found.cFileName);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    EXPECT_EQ(names, (std::vector<std::string>{"A.DAT", "b.dat"}));
}

TEST(FindFiles, StarDotStarListsEveryNameWithTheFolderEntriesFirst)
{
    ScratchFolder d;
    d.write("data/noext", "12345");
    d.write("data/Sub/x.dat", "");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(d.windows("data\\*.*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::vector<std::string> names{found.cFileName};
    std::vector<DWORD> attributes{found.dwFileAttributes};
    DWORD size = 0;
    while (FindNextFileA(search, &found)) {
        names.push_back(found.cFileName);
        attributes.push_back(found.dwFileAttributes);
        if (names.back() == "noext")
            size = found.nFileSizeLow;
    }
    FindClose(search);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "noext", "Sub"}));
    EXPECT_EQ(attributes[3] & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(attributes[2] & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(size, 5u);
}

TEST(FindFiles, NothingMatchingAndAMissingFolderFailDifferently)
{
    ScratchFolder d;
    d.write("data/a.dat", "");
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA(d.windows("data\\*.sav").c_str(), &found), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileA(d.windows("nowhere\\*.*").c_str(), &found), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(FindFiles, ANameWithoutWildcardsFindsThatFileInAnyCase)
{
    ScratchFolder d;
    d.write("Game.ini", "");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(d.windows("GAME.INI").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(found.cFileName, "Game.ini");
    EXPECT_FALSE(FindNextFileA(search, &found));
    FindClose(search);
}

TEST(GamePaths, TheArchiveOnDiskOpensByItsWindowsName)
{
    ScratchFolder d;
    TestArchive archive;
    archive.add("README.TXT", std::string("hello"));
    const Bytes bytes = archive.bytes();
    d.write("data/game.vtl", std::string(bytes.begin(), bytes.end()));
    VTLHND handle;
    ASSERT_TRUE(handle.FastFileInit(d.windows("Data\\GAME.VTL").c_str()));
    EXPECT_EQ(handle.FastFileSize("readme.txt"), 5u);
    handle.FastFileFini();
}

TEST(GamePaths, TheJoystickCalibrationFileIsFoundByItsWindowsName)
{
    ScratchFolder d;
    RECT area{};
    // A calibration file of the wrong length is deleted when read: gone means
    // it was found under the name in another case.
    d.write("cfg/joystick.cal", "short");
    InstallJoystick(nullptr, area, 0, 0, d.windows("CFG\\JOYSTICK.CAL").c_str());
    EXPECT_FALSE(std::filesystem::exists(d.path / "cfg" / "joystick.cal"));
}
