// The CD-ROM drive: its disc is the virtual CD's folder, there while the
// folder is, with the folder's name for a label; names on the drive are the
// folder's files.
#include <vantrel/win32/drives.h>
#include <vantrel/win32/errors.h>
#include <vantrel/win32/file_system.h>
#include <vantrel/win32/files.h>

#include "platform/kernel/cd_drive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old, had_ = true;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable()
    {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

class CdDrive : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device seed;
        base = fs::temp_directory_path() / ("vantrel-cd-" + std::to_string(seed()));
        disc = base / "MYGAME_CD1";
        fs::create_directories(disc / "Data");
        std::ofstream(disc / "Data" / "Intro.txt") << "intro";
        discVariable = std::make_unique<ScopedVariable>("VANTREL_CDAUDIO", disc.string());
    }
    void TearDown() override
    {
        discVariable.reset();
        std::error_code ec;
        fs::remove_all(base, ec);
    }

    fs::path base;
    fs::path disc;
    std::unique_ptr<ScopedVariable> discVariable;
};

TEST_F(CdDrive, TheDiscFolderIsACdRomWithItsNameForLabel)
{
    ASSERT_EQ(vtl::cdDriveLetter(), 'D');
    EXPECT_EQ(GetLogicalDrives(), (1u << 2) | (1u << 3));
    char list[16];
    std::memset(list, 'x', sizeof list);
    ASSERT_EQ(GetLogicalDriveStringsA(sizeof list, list), 8u);
    EXPECT_EQ(std::memcmp(list, "C:\\\0D:\\\0\0", 9), 0);
    EXPECT_EQ(GetLogicalDriveStringsA(8, list), 9u); // one short: the size it needs

    EXPECT_EQ(GetDriveTypeA("D:\\"), UINT(DRIVE_CDROM));
    EXPECT_EQ(GetDriveTypeA("d:"), UINT(DRIVE_CDROM));
    EXPECT_EQ(GetDriveTypeA("C:\\"), UINT(DRIVE_FIXED));
    EXPECT_EQ(GetDriveTypeA("E:\\"), UINT(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(GetDriveTypeA("D:\\Data\\"), UINT(DRIVE_NO_ROOT_DIR));

    char label[64];
    char fileSystem[16];
    DWORD serial = 0, longest = 0, flags = 0;
    ASSERT_TRUE(GetVolumeInformationA("D:\\", label, sizeof label, &serial, &longest, &flags, fileSystem,
                                      sizeof fileSystem));
    EXPECT_STREQ(label, "MYGAME_CD1");
    EXPECT_STREQ(fileSystem, "CDFS");
    EXPECT_TRUE(flags & FILE_READ_ONLY_VOLUME);
    DWORD again = 0;
    ASSERT_TRUE(GetVolumeInformationA("D:", nullptr, 0, &again, nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(again, serial); // the same disc, the same number
    char shortLabel[4];
    ASSERT_TRUE(GetVolumeInformationA("D:\\", shortLabel, sizeof shortLabel, nullptr, nullptr, nullptr, nullptr, 0));
    EXPECT_STREQ(shortLabel, "MYG");

    // The era's check: the disc's own file, named on the drive in any case.
    EXPECT_NE(GetFileAttributesA("D:\\DATA\\INTRO.TXT"), INVALID_FILE_ATTRIBUTES);
    const HANDLE file = CreateFileA("d:\\data\\intro.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char text[8] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, text, sizeof text, &read, nullptr));
    EXPECT_EQ(std::string(text, read), "intro");
    CloseHandle(file);
}

TEST_F(CdDrive, NoFolderIsAnEmptyDrive)
{
    fs::remove_all(disc);
    EXPECT_EQ(GetDriveTypeA("D:\\"), UINT(DRIVE_CDROM)); // the drive stays
    SetLastError(0);
    char label[64];
    EXPECT_FALSE(GetVolumeInformationA("D:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_READY));
    EXPECT_EQ(GetFileAttributesA("D:\\DATA\\INTRO.TXT"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CdDrive, RootsThatNameNoVolume)
{
    const struct {
        const char* root;
        DWORD error;
    } refused[] = {
        {"C:\\Windows\\", ERROR_DIR_NOT_ROOT},
        {"C:\\Windows", ERROR_INVALID_NAME},
        {"C", ERROR_INVALID_NAME},
        {"Q:\\", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& r : refused) {
        SetLastError(0);
        EXPECT_FALSE(GetVolumeInformationA(r.root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0)) << r.root;
        EXPECT_EQ(GetLastError(), r.error) << r.root;
    }
    char fileSystem[16];
    ASSERT_TRUE(GetVolumeInformationA(nullptr, nullptr, 0, nullptr, nullptr, nullptr, fileSystem, sizeof fileSystem));
    EXPECT_STREQ(fileSystem, "NTFS"); // the current folder's drive, C:
    EXPECT_EQ(GetDriveTypeA("\\"), UINT(DRIVE_FIXED));
}

TEST_F(CdDrive, AnotherLetterMovesTheDrive)
{
    ScopedVariable letter("VANTREL_CD_DRIVE", "f");
    EXPECT_EQ(GetLogicalDrives(), (1u << 2) | (1u << 5));
    char list[16];
    ASSERT_EQ(GetLogicalDriveStringsA(sizeof list, list), 8u);
    EXPECT_EQ(std::memcmp(list, "C:\\\0F:\\\0\0", 9), 0);
    EXPECT_EQ(GetDriveTypeA("F:\\"), UINT(DRIVE_CDROM));
    EXPECT_EQ(GetDriveTypeA("D:\\"), UINT(DRIVE_NO_ROOT_DIR));
    EXPECT_NE(GetFileAttributesA("F:\\Data\\Intro.txt"), INVALID_FILE_ATTRIBUTES);

    ScopedVariable root("VANTREL_CD_DRIVE", "C"); // the host's root stays C:
    EXPECT_EQ(vtl::cdDriveLetter(), 'D');
}

} // namespace
