// The cursor, the beep, debug text and the macros games use beside the
// library.
#include <vantrel/win32/beep.h>
#include <vantrel/win32/cursor.h>
#include <vantrel/win32/debug.h>
#include <vantrel/win32/memory.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <string>

TEST(ShowCursor, CountsShowsAndHidesTheWayGamesBalanceThem)
{
    // Games hide the pointer in a loop until the count goes negative.
    int count = 1;
    while (count >= 0)
        count = ShowCursor(FALSE);
    EXPECT_EQ(count, -1);
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
}

TEST(SetCursorPos, GetCursorPosReportsWhereTheGamePutThePointer)
{
    ASSERT_TRUE(SetCursorPos(320, 240));
    POINT p{};
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 320);
    EXPECT_EQ(p.y, 240);
    EXPECT_TRUE(MessageBeep(MB_OK));
}

TEST(OutputDebugString, GoesToTheReceiverMsgUses)
{
#ifdef _WIN32
    GTEST_SKIP() << "on Windows OutputDebugStringA is the system's and goes to the debugger";
#endif
    std::string got;
    VTLSetDebugReceiver([](const char* text, void* user) { *static_cast<std::string*>(user) += text; }, &got);
    OutputDebugStringA("hello\r\n");
    VTLSetDebugReceiver(nullptr, nullptr);
    EXPECT_EQ(got, "hello\r\n");
}

TEST(Macros, WordsBytesAndColoursSplitAndJoinAsOnWindows)
{
    const DWORD packed = static_cast<DWORD>(MAKELONG(0x1234, 0xABCD));
    EXPECT_EQ(packed, 0xABCD1234u);
    EXPECT_EQ(LOWORD(packed), 0x1234);
    EXPECT_EQ(HIWORD(packed), 0xABCD);
    EXPECT_EQ(MAKEWORD(0x34, 0x12), 0x1234);
    EXPECT_EQ(LOBYTE(0x1234), 0x34);
    EXPECT_EQ(HIBYTE(0x1234), 0x12);
    const COLORREF c = RGB(10, 20, 30);
    EXPECT_EQ(c, 0x001E140Au);
    EXPECT_EQ(GetRValue(c), 10);
    EXPECT_EQ(GetGValue(c), 20);
    EXPECT_EQ(GetBValue(c), 30);

    char bytes[6] = "abcde";
    FillMemory(bytes, 2, 'z');
    MoveMemory(bytes + 1, bytes, 3);
    EXPECT_STREQ(bytes, "zzzce");
    ZeroMemory(bytes, 5);
    EXPECT_EQ(bytes[4], 0);
}
