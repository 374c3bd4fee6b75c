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

LRESULT CALLBACK plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makeWindow()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = plainProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ClipboardTest";
    RegisterClassExA(&windowClass);
    return CreateWindowExA(0, "ClipboardTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
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

TEST(Clipboard, OpenWithOneWindowAtATimeAndByOneThread)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(OpenClipboard(nullptr)); // again with the same (no) window
    BOOL emptied = TRUE;
    DWORD emptyError = 0;
    HANDLE read = reinterpret_cast<HANDLE>(1);
    DWORD readError = 0;
    std::thread other([&] {
        emptied = EmptyClipboard();
        emptyError = GetLastError();
        read = GetClipboardData(CF_TEXT);
        readError = GetLastError();
    });
    other.join();
    EXPECT_FALSE(emptied);
    EXPECT_EQ(emptyError, DWORD(ERROR_CLIPBOARD_NOT_OPEN));
    EXPECT_EQ(read, nullptr);
    EXPECT_EQ(readError, DWORD(ERROR_CLIPBOARD_NOT_OPEN));

    // Another thread opening it with the same window takes it over.
    BOOL taken = FALSE, closedThere = FALSE;
    std::thread taker([&] {
        taken = OpenClipboard(nullptr);
        closedThere = CloseClipboard();
    });
    taker.join();
    EXPECT_TRUE(taken);
    EXPECT_TRUE(closedThere);
    SetLastError(0);
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));

    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(reinterpret_cast<HWND>(static_cast<uintptr_t>(0xDEAD0))));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
}

TEST(Clipboard, AnotherWindowCannotOpenItAndEmptyingMakesTheOwner)
{
    HWND first = makeWindow();
    HWND second = makeWindow();
    ASSERT_TRUE(OpenClipboard(first));
    EXPECT_FALSE(OpenClipboard(second));
    EXPECT_FALSE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), first);

    // While its window owns it, another thread may set data but not read it.
    HANDLE set = nullptr;
    HANDLE got = reinterpret_cast<HANDLE>(1);
    std::thread other([&] {
        set = SetClipboardData(CF_TEXT, textBlock("from a thread"));
        got = GetClipboardData(CF_TEXT);
    });
    other.join();
    EXPECT_NE(set, nullptr);
    EXPECT_EQ(got, nullptr);
    EXPECT_EQ(clipboardText(), "from a thread");
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(GetClipboardOwner(), first);
    DestroyWindow(first);
    DestroyWindow(second);
    EXPECT_EQ(GetClipboardOwner(), nullptr);
}
