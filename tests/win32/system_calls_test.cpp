// The operating system's calls as a Windows program makes them: version,
// memory figures, the environment, the user, FormatMessage, MulDiv.
#include <windows.h>

#include "support/wine.h"

#include <gtest/gtest.h>

#include <string>

TEST(SystemCalls, VersionAgreesWithItselfAndRefusesAWrongSize)
{
    OSVERSIONINFO info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    const DWORD packed = GetVersion();
    EXPECT_EQ(packed & 0xFF, info.dwMajorVersion);
    EXPECT_EQ((packed >> 8) & 0xFF, info.dwMinorVersion);
    EXPECT_GE(info.dwMajorVersion, 5u);

    OSVERSIONINFOEX extended = {};
    extended.dwOSVersionInfoSize = sizeof extended;
    EXPECT_TRUE(GetVersionEx(reinterpret_cast<OSVERSIONINFO*>(&extended)));

    OSVERSIONINFO wrong = {};
    wrong.dwOSVersionInfoSize = sizeof wrong - 1;
    SetLastError(0);
    EXPECT_FALSE(GetVersionEx(&wrong));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(SystemCalls, SystemInfoAndMemoryFiguresAreSane)
{
    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    EXPECT_GE(info.dwNumberOfProcessors, 1u);
    EXPECT_EQ(info.dwPageSize % 4096, 0u);
    EXPECT_EQ(info.dwAllocationGranularity, 0x10000u);

    MEMORYSTATUS status = {};
    GlobalMemoryStatus(&status);
    EXPECT_EQ(status.dwLength, sizeof status);
    EXPECT_LE(status.dwMemoryLoad, 100u);
    EXPECT_GT(status.dwTotalPhys, 0u);
    EXPECT_LE(status.dwAvailPhys, status.dwTotalPhys);
    EXPECT_GT(status.dwTotalVirtual, 0u);
    EXPECT_LE(status.dwAvailVirtual, status.dwTotalVirtual);
}

TEST(SystemCalls, EnvironmentNamesIgnoreCaseAndShortBuffersGetTheSizeNeeded)
{
    ASSERT_TRUE(SetEnvironmentVariable("VantrelTestSetting", "hello"));
    char value[16];
    EXPECT_EQ(GetEnvironmentVariable("VANTRELTESTSETTING", value, sizeof value), 5u);
    EXPECT_STREQ(value, "hello");
    char tiny[3];
    EXPECT_EQ(GetEnvironmentVariable("VantrelTestSetting", tiny, sizeof tiny), 6u);

    ASSERT_TRUE(SetEnvironmentVariable("VantrelTestSetting", nullptr));
    SetLastError(0);
    EXPECT_EQ(GetEnvironmentVariable("VantrelTestSetting", value, sizeof value), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
}

TEST(SystemCalls, UserNameReportsTheSizeItNeeds)
{
    DWORD size = 0;
    SetLastError(0);
    EXPECT_FALSE(GetUserName(nullptr, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    ASSERT_GT(size, 1u);
    std::string name(size, '\0');
    DWORD given = size;
    ASSERT_TRUE(GetUserName(&name[0], &given));
    EXPECT_EQ(given, size);
    EXPECT_EQ(std::string(name.c_str()).size() + 1, size);
}

TEST(SystemCalls, FormatMessageGivesWindowsEnglishTexts)
{
    if (runningUnderWine())
        GTEST_SKIP() << "Wine's message texts are its own (\"File not found.\" for ERROR_FILE_NOT_FOUND)";
    char text[256];
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_FILE_NOT_FOUND,
                            MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr),
              44u);
    EXPECT_STREQ(text, "The system cannot find the file specified.\r\n");
    EXPECT_GT(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_NOT_OWNER, 0, text, sizeof text, nullptr), 0u);
    EXPECT_STREQ(text, "Attempt to release mutex not owned by caller.\r\n");
    // Winsock's codes are among the system's.
    EXPECT_GT(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 10035 /* WSAEWOULDBLOCK */, 0, text, sizeof text,
                            nullptr),
              0u);
    EXPECT_STREQ(text, "A non-blocking socket operation could not be completed immediately.\r\n");
}

TEST(SystemCalls, FormatMessageAllocatesAndReportsWhatItCannotDo)
{
    char* allocated = nullptr;
    const DWORD length = FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
                                       ERROR_ACCESS_DENIED, 0, reinterpret_cast<LPSTR>(&allocated), 0, nullptr);
    ASSERT_GT(length, 2u);
    ASSERT_NE(allocated, nullptr);
    const std::string text = allocated;
    EXPECT_EQ(text.size(), length);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(LocalFree(allocated), nullptr);

    char small[8];
    SetLastError(0);
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_ACCESS_DENIED, 0, small, sizeof small, nullptr),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    char buffer[256];
    SetLastError(0);
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 0x2FFFFFFF, 0, buffer, sizeof buffer, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
}

TEST(SystemCalls, FormatMessageFillsInsertsFromAnArray)
{
    char text[64];
    DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>("disc"), 3};
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, "Insert %1 %2!d!%n", 0, 0,
                            text, sizeof text, reinterpret_cast<va_list*>(inserts)),
              15u);
    EXPECT_STREQ(text, "Insert disc 3\r\n");
}

TEST(SystemCalls, MulDivRoundsHalfAwayFromZeroAndSignalsOverflow)
{
    EXPECT_EQ(MulDiv(2, 3, 4), 2);   // 1.5
    EXPECT_EQ(MulDiv(1, 1, 3), 0);
    EXPECT_EQ(MulDiv(-2, 3, 4), -2); // -1.5
    EXPECT_EQ(MulDiv(640, 480, 320), 960);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF);
    EXPECT_EQ(MulDiv(1, 2, 0), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 2, 1), -1);
}

TEST(SystemCalls, ErrorModeReturnsThePreviousMode)
{
    const UINT original = SetErrorMode(SEM_FAILCRITICALERRORS);
    EXPECT_EQ(SetErrorMode(original) & SEM_FAILCRITICALERRORS, static_cast<UINT>(SEM_FAILCRITICALERRORS));
}
