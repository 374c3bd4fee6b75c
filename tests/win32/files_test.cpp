// CreateFileA and its handles, against what Windows does with them.
#include <vantrel/win32/files.h>
#include <vantrel/win32/window.h>

#include "scratch_folder.h"
#include "support/wine.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

namespace {

// Shared for reading and writing, so that the test can look at the bytes
// by the file's own name while the handle is open, as Windows lets it.
HANDLE open(const std::string& name, DWORD access, DWORD disposition)
{
    return CreateFileA(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string readUpTo(HANDLE file, DWORD count)
{
    std::string text(count, '\0');
    DWORD got = 0;
    EXPECT_TRUE(ReadFile(file, &text[0], count, &got, nullptr));
    text.resize(got);
    return text;
}

void write(HANDLE file, const std::string& text)
{
    DWORD put = 0;
    EXPECT_TRUE(WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &put, nullptr));
    EXPECT_EQ(put, text.size());
}

} // namespace

TEST(CreateFile, EachDispositionTreatsAnExistingAndAMissingFileAsWindowsDoes)
{
    ScratchFolder d;
    d.write("old.dat", "old bytes");
    const std::string old = d.windows("old.dat"), fresh = d.windows("fresh.dat");

    EXPECT_EQ(open(old, GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(open(fresh, GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(open(d.windows("no\\fresh.dat"), GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(open(d.windows(""), GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    // OPEN_ALWAYS keeps the bytes and says the file was there.
    HANDLE f = open(old, GENERIC_READ, OPEN_ALWAYS);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(readUpTo(f, 100), "old bytes");
    CloseHandle(f);

    // CREATE_ALWAYS empties it, and says so too.
    f = open(old, GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(GetFileSize(f, nullptr), 0u);
    CloseHandle(f);

    // A new file: no error left behind.
    SetLastError(1234);
    f = open(fresh, GENERIC_WRITE, OPEN_ALWAYS);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    write(f, "abc");
    CloseHandle(f);
    f = open(fresh, GENERIC_WRITE, TRUNCATE_EXISTING);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    EXPECT_EQ(d.read("fresh.dat"), "");
}

TEST(CreateFile, ReadingAtTheEndSucceedsWithNothingRead)
{
    ScratchFolder d;
    d.write("f.dat", "12");
    HANDLE f = open(d.windows("f.dat"), GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    EXPECT_EQ(readUpTo(f, 10), "12");
    DWORD got = 99;
    char c;
    EXPECT_TRUE(ReadFile(f, &c, 1, &got, nullptr));
    EXPECT_EQ(got, 0u);
    // Another program appends: the handle reads on, the end was not sticky.
    d.write("f.dat", "123");
    EXPECT_EQ(readUpTo(f, 10), "3");
    CloseHandle(f);
}

TEST(CreateFile, WritesAndReadsOnOneHandleShareOnePosition)
{
    ScratchFolder d;
    d.write("f.dat", "0123456789");
    HANDLE f = open(d.windows("f.dat"), GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    EXPECT_EQ(readUpTo(f, 2), "01");
    write(f, "ab");
    EXPECT_EQ(readUpTo(f, 2), "45");
    CloseHandle(f);
    EXPECT_EQ(d.read("f.dat"), "01ab456789");
}

TEST(CreateFile, AHandleOpenedForOneDirectionRefusesTheOther)
{
    ScratchFolder d;
    d.write("f.dat", "x");
    HANDLE f = open(d.windows("f.dat"), GENERIC_READ, OPEN_EXISTING);
    DWORD put = 5;
    EXPECT_FALSE(WriteFile(f, "y", 1, &put, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(put, 0u);
    CloseHandle(f);
    EXPECT_EQ(d.read("f.dat"), "x");
}

TEST(SetFilePointer, MovesFromEachOriginAndRefusesToGoBeforeTheStart)
{
    ScratchFolder d;
    d.write("f.dat", "0123456789");
    HANDLE f = open(d.windows("f.dat"), GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    EXPECT_EQ(SetFilePointer(f, -3, nullptr, FILE_END), 7u);
    EXPECT_EQ(readUpTo(f, 1), "7");
    EXPECT_EQ(SetFilePointer(f, -2, nullptr, FILE_CURRENT), 6u);
    EXPECT_EQ(SetFilePointer(f, -7, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(readUpTo(f, 1), "6"); // the failed move left the position alone
    LONG high = 0;
    EXPECT_EQ(SetFilePointer(f, 2, &high, FILE_BEGIN), 2u);
    EXPECT_EQ(high, 0);
    CloseHandle(f);
}

TEST(SetFilePointer, AWritePastTheEndFillsTheGapWithZeros)
{
    ScratchFolder d;
    d.write("f.dat", "ab");
    HANDLE f = open(d.windows("f.dat"), GENERIC_WRITE, OPEN_EXISTING);
    EXPECT_EQ(SetFilePointer(f, 4, nullptr, FILE_BEGIN), 4u);
    write(f, "z");
    DWORD high = 77;
    EXPECT_EQ(GetFileSize(f, &high), 5u);
    EXPECT_EQ(high, 0u);
    CloseHandle(f);
    EXPECT_EQ(d.read("f.dat"), std::string("ab\0\0z", 5));
}

TEST(CreateFile, AClosedHandleIsRefusedAndDeleteFileRemovesByWindowsName)
{
    ScratchFolder d;
    d.write("Save/Slot.dat", "x");
    HANDLE f = open(d.windows("save\\slot.DAT"), GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(f));
    char c;
    DWORD got;
    EXPECT_FALSE(ReadFile(f, &c, 1, &got, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    EXPECT_TRUE(DeleteFileA(d.windows("SAVE\\SLOT.DAT").c_str()));
    EXPECT_FALSE(std::filesystem::exists(d.path / "Save" / "Slot.dat"));
    EXPECT_FALSE(DeleteFileA(d.windows("SAVE\\SLOT.DAT").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(ProcessPaths, TheCurrentFolderComesInWindowsFormWithTheSizeConvention)
{
    const std::string expected = windowsName(std::filesystem::current_path().string());
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    ASSERT_EQ(length, expected.size());
    EXPECT_EQ(std::string(buffer), expected);
    // Too small: the size needed, the zero counted.
    EXPECT_EQ(GetCurrentDirectoryA(3, buffer), length + 1);
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), length + 1);
}

TEST(ProcessPaths, TheProgramsOwnNameEndsAfterItsLastBackslash)
{
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    ASSERT_GT(length, 0u);
    EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(buffer[0])) && std::strncmp(buffer + 1, ":\\", 2) == 0)
        << buffer;
#ifdef _WIN32
    EXPECT_STREQ(std::strrchr(buffer, '\\') + 1, "test_win32.exe");
#else
    EXPECT_STREQ(std::strrchr(buffer, '\\') + 1, "test_win32");
#endif
    EXPECT_EQ(GetModuleFileNameA(GetModuleHandleA(nullptr), buffer, sizeof buffer), length);
}

TEST(ProcessPaths, TheProgramsOwnNameIsCutToTheBufferAndStillEndsWithAZero)
{
    // Windows XP left a cut name without its zero; later Windows, whose
    // answer games get, end it within the buffer.
    if (runningUnderWine())
        GTEST_SKIP() << "Wine cuts the program's name as Windows XP did, without the zero";
    char buffer[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, buffer, sizeof buffer), 5u);
    char small[6];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(small, sizeof small), std::string(buffer, 5) + '\0');
}
