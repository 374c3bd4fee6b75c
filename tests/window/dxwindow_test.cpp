#include <vantrel/dxwindow.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/user/user_testing.h"
#include <vantrel/seam/window_backend.h>
#include "support/message_capture.h"

namespace user = vtl::testing::user;
using user::Op;

namespace {

int gTimerTicks = 0;
UINT_PTR gLastTimer = 0;

LRESULT CALLBACK gameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        ++gTimerTicks;
        gLastTimer = wParam;
        return 0;
    case WM_USER:
        PostQuitMessage(static_cast<int>(wParam));
        return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

std::string uniqueName(const char* stem) { return std::string(stem) + std::to_string(::getpid()); }

class DXWindowTest : public testing::Test {
protected:
    void TearDown() override { user::reset(); }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    std::string name = uniqueName("DXWindowTest");
};

} // namespace

TEST_F(DXWindowTest, ConstructionCopiesTheNamesAndZeroesTheRest)
{
    std::string longName(300, 'x');
    DXWindow w(instance, longName.c_str(), "Title");
    EXPECT_EQ(std::string(w.className), std::string(255, 'x'));
    EXPECT_STREQ(w.title, "Title");
    EXPECT_EQ(w.instance, instance);
    EXPECT_EQ(w.hwnd(), nullptr);
    EXPECT_FALSE(w.registered);
    EXPECT_FALSE(w.popup());
    EXPECT_EQ(w.timerId, 0u);
    RECT r = w.rect();
    EXPECT_EQ(r.right, 0);
    EXPECT_FALSE(static_cast<bool>(w));
}

TEST_F(DXWindowTest, EveryMemberNeedingAWindowSaysSo)
{
    MessageCapture capture;
    DXWindow w(instance, name.c_str(), "t");
    EXPECT_FALSE(w.show(SW_SHOW));
    EXPECT_FALSE(w.timer(0));
    EXPECT_FALSE(w.resize(10, 10));
    EXPECT_FALSE(w.move(1, 2));
    EXPECT_FALSE(w.move(1, 2, 3, 4));
    EXPECT_FALSE(w.pointer(&w));
    EXPECT_EQ(w.messageLoop(), 0u);
    EXPECT_FALSE(w.update()); // silently
    EXPECT_TRUE(w.destroy());
    EXPECT_TRUE(w.unReg());
    EXPECT_FALSE(w.createWindow());
    EXPECT_EQ(capture.text(), "DXWindow::show() - No window.\r\n"
                              "DXWindow::timer() - No window.\r\n"
                              "DXError::move() - No window.\r\n"
                              "DXError::move() - No window.\r\n"
                              "DXError::move() - No window.\r\n"
                              "DXWindow::setFlag() - No window.\r\n"
                              "DXWindow::pointer() - setFlag().\r\n"
                              "DXWindow::messageLoop() - No window.\r\n"
                              "DXWindow::create() - Not registered.\r\n");
}

TEST_F(DXWindowTest, RegistrationFailuresAreReported)
{
    MessageCapture capture;
    DXWindow none(nullptr, name.c_str(), "t");
    EXPECT_FALSE(none.doReg(gameProc, 0, 0, 0));
    DXWindow w(instance, name.c_str(), "t");
    EXPECT_FALSE(w.doReg(nullptr, 0, 0, 0));
    user::failNext(Op::LoadIcon);
    EXPECT_FALSE(w.doReg(gameProc, 0, 0, 0));
    user::failNext(Op::LoadCursor);
    EXPECT_FALSE(w.doReg(gameProc, 0, 0, 0));
    user::failNext(Op::RegisterClass);
    EXPECT_FALSE(w.doReg(gameProc, 0, 0, 0));
    EXPECT_FALSE(w.registered);
    EXPECT_EQ(capture.text(), "DXWindow::doReg() - Null instance.\r\n"
                              "DXWindow::doReg() - Null callback.\r\n"
                              "DXWindow::doReg() - LoadIcon().\r\n"
                              "DXWindow::doReg() - LoadCursor().\r\n"
                              "DXWindow::doReg() - RegisterClassEx().\r\n");
    // The game's own icon and cursor ids are accepted.
    EXPECT_TRUE(w.doReg(gameProc, 0, 101, 0x10065));
    EXPECT_TRUE(w.unReg());
}

TEST_F(DXWindowTest, WindowsAreCentredHiddenAndStyledAsAsked)
{
    DXWindow w(instance, name.c_str(), "Game");
    ASSERT_TRUE(w.doReg(gameProc, 0, 0, 0));
    ASSERT_TRUE(w.createWindow(640, 480));
    RECT r;
    GetWindowRect(w.hwnd(), &r);
    EXPECT_EQ(r.left, 1024 / 2 - 320);
    EXPECT_EQ(r.top, 768 / 2 - 240);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_FALSE(IsWindowVisible(w.hwnd()));
    // With the bits the system adds: every top-level window clips its
    // siblings, and a captioned one has a raised edge.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w.hwnd(), GWL_STYLE)), VTL_NORMAL_STYLE | WS_CLIPSIBLINGS);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w.hwnd(), GWL_EXSTYLE)),
              static_cast<DWORD>(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE));

    HWND first = w.hwnd();
    ASSERT_TRUE(w.createPopup()); // replaces the window
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(w.popup());
    GetWindowRect(w.hwnd(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 1024);
    EXPECT_EQ(r.bottom, 768);

    ASSERT_TRUE(w.createWindow()); // default size: somewhere sensible
    GetWindowRect(w.hwnd(), &r);
    EXPECT_GT(r.right - r.left, 0);
    EXPECT_LT(r.left, 1024);

    ASSERT_TRUE(w.show(SW_SHOWNORMAL));
    EXPECT_TRUE(IsWindowVisible(w.hwnd()));
    ASSERT_TRUE(w.update());
    RECT client;
    vtl::clientAreaOnScreen(w.hwnd(), &client);
    EXPECT_EQ(w.rect().left, client.left);
    EXPECT_EQ(w.rect().bottom, client.bottom);
    EXPECT_TRUE(w.unReg());
    EXPECT_EQ(w.hwnd(), nullptr);
    EXPECT_FALSE(w.registered);
}

TEST_F(DXWindowTest, CreationFailuresAreReported)
{
    MessageCapture capture;
    DXWindow w(instance, name.c_str(), "Game");
    ASSERT_TRUE(w.doReg(gameProc, 0, 0, 0));
    user::failNext(Op::CreateWindow);
    EXPECT_FALSE(w.createPopup(200, 100));
    EXPECT_EQ(w.hwnd(), nullptr);
    ASSERT_TRUE(w.createWindow(200, 100));
    ASSERT_TRUE(w.timer(50));
    user::failNext(Op::KillTimer);
    EXPECT_FALSE(w.createWindow(200, 100));
    EXPECT_NE(w.hwnd(), nullptr);
    EXPECT_NE(w.timerId, 0u);
    EXPECT_EQ(capture.text(), "DXWindow::create() - CreateWindowEx().\r\n"
                              "DXWindow::destroy() - timer().\r\n"
                              "DXWindow::create() - destroy().\r\n");
    EXPECT_TRUE(w.stopTimer());
    EXPECT_TRUE(w.unReg());
}

TEST_F(DXWindowTest, ResizeKeepsTheCornerAndMoveKeepsTheSize)
{
    MessageCapture capture;
    DXWindow w(instance, name.c_str(), "Game");
    ASSERT_TRUE(w.doReg(gameProc, 0, 0, 0));
    ASSERT_TRUE(w.createWindow(300, 200));
    RECT before, r;
    GetWindowRect(w.hwnd(), &before);
    ASSERT_TRUE(w.resize(500, 400));
    GetWindowRect(w.hwnd(), &r);
    EXPECT_EQ(r.left, before.left);
    EXPECT_EQ(r.top, before.top);
    EXPECT_EQ(r.right - r.left, 500);
    ASSERT_TRUE(w.move(20, 30));
    GetWindowRect(w.hwnd(), &r);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.bottom - r.top, 400);
    user::failNext(Op::GetWindowRect);
    EXPECT_FALSE(w.resize(1, 1));
    user::failNext(Op::GetWindowRect);
    EXPECT_FALSE(w.move(1, 1));
    user::failNext(Op::MoveWindow);
    EXPECT_FALSE(w.move(1, 1, 2, 2));
    EXPECT_EQ(capture.text(), "DXWindow:;resize() - GetWindowRect().\r\n"
                              "DXWindow:;resize() - GetWindowRect().\r\n"
                              "DXWindow::move() - MoveWindow().\r\n");
    EXPECT_TRUE(w.unReg());
}

TEST_F(DXWindowTest, StyleSwitchesAreNoOpsWhenAlreadyThereAndRestoreTheWindow)
{
    MessageCapture capture;
    DXWindow w(instance, name.c_str(), "Game");
    ASSERT_TRUE(w.doReg(gameProc, 0, 0, 0));
    ASSERT_TRUE(w.createWindow(300, 200));
    w.show(SW_SHOW);
    EXPECT_TRUE(w.styleWindow(0, 0));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w.hwnd(), GWL_STYLE)) & ~static_cast<DWORD>(WS_VISIBLE),
              VTL_NORMAL_STYLE | WS_CLIPSIBLINGS);
    ASSERT_TRUE(w.stylePopup());
    EXPECT_TRUE(w.popup());
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w.hwnd(), GWL_STYLE)) & ~static_cast<DWORD>(WS_VISIBLE),
              VTL_POPUP_STYLE | WS_CLIPSIBLINGS);
    EXPECT_FALSE(IsIconic(w.hwnd()));
    EXPECT_TRUE(IsWindowVisible(w.hwnd()));
    EXPECT_TRUE(w.stylePopup());

    // A failing style change leaves the flag as it was.
    user::failNext(Op::SetWindowLong, 0x80004005u);
    EXPECT_FALSE(w.styleWindow(0, 0));
    EXPECT_TRUE(w.popup());
    ASSERT_TRUE(w.styleWindow(0, 0));
    EXPECT_FALSE(w.popup());
    user::failNext(Op::SetWindowLong, 0x80004005u);
    EXPECT_FALSE(w.stylePopup());
    EXPECT_FALSE(w.popup());
    EXPECT_EQ(capture.text(), "DXWindow::styleNormal() - setFlag().\r\n"
                              "DXWindow::styleFullscreen() - setFlag().\r\n");
    EXPECT_TRUE(w.unReg());
}

TEST_F(DXWindowTest, TimerPointerAndMessageLoop)
{
    DXWindow w(instance, name.c_str(), "Game");
    ASSERT_TRUE(w.doReg(gameProc, 0, 0, 0));
    ASSERT_TRUE(w.createWindow(300, 200));
    EXPECT_TRUE(w.timer(0)); // nothing to stop
    EXPECT_TRUE(w.stopTimer());
    ASSERT_TRUE(w.timer(15));
    // As on Windows: the timer keeps the id 0 it was set with, and timerId
    // holds SetTimer's 1, which KillTimer does not know.
    EXPECT_EQ(w.timerId, 1u);
    gTimerTicks = 0;
    MSG msg;
    while (gTimerTicks < 3 && GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    EXPECT_EQ(gLastTimer, 0u);
    EXPECT_FALSE(w.timer(0));
    EXPECT_EQ(w.timerId, 1u);
    ASSERT_TRUE(w.stopTimer());
    EXPECT_EQ(w.timerId, 0u);
    EXPECT_FALSE(KillTimer(w.hwnd(), 0)); // it stopped
    ASSERT_TRUE(w.timer(0));
    user::failNext(Op::SetTimer);
    EXPECT_FALSE(w.timer(10));
    EXPECT_EQ(w.timerId, 0u);

    static long payload;
    ASSERT_TRUE(w.pointer(&payload));
    EXPECT_EQ(DXWindow::pointer(w.hwnd()), &payload);

    PostMessageA(w.hwnd(), WM_USER, 42, 0);
    EXPECT_EQ(w.messageLoop(), 42u);
    EXPECT_TRUE(w.unReg());
}

TEST_F(DXWindowTest, RegisteringAgainDestroysTheWindowFirst)
{
    DXWindow w(instance, name.c_str(), "Game");
    ASSERT_TRUE(w.doReg(gameProc, 0, 0, 0));
    ASSERT_TRUE(w.createWindow(300, 200));
    HWND old = w.hwnd();
    ASSERT_TRUE(w.doReg(gameProc, 0, 0, 0));
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(w.hwnd(), nullptr);
    EXPECT_TRUE(w.registered);
    EXPECT_TRUE(w.createWindow(300, 200));
    EXPECT_TRUE(w.unReg());
}

namespace {

DXWindow* gClosing = nullptr; // set: WM_CLOSE goes through the DXWindow

LRESULT CALLBACK closingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        if (!gClosing)
            break;
        gClosing->stopTimer();
        gClosing->destroy();
        return 0;
    case WM_DESTROY: PostQuitMessage(3); return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

// A window closed by DefWindowProcA is gone with its timer behind the
// DXWindow's back: destroy then fails on KillTimer, and unReg with it, as on
// Windows.  A game that closes through destroy ends cleanly.
TEST_F(DXWindowTest, ClosingThroughDefWindowProcLeavesDestroyFailingAsOnWindows)
{
    DXWindow w(instance, name.c_str(), "Game");
    ASSERT_TRUE(w.doReg(closingProc, 0, 0, 0));
    ASSERT_TRUE(w.createWindow(300, 200));
    ASSERT_TRUE(w.timer(20));
    gClosing = nullptr;
    PostMessageA(w.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(w.messageLoop(), 3u);
    EXPECT_FALSE(IsWindow(w.hwnd()));

    MessageCapture capture;
    EXPECT_FALSE(w.destroy());
    EXPECT_FALSE(w.unReg());
    EXPECT_EQ(capture.text(), "DXWindow::destroy() - timer().\r\nDXWindow::destroy() - timer().\r\n");
    EXPECT_TRUE(w.registered);
    // What the window held is gone; the class goes once the field is cleared.
    w.window = nullptr;
    EXPECT_TRUE(w.unReg());
}

TEST_F(DXWindowTest, ClosingThroughDestroyEndsWithoutAFailure)
{
    DXWindow w(instance, name.c_str(), "Game");
    gClosing = &w;
    ASSERT_TRUE(w.doReg(closingProc, 0, 0, 0));
    ASSERT_TRUE(w.createWindow(300, 200));
    ASSERT_TRUE(w.timer(20));
    PostMessageA(w.hwnd(), WM_CLOSE, 0, 0);
    MessageCapture capture;
    EXPECT_EQ(w.messageLoop(), 3u);
    EXPECT_EQ(w.hwnd(), nullptr);
    EXPECT_TRUE(w.destroy());
    EXPECT_TRUE(w.unReg());
    EXPECT_EQ(capture.text(), "");
    gClosing = nullptr;
}

// The other copy of the game, run as a second process by the test below: it
// opens its window minimised and runs until restored (or for ten seconds).
TEST(DXWindowSecondInstance, DISABLED_RunsMinimisedUntilRestored)
{
    const char* name = std::getenv("VANTREL_ALONE_CLASS");
    ASSERT_NE(name, nullptr);
    DXWindow w(GetModuleHandleA(nullptr), name, "Second");
    ASSERT_TRUE(w.doReg(gameProc, 0, 0, 0));
    ASSERT_TRUE(w.createWindow(200, 150));
    w.show(SW_SHOWMINIMIZED);
    SetTimer(w.hwnd(), 77, 10000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
        if (msg.message == WM_TIMER && msg.wParam == 77)
            break;
    }
}

TEST_F(DXWindowTest, AloneFindsAndRestoresASecondInstance)
{
    std::string cls = uniqueName("AloneTest");
    DXWindow w(instance, cls.c_str(), "First");
    EXPECT_TRUE(w.alone()); // nobody else yet

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("VANTREL_ALONE_CLASS", cls.c_str(), 1);
        execl("/proc/self/exe", "second", "--gtest_also_run_disabled_tests",
              "--gtest_filter=DXWindowSecondInstance.*", static_cast<char*>(nullptr));
        _exit(127);
    }
    // Wait for the other copy's window to appear, minimised.
    HWND other = nullptr;
    for (int i = 0; i < 500 && !(other && IsIconic(other)); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        other = FindWindowA(cls.c_str(), nullptr);
    }
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(IsWindow(other));
    EXPECT_EQ(GetLastActivePopup(other), other);
    EXPECT_FALSE(w.alone());
    bool restored = false;
    for (int i = 0; i < 500 && !restored; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        restored = !IsIconic(other);
    }
    EXPECT_TRUE(restored);
    // (SIGTERM would only close its window, as the player would: the
    // process is ended outright.)
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    // A process that is gone leaves no window behind.
    EXPECT_FALSE(IsWindow(other));
    EXPECT_TRUE(w.alone());
}
