// The codes GetLastError gives for names and buffers Windows refuses, as
// Windows NT gives them: a game that tells "no such file" from "no such
// folder" from "bad name" takes the same branch here.
#include <vantrel/win32/files.h>
#include <vantrel/win32/window.h>

#include "scratch_folder.h"
#include "support/wine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

HANDLE openFile(const std::string& name, DWORD disposition, DWORD access = GENERIC_READ | GENERIC_WRITE)
{
    return CreateFileA(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The call failed, and with this code.
#define EXPECT_FAILS_WITH(call, failed, code)                                                                    \
    do {                                                                                                         \
        SetLastError(0xdeadbeef);                                                                                \
        EXPECT_EQ(call, failed) << #call;                                                                        \
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(code)) << #call;                                          \
    } while (0)

} // namespace

TEST(FileErrors, CreateFileRefusesNamesAsWindowsDoesBeforeLookingForTheFile)
{
    ScratchFolder d;
    d.write("saves/GAME.SAV", "saved");
    std::filesystem::create_directories(d.path / "removeme");

    EXPECT_FAILS_WITH(openFile("", OPEN_EXISTING), INVALID_HANDLE_VALUE, ERROR_PATH_NOT_FOUND);
    // A folder named without its trailing backslash.
    EXPECT_FAILS_WITH(openFile(d.windows("removeme"), OPEN_EXISTING), INVALID_HANDLE_VALUE, ERROR_ACCESS_DENIED);
    // A missing name with a trailing backslash is simply not found.
    EXPECT_FAILS_WITH(openFile(d.windows("a") + "\\", OPEN_EXISTING), INVALID_HANDLE_VALUE, ERROR_FILE_NOT_FOUND);
    // A wildcard or a reserved character makes no name.
    EXPECT_FAILS_WITH(openFile(d.windows("*.*"), OPEN_EXISTING), INVALID_HANDLE_VALUE, ERROR_INVALID_NAME);
    EXPECT_FAILS_WITH(openFile(d.windows("what?.sav"), CREATE_ALWAYS), INVALID_HANDLE_VALUE, ERROR_INVALID_NAME);
    EXPECT_FAILS_WITH(openFile(d.windows("a|b"), CREATE_ALWAYS), INVALID_HANDLE_VALUE, ERROR_INVALID_NAME);
    // A file named as a folder is neither opened nor replaced.
    EXPECT_FAILS_WITH(openFile(d.windows("saves\\GAME.SAV") + "\\", CREATE_ALWAYS), INVALID_HANDLE_VALUE,
                      ERROR_INVALID_NAME);
    EXPECT_EQ(d.read("saves/GAME.SAV"), "saved");
    EXPECT_FALSE(std::filesystem::exists(d.path / "what?.sav"));
}

// Names Wine resolves otherwise: a folder or a drive's root named with its
// trailing backslash, a second drive letter, a new file named as a folder.
TEST(FileErrors, CreateFileRefusesFoldersWithABackslashAndASecondDrive)
{
    if (runningUnderWine())
        GTEST_SKIP() << "Wine opens a folder named with a trailing backslash as a folder (access denied), reads "
                        "\"c:c:\\\" as a relative path (path not found) and calls a new \"name\\\" invalid";
    ScratchFolder d;
    std::filesystem::create_directories(d.path / "removeme");
    EXPECT_FAILS_WITH(openFile(d.windows("removeme") + "\\", OPEN_EXISTING), INVALID_HANDLE_VALUE,
                      ERROR_PATH_NOT_FOUND);
    EXPECT_FAILS_WITH(openFile(d.windows() + "\\", OPEN_EXISTING), INVALID_HANDLE_VALUE, ERROR_PATH_NOT_FOUND);
    EXPECT_FAILS_WITH(openFile("C:\\", OPEN_EXISTING), INVALID_HANDLE_VALUE, ERROR_PATH_NOT_FOUND);
    EXPECT_FAILS_WITH(openFile("c:c:\\windows", OPEN_EXISTING), INVALID_HANDLE_VALUE, ERROR_INVALID_NAME);
    EXPECT_FAILS_WITH(openFile("c:c:\\x", CREATE_ALWAYS), INVALID_HANDLE_VALUE, ERROR_INVALID_NAME);
    EXPECT_FAILS_WITH(openFile(d.windows("fresh") + "\\", CREATE_ALWAYS), INVALID_HANDLE_VALUE, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(d.path / "fresh"));
}

TEST(FileErrors, DeleteFileOfNothingIsAMissingPathAndOfAFolderNameDeletesNothing)
{
    ScratchFolder d;
    d.write("GAME.SAV", "saved");
    EXPECT_FAILS_WITH(DeleteFileA(""), FALSE, ERROR_PATH_NOT_FOUND);
    EXPECT_FAILS_WITH(DeleteFileA(d.windows("GAME.SAV\\").c_str()), FALSE, ERROR_INVALID_NAME);
    EXPECT_FAILS_WITH(DeleteFileA(d.windows("*.SAV").c_str()), FALSE, ERROR_INVALID_NAME);
    EXPECT_FAILS_WITH(DeleteFileA(d.windows("NONE.SAV").c_str()), FALSE, ERROR_FILE_NOT_FOUND);
    EXPECT_FAILS_WITH(DeleteFileA(d.windows("none\\NONE.SAV").c_str()), FALSE, ERROR_PATH_NOT_FOUND);
    EXPECT_FAILS_WITH(DeleteFileA(d.windows().c_str()), FALSE, ERROR_ACCESS_DENIED);
    EXPECT_EQ(d.read("GAME.SAV"), "saved");
    EXPECT_TRUE(DeleteFileA(d.windows("game.sav").c_str()));
}

TEST(FileErrors, ReadAndWriteWithoutABufferFailWithNtsCodesAndNothingMoved)
{
    ScratchFolder d;
    HANDLE file = openFile(d.windows("DATA.BIN"), CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD bytes = 12345678;
    EXPECT_FAILS_WITH(WriteFile(nullptr, "x", 1, &bytes, nullptr), FALSE, ERROR_INVALID_HANDLE);
    EXPECT_EQ(bytes, 0u);
    bytes = 12345678;
    EXPECT_FAILS_WITH(WriteFile(file, nullptr, 10, &bytes, nullptr), FALSE, ERROR_INVALID_USER_BUFFER);
    EXPECT_EQ(bytes, 0u);
    // Nothing to move needs no buffer, and leaves the last error alone.
    SetLastError(12345678);
    EXPECT_TRUE(WriteFile(file, nullptr, 0, &bytes, nullptr));
    EXPECT_EQ(GetLastError(), 12345678u);

    EXPECT_TRUE(WriteFile(file, "this is the test data", 21, &bytes, nullptr));
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    bytes = 12345678;
    EXPECT_FAILS_WITH(ReadFile(nullptr, nullptr, 0, &bytes, nullptr), FALSE, ERROR_INVALID_HANDLE);
    EXPECT_FAILS_WITH(ReadFile(file, nullptr, 10, &bytes, nullptr), FALSE, ERROR_NOACCESS);
    EXPECT_EQ(bytes, 0u);
    SetLastError(12345678);
    EXPECT_TRUE(ReadFile(file, nullptr, 0, &bytes, nullptr));
    EXPECT_EQ(GetLastError(), 12345678u);
    EXPECT_TRUE(CloseHandle(file));
}

TEST(CurrentFolder, AMissingFolderAMissingParentAndAFileFailDifferently)
{
    ScratchFolder d;
    d.write("GAME.INI", "[x]");
    char before[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, before), 0u);

    EXPECT_FAILS_WITH(SetCurrentDirectoryA(d.windows("some_dummy_dir").c_str()), FALSE, ERROR_FILE_NOT_FOUND);
    EXPECT_FAILS_WITH(SetCurrentDirectoryA(d.windows("some_dummy\\subdir").c_str()), FALSE, ERROR_PATH_NOT_FOUND);
    EXPECT_FAILS_WITH(SetCurrentDirectoryA(d.windows("GAME.INI").c_str()), FALSE, ERROR_DIRECTORY);
    char after[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, after), 0u);
    EXPECT_STREQ(after, before);
}

TEST(CurrentFolder, ASecondDriveLetterMakesNoName)
{
    if (runningUnderWine())
        GTEST_SKIP() << "Wine reads \"c:c:\\\" as a relative path and reports it not found";
    EXPECT_FAILS_WITH(SetCurrentDirectoryA("c:c:\\"), FALSE, ERROR_INVALID_NAME);
}
