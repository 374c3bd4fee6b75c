// The clipboard as a game uses it: text copied and pasted through global
// memory, and the misuse Windows refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

namespace {

HGLOBAL textBlock(const char* text)
{
    const size_t size = std::strlen(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
    return block;
}

std::string clipboardText()
{
    HANDLE held = GetClipboardData(CF_TEXT);
    if (!held)
        return "(none)";
    std::string text = static_cast<const char*>(GlobalLock(held));
    GlobalUnlock(held);
    return text;
}

} // namespace

TEST(Clipboard, CallsThatNeedItOpenFailUntilItIs)
{
    SetLastError(0);
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
    SetLastError(0);
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
    HGLOBAL block = textBlock("closed");
    SetLastError(0);
    EXPECT_EQ(SetClipboardData(CF_TEXT, block), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
    GlobalFree(block); // still the caller's
    SetLastError(0);
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
}

TEST(Clipboard, TextRoundTripsWithItsLineEnds)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    HGLOBAL block = textBlock("High scores\r\n1. ACE 9000");
    EXPECT_EQ(SetClipboardData(CF_TEXT, block), block);
    EXPECT_TRUE(CloseClipboard());

    // Available without opening; read back as set, in the clipboard's memory.
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(clipboardText(), "High scores\r\n1. ACE 9000");
    EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr);

    // Replacing the text frees nothing the caller holds; emptying takes it all.
    EXPECT_NE(SetClipboardData(CF_TEXT, textBlock("second")), nullptr);
    EXPECT_EQ(clipboardText(), "second");
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_TRUE(CloseClipboard());
}

TEST(Clipboard, OneThreadHasItOpenAtATime)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(OpenClipboard(nullptr)); // again from the same thread
    BOOL opened = TRUE, closed = TRUE;
    DWORD openError = 0, closeError = 0;
    std::thread other([&] {
        opened = OpenClipboard(nullptr);
        openError = GetLastError();
        closed = CloseClipboard();
        closeError = GetLastError();
    });
    other.join();
    EXPECT_FALSE(opened);
    EXPECT_EQ(openError, DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(closed);
    EXPECT_EQ(closeError, DWORD(ERROR_CLIPBOARD_NOT_OPEN));
    EXPECT_TRUE(CloseClipboard());

    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(reinterpret_cast<HWND>(static_cast<uintptr_t>(0xDEAD0))));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
}
