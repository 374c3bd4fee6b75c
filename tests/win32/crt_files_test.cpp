// <io.h> and <direct.h>: the runtime's folder calls on Windows names.
#include <vantrel/win32/crt_files.h>

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string>

TEST(CrtFiles, FoldersAreMadeFoundAndRemovedByWindowsNames)
{
    ScratchFolder d;
    ASSERT_EQ(_mkdir(d.windows("Saves").c_str()), 0);
    EXPECT_EQ(_mkdir(d.windows("SAVES").c_str()), -1); // the same folder, in another case
    EXPECT_EQ(errno, EEXIST);
    d.write("Saves/slot1.sav", "x");
    EXPECT_EQ(_access(d.windows("saves\\SLOT1.SAV").c_str(), 0), 0);
    EXPECT_EQ(_access(d.windows("saves\\slot2.sav").c_str(), 0), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(_rmdir(d.windows("saves").c_str()), -1); // not empty
    EXPECT_EQ(_unlink(d.windows("SAVES\\Slot1.sav").c_str()), 0);
    EXPECT_EQ(_rmdir(d.windows("saves").c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(d.path / "Saves"));
}

TEST(CrtFiles, GetcwdGivesTheWindowsFormAndAllocatesWhenAskedTo)
{
    char* mine = _getcwd(nullptr, 0);
    ASSERT_NE(mine, nullptr);
    EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(mine[0])) && std::string(mine + 1, 2) == ":\\") << mine;
    char small[2];
    EXPECT_EQ(_getcwd(small, sizeof small), nullptr);
    EXPECT_EQ(errno, ERANGE);
    std::free(mine);
}
