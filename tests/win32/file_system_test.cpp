// Folders, attributes, copies, file times and mapped files, called as a
// Windows game calls them, with Windows' results and error codes.
#include <windows.h>

#include "scratch_folder.h"
#include "support/wine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(FileSystem, FoldersAreMadeAndRemovedWithWindowsCodes)
{
    ScratchFolder d;
    ASSERT_TRUE(CreateDirectoryA(d.windows("Saves").c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryA(d.windows("SAVES").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA(d.windows("missing\\inner").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    d.write("Saves/slot1.sav", "x");
    EXPECT_EQ(GetFileAttributesA(d.windows("saves").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(RemoveDirectoryA(d.windows("Saves").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(RemoveDirectoryA(d.windows("Saves\\slot1.sav").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_TRUE(DeleteFileA(d.windows("Saves\\slot1.sav").c_str()));
    EXPECT_TRUE(RemoveDirectoryA(d.windows("saves").c_str()));
    EXPECT_FALSE(RemoveDirectoryA(d.windows("saves").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(FileSystem, ReadOnlyIsTheOwnersWritePermission)
{
    ScratchFolder d;
    d.write("Game.cfg", "volume=3");
    const std::string name = d.windows("GAME.CFG");
    EXPECT_EQ(GetFileAttributesA(name.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesA(name.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    HANDLE refused = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (runningUnderWine()) {
        // Wine keeps read-only as the file's permission bits, which the
        // administrator (the tests' user here) writes through.
        if (refused != INVALID_HANDLE_VALUE)
            CloseHandle(refused);
    } else {
        EXPECT_EQ(refused, INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    ASSERT_TRUE(SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA(name.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(GetFileAttributesA(d.windows("nosuch.cfg").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA(d.windows("nosuch\\x.cfg").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(FileSystem, CopyAndMoveRefuseWhatWindowsRefuses)
{
    ScratchFolder d;
    d.write("a.dat", "first");
    d.write("b.dat", "second");
    EXPECT_FALSE(CopyFileA(d.windows("A.DAT").c_str(), d.windows("b.dat").c_str(), TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(d.read("b.dat"), "second");
    EXPECT_TRUE(CopyFileA(d.windows("A.DAT").c_str(), d.windows("b.dat").c_str(), FALSE));
    EXPECT_EQ(d.read("b.dat"), "first");
    EXPECT_FALSE(CopyFileA(d.windows("none.dat").c_str(), d.windows("c.dat").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(MoveFileA(d.windows("a.dat").c_str(), d.windows("B.DAT").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileA(d.windows("a.dat").c_str(), d.windows("c.dat").c_str()));
    EXPECT_EQ(d.read("c.dat"), "first");
    EXPECT_EQ(GetFileAttributesA(d.windows("a.dat").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FileSystem, FileTimesConvertAsWindowsCounts)
{
    SYSTEMTIME t = {};
    t.wYear = 1999;
    t.wMonth = 12;
    t.wDay = 31;
    t.wHour = 23;
    t.wMinute = 59;
    t.wSecond = 58;
    t.wMilliseconds = 500;
    FILETIME f;
    ASSERT_TRUE(SystemTimeToFileTime(&t, &f));
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&f, &back));
    EXPECT_EQ(back.wYear, 1999);
    EXPECT_EQ(back.wDay, 31);
    EXPECT_EQ(back.wDayOfWeek, 5); // a Friday
    EXPECT_EQ(back.wMilliseconds, 500);
    FILETIME epoch = {0, 0};
    ASSERT_TRUE(FileTimeToSystemTime(&epoch, &back));
    EXPECT_EQ(back.wYear, 1601);
    EXPECT_EQ(back.wDayOfWeek, 1);
    SYSTEMTIME bad = t;
    bad.wMonth = 2;
    bad.wDay = 29; // 1999 is not a leap year
    if (!runningUnderWine()) { // Wine 8 converts the day that does not exist
        EXPECT_FALSE(SystemTimeToFileTime(&bad, &f));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    EXPECT_EQ(CompareFileTime(&epoch, &now), -1);
    EXPECT_EQ(CompareFileTime(&now, &epoch), 1);
    EXPECT_EQ(CompareFileTime(&now, &now), 0);
}

TEST(FileSystem, SetFileTimeIsReadBackAndNeedsWriteAccess)
{
    ScratchFolder d;
    d.write("t.dat", "x");
    HANDLE file = CreateFileA(d.windows("t.dat").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SYSTEMTIME t = {};
    t.wYear = 1998;
    t.wMonth = 6;
    t.wDay = 1;
    FILETIME written;
    ASSERT_TRUE(SystemTimeToFileTime(&t, &written));
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    FILETIME read;
    ASSERT_TRUE(GetFileTime(file, nullptr, nullptr, &read));
    EXPECT_EQ(CompareFileTime(&read, &written), 0);
    CloseHandle(file);
    HANDLE reader = CreateFileA(d.windows("t.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!runningUnderWine()) { // Wine 8 sets the time through a handle opened for reading
        EXPECT_FALSE(SetFileTime(reader, nullptr, nullptr, &written));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    CloseHandle(reader);
    EXPECT_FALSE(GetFileTime(reader, nullptr, nullptr, &read));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(FileSystem, DiskSpaceIsTheVolumesAsNtReportsIt)
{
    DWORD sectors = 0, bytes = 0, freeClusters = 0, total = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &total));
    EXPECT_GT(static_cast<unsigned long long>(sectors) * bytes, 0u);
    EXPECT_GT(total, 0u);
    EXPECT_LE(freeClusters, total);
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::strlen(folder), length);
    char small[2];
    EXPECT_GT(GetSystemDirectoryA(small, sizeof small), length); // the size needed
}

TEST(FileSystem, ViewsOfAFileSeeWritesThroughItsHandle)
{
    ScratchFolder d;
    d.write("level.dat", std::string(100, 'a'));
    HANDLE file = CreateFileA(d.windows("LEVEL.DAT").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0, 0, nullptr);
    ASSERT_NE(mapping, nullptr);
    char* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
    ASSERT_NE(view, nullptr);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, "bb", 2, &written, nullptr));
    EXPECT_EQ(std::string(view, 3), "bba");
    view[99] = 'z';
    EXPECT_TRUE(UnmapViewOfFile(view));
    EXPECT_FALSE(UnmapViewOfFile(view));
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 1, 0), nullptr); // not on 64 KB
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MAPPED_ALIGNMENT));
    CloseHandle(mapping);
    CloseHandle(file);
    EXPECT_EQ(d.read("level.dat").back(), 'z');
}

TEST(FileSystem, PageFileMappingsShareTheirMemoryBetweenViews)
{
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, nullptr);
    ASSERT_NE(mapping, nullptr);
    char* one = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    char* two = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 4096));
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two[10], 0);
    one[10] = 7;
    EXPECT_EQ(two[10], 7);
    CloseHandle(mapping); // the views stay
    EXPECT_EQ(two[10], 7);
    UnmapViewOfFile(one);
    UnmapViewOfFile(two);
    HANDLE readOnly = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 4096, nullptr);
    EXPECT_EQ(MapViewOfFile(readOnly, FILE_MAP_WRITE, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseHandle(readOnly);
}
