// The player moving and sizing a window through the window manager, told as
// the modal loop of Windows tells it: WM_ENTERSIZEMOVE once, WM_MOVING or
// WM_SIZING before each step's position messages, WM_EXITSIZEMOVE once the
// steps stop.
#include <vantrel/win32/window.h>
#include <vantrel/win32/window_calls.h>

#include <gtest/gtest.h>

#include "platform/user/input_events.h"
#include "support/window_recorder.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

std::vector<UINT> loopMessages(const WindowRecorder& rec)
{
    std::vector<UINT> out;
    for (const RecordedMessage& m : rec.messages) {
        switch (m.message) {
        case WM_ENTERSIZEMOVE:
        case WM_EXITSIZEMOVE:
        case WM_MOVING:
        case WM_SIZING:
        case WM_WINDOWPOSCHANGED:
            out.push_back(m.message);
            break;
        default:
            break;
        }
    }
    return out;
}

// Reads the queue until the loop's end has been told (or a second passes).
void readUntilExit(WindowRecorder& rec)
{
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (rec.only(WM_EXITSIZEMOVE).empty() && std::chrono::steady_clock::now() < give_up) {
        WindowRecorder::drain();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

TEST(SizeMoveLoop, StepsOfOneDragAreOneLoop)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    ASSERT_NE(w, nullptr);
    WindowRecorder::drain();
    rec.clear();

    RECT client{};
    GetClientRect(w, &client);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    vtl::inputMoved(w, origin.x + 10, origin.y + 5);
    vtl::inputMoved(w, origin.x + 20, origin.y + 10);
    vtl::inputResized(w, client.right + 40, client.bottom + 30);
    readUntilExit(rec);

    const std::vector<UINT> expected = {WM_ENTERSIZEMOVE, WM_MOVING, WM_WINDOWPOSCHANGED, WM_MOVING,
                                        WM_WINDOWPOSCHANGED, WM_SIZING, WM_WINDOWPOSCHANGED, WM_EXITSIZEMOVE};
    EXPECT_EQ(loopMessages(rec), expected);

    const LONG widthBefore = client.right;
    auto sizing = rec.only(WM_SIZING);
    ASSERT_EQ(sizing.size(), 1u);
    EXPECT_EQ(sizing[0].wParam, static_cast<WPARAM>(WMSZ_BOTTOMRIGHT));
    EXPECT_EQ(rec.only(WM_SIZE).size(), 1u);
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, widthBefore + 40);
    DestroyWindow(w);
}

} // namespace
