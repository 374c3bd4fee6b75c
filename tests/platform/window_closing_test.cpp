// How a game's window closes: the system command, Alt+F4, and the quit a
// procedure posts to its window before destroying it.
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include "support/window_recorder.h"

namespace {

std::vector<UINT> sequence(const WindowRecorder& rec)
{
    std::vector<UINT> out;
    for (const RecordedMessage& m : rec.messages)
        out.push_back(m.message);
    return out;
}

} // namespace

TEST(WindowClosing, AQuitPostedToAWindowOutlivesTheWindowAndArrivesOnceForNoWindow)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    rec.handler = [](HWND h, UINT m, WPARAM, LPARAM, LRESULT* result) {
        if (m != WM_CLOSE)
            return false;
        PostMessageA(h, WM_QUIT, 5, 77);
        PostMessageA(h, WM_QUIT, 6, 78); // only the first survives the window
        DestroyWindow(h);
        *result = 0;
        return true;
    };
    PostMessageA(w, WM_CLOSE, 0, 0);
    // Read as GetMessageA would, without waiting: a lost quit fails here
    // instead of blocking the test for ever.
    MSG msg{};
    for (int read = 0; read < 10 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT; ++read)
        DispatchMessageA(&msg);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(msg.lParam, 0);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST(WindowClosing, AQuitPostedToALiveWindowIsAnOrdinaryPostedMessage)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    ASSERT_TRUE(PostMessageA(w, WM_USER, 0, 0));
    ASSERT_TRUE(PostMessageA(w, WM_QUIT, 9, 3));
    PostMessageA(w, WM_USER + 1, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.hwnd, w);
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_EQ(msg.lParam, 3);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DestroyWindow(w);
}

TEST(WindowClosing, TheCloseSystemCommandSendsWmCloseAndTheDefaultDestroys)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    rec.clear();
    EXPECT_EQ(SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    EXPECT_FALSE(IsWindow(w));
    std::vector<UINT> seen = sequence(rec);
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen[0], static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(seen[1], static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(seen[seen.size() - 2], static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST(WindowClosing, AltF4PostsTheCloseCommandToTheTopLevelWindowWhichMayRefuse)
{
    WindowRecorder rec;
    HWND top = rec.create(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    HWND child = rec.create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, 1);
    bool refuse = true;
    rec.handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT* result) {
        *result = 0;
        return m == WM_CLOSE && refuse;
    };
    rec.clear();
    SendMessageA(child, WM_SYSKEYDOWN, VK_F4, 1 << 29);
    EXPECT_TRUE(rec.only(WM_SYSCOMMAND).empty()); // posted, not sent
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    ASSERT_EQ(rec.only(WM_SYSCOMMAND).size(), 1u);
    RecordedMessage command = rec.only(WM_SYSCOMMAND)[0];
    EXPECT_EQ(command.hwnd, top);
    EXPECT_EQ(command.wParam, static_cast<WPARAM>(SC_CLOSE));
    EXPECT_EQ(rec.only(WM_CLOSE, top).size(), 1u);
    EXPECT_TRUE(IsWindow(top)); // the game said no

    // The low four bits of the command are the system's and do not change it.
    refuse = false;
    SendMessageA(top, WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
}

TEST(WindowClosing, MinimiseMaximiseAndRestoreCommandsShowTheWindowSo)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
    SendMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(w));
    SendMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(w));
    EXPECT_TRUE(IsWindowVisible(w));
    DestroyWindow(w);
}
