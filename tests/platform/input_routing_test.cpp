#include <vantrel/win32/window.h>
#include <vantrel/win32/windowsx.h>

#include <gtest/gtest.h>

#include "platform/backends/headless/headless_testing.h"
#include "support/window_recorder.h"

using namespace vtl;
namespace headless = vtl::testing::headless;

TEST(InputRouting, ClicksGoToTheTopmostVisibleChildUnderThePointerInItsCoordinates)
{
    WindowRecorder rec;
    HWND top = rec.create(WS_POPUP | WS_VISIBLE, 100, 100, 400, 300);
    HWND a = rec.create(WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, top, 1);
    HWND b = rec.create(WS_CHILD | WS_VISIBLE, 50, 20, 100, 60, top, 2); // over a
    HWND hidden = rec.create(WS_CHILD, 300, 200, 50, 50, top, 3);
    HWND inner = rec.create(WS_CHILD | WS_VISIBLE, 2, 30, 10, 10, a, 4);
    WindowRecorder::drain();
    rec.clear();

    headless::click(top, kLeftButton, 60, 30);  // b covers a here
    headless::click(top, kLeftButton, 20, 20);  // only a
    headless::click(top, kRightButton, 15, 42); // a's own child
    headless::click(top, kLeftButton, 310, 210); // the hidden child does not take it
    WindowRecorder::drain();

    auto downs = rec.only(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[0].hwnd, b);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 10);
    EXPECT_EQ(downs[1].hwnd, a);
    EXPECT_EQ(GET_X_LPARAM(downs[1].lParam), 10);
    EXPECT_EQ(downs[2].hwnd, top);
    auto right = rec.only(WM_RBUTTONDOWN);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_EQ(right[0].hwnd, inner);
    EXPECT_EQ(GET_X_LPARAM(right[0].lParam), 3);
    EXPECT_EQ(GET_Y_LPARAM(right[0].lParam), 2);
    EXPECT_EQ(rec.only(WM_LBUTTONUP).size(), 3u);
    EXPECT_TRUE(rec.only(WM_LBUTTONDOWN, hidden).empty());

    // A captured pointer goes to the capturing window wherever it is.
    SetCapture(a);
    headless::mouseMove(top, 300, 250);
    WindowRecorder::drain();
    auto moves = rec.only(WM_MOUSEMOVE);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().hwnd, a);
    EXPECT_EQ(GET_X_LPARAM(moves.back().lParam), 290);
    ReleaseCapture();
    DestroyWindow(top);
}

TEST(InputRouting, DoubleClicksOnlyForClassesThatAskForThem)
{
    WindowRecorder plain;
    WindowRecorder wants(CS_DBLCLKS);
    HWND p = plain.create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND d = wants.create(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
    for (int i = 0; i < 3; ++i)
        headless::click(p, kLeftButton, 5, 5);
    for (int i = 0; i < 3; ++i)
        headless::click(d, kLeftButton, 5, 5);
    WindowRecorder::drain();
    EXPECT_EQ(plain.only(WM_LBUTTONDOWN).size(), 3u);
    EXPECT_TRUE(plain.only(WM_LBUTTONDBLCLK).empty());
    // down, double, down: a third click starts a new pair.
    EXPECT_EQ(wants.only(WM_LBUTTONDOWN).size(), 2u);
    EXPECT_EQ(wants.only(WM_LBUTTONDBLCLK).size(), 1u);
    DestroyWindow(p);
    DestroyWindow(d);
}

TEST(InputRouting, KeysCarryVirtualCodesLParamBitsAndTranslateToCharacters)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    WindowRecorder::drain();
    rec.clear();
    headless::key(w, 'A', true);
    headless::key(w, 'A', true, true); // held: repeats
    headless::key(w, 'A', false);
    headless::key(w, VK_SHIFT, true);
    headless::typeKey(w, '1');
    headless::key(w, VK_SHIFT, false);
    headless::key(w, VK_MENU, true);
    headless::typeKey(w, 'X');
    headless::key(w, VK_MENU, false);
    WindowRecorder::drain();

    auto downs = rec.only(WM_KEYDOWN);
    ASSERT_GE(downs.size(), 2u);
    EXPECT_EQ(downs[0].wParam, static_cast<WPARAM>('A'));
    DWORD first = static_cast<DWORD>(downs[0].lParam), repeat = static_cast<DWORD>(downs[1].lParam);
    EXPECT_EQ(first & 0xFFFF, 1u);            // repeat count
    EXPECT_EQ((first >> 16) & 0xFF, 0x1Eu);   // scan code of A
    EXPECT_EQ(first >> 30, 0u);               // was up, going down
    EXPECT_EQ((repeat >> 30) & 1, 1u);        // was already down
    auto ups = rec.only(WM_KEYUP);
    ASSERT_FALSE(ups.empty());
    EXPECT_EQ(static_cast<DWORD>(ups[0].lParam) >> 30, 3u);

    std::string chars;
    for (auto& m : rec.only(WM_CHAR))
        chars += static_cast<char>(m.wParam);
    EXPECT_EQ(chars, "aa!");
    auto sys = rec.only(WM_SYSKEYDOWN);
    ASSERT_EQ(sys.size(), 2u); // Alt itself, then X with Alt held
    EXPECT_EQ(sys[1].wParam, static_cast<WPARAM>('X'));
    EXPECT_TRUE(static_cast<DWORD>(sys[1].lParam) & (1u << 29));
    EXPECT_EQ(rec.only(WM_SYSCHAR).size(), 1u);
    EXPECT_EQ(GetKeyState(VK_MENU) & 0x8000, 0);
    DestroyWindow(w);
}

TEST(InputRouting, TheUserClosingAWindowDestroysItThroughTheDefaultProcedure)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    headless::userClose(w);
    WindowRecorder::drain();
    EXPECT_EQ(rec.only(WM_CLOSE).size(), 1u);
    EXPECT_FALSE(IsWindow(w));
}

TEST(InputRouting, MessageBoxesAnswerWithoutAScreen)
{
    int before = headless::lastMessageBox().count;
    EXPECT_EQ(MessageBoxA(nullptr, "Display failed", "Game", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "Quit?", "Game", MB_YESNO), IDYES);
    headless::setMessageBoxAnswer(IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Quit?", "Game", MB_YESNO), IDNO);
    headless::setMessageBoxAnswer(0);
    EXPECT_EQ(headless::lastMessageBox().count, before + 3);
    EXPECT_STREQ(headless::lastMessageBox().text, "Quit?");
}
