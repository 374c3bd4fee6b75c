// WM_SETCURSOR as the pointer moves: sent before the mouse message is read,
// the parent asked first, the class cursor chosen when nobody else does.
#include <vantrel/win32/keyboard_pointer.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/window_calls.h>

#include <gtest/gtest.h>

#include "platform/backends/headless/headless_testing.h"
#include "support/window_recorder.h"

namespace headless = vtl::testing::headless;

TEST(SetCursorMessage, ComesBeforeTheMouseMessageAndTheParentDecidesFirst)
{
    WindowRecorder rec;
    HWND top = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = rec.create(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top, 1);
    WindowRecorder::drain();
    rec.clear();
    // The parent keeps the pointer hidden over the whole window.
    rec.handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (message != WM_SETCURSOR || hwnd != top)
            return false;
        SetCursor(nullptr);
        *result = TRUE;
        return true;
    };
    headless::mouseMove(top, 20, 20); // over the child
    WindowRecorder::drain();

    std::vector<RecordedMessage> order;
    for (const RecordedMessage& m : rec.messages)
        if (m.message == WM_SETCURSOR || m.message == WM_MOUSEMOVE)
            order.push_back(m);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0].message, static_cast<UINT>(WM_SETCURSOR));
    EXPECT_EQ(order[0].hwnd, child);
    EXPECT_EQ(order[0].wParam, reinterpret_cast<WPARAM>(child));
    EXPECT_EQ(order[0].lParam, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(order[1].hwnd, top); // asked by the child's default procedure
    EXPECT_EQ(order[2].message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(SetCursor(nullptr), nullptr) << "the parent's choice stands";
    DestroyWindow(top);
}

TEST(SetCursorMessage, TheDefaultProcedurePutsTheClassCursorBack)
{
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = arrow;
    wc.lpszClassName = "VantrelClassCursor";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    HWND w = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                             wc.hInstance, nullptr);
    ASSERT_NE(w, nullptr);
    SetCursor(nullptr);
    headless::mouseMove(w, 5, 5);
    WindowRecorder::drain();
    EXPECT_EQ(SetCursor(nullptr), arrow);

    // Not while a window has the mouse captured.
    SetCapture(w);
    headless::mouseMove(w, 6, 6);
    WindowRecorder::drain();
    EXPECT_EQ(SetCursor(arrow), nullptr);
    ReleaseCapture();
    DestroyWindow(w);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}
