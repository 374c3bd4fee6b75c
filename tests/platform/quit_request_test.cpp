// SIGINT and SIGTERM the Windows way, on the headless backend: the game's
// top-level windows get WM_CLOSE and its own procedure decides; a second
// signal soon after, or one with no window to close, ends the program.
#include <vantrel/win32/debug.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <unistd.h>

#include "support/window_recorder.h"

namespace {

// Dispatches messages until `done` holds or two seconds pass.
template <typename Done> bool pumpUntil(Done done)
{
    const DWORD end = GetTickCount() + 2000;
    MSG msg;
    while (!done()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0)
            return false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
    return true;
}

} // namespace

TEST(QuitRequest, SigtermBecomesWmCloseForTheTopLevelWindowsOnly)
{
    WindowRecorder rec;
    HWND top = rec.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100);
    HWND child = rec.create(WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, top, 1);
    HWND hidden = rec.create(WS_POPUP, 0, 0, 20, 20);
    std::raise(SIGTERM);
    // DefWindowProcA answers WM_CLOSE by destroying the window.
    ASSERT_TRUE(pumpUntil([&] { return !IsWindow(top) && !IsWindow(hidden); }));
    EXPECT_EQ(rec.only(WM_CLOSE, top).size(), 1u);
    EXPECT_EQ(rec.only(WM_CLOSE, hidden).size(), 1u);
    EXPECT_TRUE(rec.only(WM_CLOSE, child).empty()) << "a child is closed with its parent, not asked";
}

TEST(QuitRequestDeathTest, ASecondSignalEndsAProgramThatIgnoresWmClose)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // Run as a background job of a script, the test inherits Ctrl-C
            // ignored, which the library then leaves alone: the case here is
            // a program whose Ctrl-C does what the system does by default.
            std::signal(SIGINT, SIG_DFL);
            WindowRecorder rec;
            bool asked = false;
            rec.handler = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
                if (message != WM_CLOSE)
                    return false;
                asked = true;
                *result = 0;
                return true; // stays open
            };
            HWND top = rec.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100);
            std::raise(SIGINT);
            if (!pumpUntil([&] { return asked; }) || !IsWindow(top))
                _exit(3);
            std::raise(SIGINT);
            _exit(0);
        },
        testing::KilledBySignal(SIGINT), "");
}

TEST(QuitRequestDeathTest, ASignalWithNoWindowToCloseEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            GetSystemMetrics(SM_CXSCREEN); // starts the window system
            std::raise(SIGTERM);
            Sleep(3000);
            _exit(0);
        },
        testing::KilledBySignal(SIGTERM), "");
}

TEST(MenuNote, AClassNamingAMenuIsToldOnceThatMenusAreNotShown)
{
    std::string said;
    VTLSetDebugReceiver([](const char* text, void* user) { *static_cast<std::string*>(user) += text; }, &said);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VantrelMenuNote";
    wc.lpszMenuName = MAKEINTRESOURCEA(101);
    ASSERT_NE(RegisterClassExA(&wc), 0);
    wc.lpszClassName = "VantrelNoMenu";
    wc.lpszMenuName = nullptr;
    ASSERT_NE(RegisterClassExA(&wc), 0);
    VTLSetDebugReceiver(nullptr, nullptr);
    EXPECT_EQ(said, "Menus are not shown: the menu of window class \"VantrelMenuNote\" is left out\r\n");
    UnregisterClassA("VantrelMenuNote", GetModuleHandleA(nullptr));
    UnregisterClassA("VantrelNoMenu", GetModuleHandleA(nullptr));
}
