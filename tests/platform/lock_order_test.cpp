// Game code the platform calls (debug receivers, window procedures) calling
// straight back into the platform.  A lock held across such a call turns the
// call back into a deadlock, so each case runs on its own thread and fails
// instead of hanging when it does not finish.
#include <vantrel/win32/debug.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "support/window_recorder.h"

namespace {

// Runs `body` on a thread of its own; false when it is still running after
// a few seconds (the thread is then left behind, stuck).
bool finishes(std::function<void()> body)
{
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    std::thread([body, done] {
        body();
        done->set_value();
    }).detach();
    return finished.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
}

} // namespace

#ifndef _WIN32
// The emulation's own notice: it says through the debug receiver that it
// shows no menus, while registering the class.  Windows says nothing there.
namespace {

HWND gLogWindow = nullptr;

// A debug receiver that opens a window to show what it is told, the first
// time it is told anything.
void openLogWindow(const char* text, void*)
{
    if (gLogWindow || !std::strstr(text, "VantrelLockedMenu"))
        return;
    gLogWindow = CreateWindowExA(0, "VantrelLogWindow", "log", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST(LockOrder, DebugReceiverMayUseWindowClassesWhileAClassIsRegistered)
{
    ASSERT_TRUE(registerTestClass("VantrelLogWindow", DefWindowProcA));
    VTLSetDebugReceiver(openLogWindow, nullptr);
    // Naming a menu makes registration say, through the receiver, that menus
    // are not shown.
    const bool done = finishes([] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VantrelLockedMenu";
        wc.lpszMenuName = "GameMenu";
        RegisterClassExA(&wc);
        DestroyWindow(gLogWindow);
    });
    ASSERT_TRUE(done) << "registering a class deadlocked in the debug receiver";
    VTLSetDebugReceiver(nullptr, nullptr);
    EXPECT_NE(gLogWindow, nullptr);
    UnregisterClassA("VantrelLockedMenu", GetModuleHandleA(nullptr));
    UnregisterClassA("VantrelLogWindow", GetModuleHandleA(nullptr));
}
#endif

TEST(LockOrder, ProceduresMayCallBackFromEveryMessageTheSystemSends)
{
    const bool done = finishes([] {
        WindowRecorder rec;
        int calledBack = 0;
        // Each message the system sends while changing focus, activation,
        // capture, timers or the window's life reaches a procedure that at
        // once asks about and changes the same state.
        rec.handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) {
            switch (message) {
            case WM_CREATE:
            case WM_ACTIVATE:
            case WM_ACTIVATEAPP:
            case WM_NCACTIVATE:
            case WM_SETFOCUS:
            case WM_KILLFOCUS:
            case WM_TIMER:
            case WM_DESTROY: {
                ++calledBack;
                GetForegroundWindow();
                GetFocus();
                SetCapture(hwnd);
                ReleaseCapture();
                SetTimer(hwnd, 7, 10, nullptr);
                PostMessageA(hwnd, WM_USER, 0, 0);
                MSG m;
                PeekMessageA(&m, hwnd, WM_USER, WM_USER, PM_NOREMOVE);
                IsWindow(hwnd);
                break;
            }
            default: break;
            }
            return false;
        };
        HWND a = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 20, 20);
        HWND b = rec.create(WS_POPUP | WS_VISIBLE, 30, 0, 20, 20);
        SetForegroundWindow(a);
        SetFocus(a);
        SetForegroundWindow(b);
        SetFocus(b);
        const DWORD until = GetTickCount() + 100;
        MSG m;
        while (GetTickCount() < until && rec.only(WM_TIMER).empty()) {
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&m);
            Sleep(1);
        }
        DestroyWindow(a);
        DestroyWindow(b);
        EXPECT_GT(calledBack, 6);
    });
    EXPECT_TRUE(done) << "a procedure calling back into the platform deadlocked";
}
