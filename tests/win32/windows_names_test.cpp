// Names Windows NT reads before it looks at the disk: trailing dots and
// blanks, a separator after a file's name, ".." after a folder that is not
// there.
#include <vantrel/seam/game_paths.h>
#include <vantrel/win32/files.h>
#include <vantrel/win32/window.h>

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class WindowsNames : public testing::Test {
protected:
    void SetUp() override
    {
        d.write("Save.dat", "saved");
        d.write("data/a.dat", "a");
    }
    HANDLE open(const std::string& relative, DWORD disposition = OPEN_EXISTING)
    {
        return CreateFileA(d.windows(relative).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    std::string contentsOf(const std::string& relative)
    {
        HANDLE f = open(relative);
        if (f == INVALID_HANDLE_VALUE)
            return "(error " + std::to_string(GetLastError()) + ")";
        char buffer[32];
        DWORD got = 0;
        ReadFile(f, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(f);
        return std::string(buffer, got);
    }
    ScratchFolder d;
};

} // namespace

TEST_F(WindowsNames, TrailingDotsAndBlanksOfTheLastPartAreDropped)
{
    EXPECT_EQ(contentsOf("SAVE.DAT."), "saved");
    EXPECT_EQ(contentsOf("save.dat . ."), "saved");
    EXPECT_EQ(contentsOf("DATA.\\A.DAT"), "a"); // a part ending in one dot loses it
    // A last part of dots and blanks alone names nothing: not the folder above.
    EXPECT_EQ(vtl::resolveGamePath("data\\..."), "data");
    EXPECT_EQ(vtl::resolveGamePath("data\\.. "), "data");
    HANDLE made = open("new.txt..", CREATE_NEW);
    ASSERT_NE(made, INVALID_HANDLE_VALUE);
    CloseHandle(made);
    EXPECT_TRUE(std::filesystem::exists(d.path / "new.txt"));
    EXPECT_FALSE(std::filesystem::exists(d.path / "new.txt.."));
}

TEST_F(WindowsNames, AFileNamedWithASeparatorAfterItIsAnInvalidName)
{
    SetLastError(0);
    EXPECT_EQ(open("Save.dat\\"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_FALSE(DeleteFileA(d.windows("save.dat\\").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_EQ(d.read("Save.dat"), "saved");
    // A folder named so is still that folder.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(d.windows("DATA\\").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    search = FindFirstFileA(d.windows("data\\.\\*.dat").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(found.cFileName, "a.dat");
    FindClose(search);
}

TEST_F(WindowsNames, DotDotRemovesThePartBeforeItWhetherItExistsOrNot)
{
    EXPECT_EQ(contentsOf("nosuch\\..\\save.dat"), "saved");
    EXPECT_EQ(contentsOf("data\\nosuch\\..\\..\\Data\\gone\\..\\a.dat"), "a");
    EXPECT_EQ(vtl::resolveGamePath("C:\\..\\..\\tmp"), "/tmp");
}
