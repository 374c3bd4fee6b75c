// The messages a window procedure sees when its window is made, shown,
// moved, maximised and destroyed, in the order the system sends them (the
// NT line; 9x differs in details such as the activation messages).
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "support/window_recorder.h"
#include "support/wine.h"

namespace {

// Messages Windows sends or leaves out by version, display and input method
// (painting of the frame, icons, the palette, keyboard focus and the input
// method's context, text queries), which this platform never sends the
// same way.
bool optional(UINT message)
{
    // Numbers from Windows: this platform never sends these.
    constexpr UINT kNcPaint = 0x0085, kGetIcon = 0x007F, kQueryNewPalette = 0x030F;
    switch (message) {
    case WM_PAINT:
    case kNcPaint:
    case WM_ERASEBKGND:
    case WM_SETCURSOR:
    case WM_GETTEXT:
    case kGetIcon:
    case kQueryNewPalette:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return true;
    default: return message >= 0x0281 && message <= 0x0291; // the input method's messages
    }
}

// The messages of one window, without the optional ones.
std::vector<UINT> sequence(const WindowRecorder& rec, HWND hwnd)
{
    std::vector<UINT> out;
    for (const RecordedMessage& m : rec.messages) {
        if (m.hwnd != hwnd && hwnd)
            continue;
        if (!optional(m.message))
            out.push_back(m.message);
    }
    return out;
}

// The same for a window whose size changes: Windows may compute the client
// area again (WM_NCCALCSIZE) between the two position messages.
std::vector<UINT> sizingSequence(const WindowRecorder& rec, HWND hwnd)
{
    std::vector<UINT> out = sequence(rec, hwnd);
    out.erase(std::remove(out.begin(), out.end(), static_cast<UINT>(WM_NCCALCSIZE)), out.end());
    return out;
}

std::vector<UINT> messages(std::initializer_list<UINT> list) { return std::vector<UINT>(list); }

UINT windowPosFlags(const WindowRecorder& rec, UINT message, size_t index = 0)
{
    std::vector<RecordedMessage> all = rec.only(message);
    return index < all.size() ? static_cast<UINT>(all[index].wParam) : 0xFFFFFFFFu;
}

// Keeps the WINDOWPOS flags of each position message in its wParam (the
// structure is gone once the procedure returns).
void recordWindowPosFlags(WindowRecorder& rec)
{
    rec.handler = [&rec](HWND, UINT m, WPARAM, LPARAM lp, LRESULT*) {
        if ((m == WM_WINDOWPOSCHANGING || m == WM_WINDOWPOSCHANGED) && !rec.messages.empty())
            rec.messages.back().wParam = reinterpret_cast<const WINDOWPOS*>(lp)->flags;
        return false;
    };
}

} // namespace

TEST(MessageSequence, AHiddenOverlappedWindowHearsItsSizeOnlyWhenShown)
{
    WindowRecorder rec;
    recordWindowPosFlags(rec);
    HWND w = rec.create(WS_OVERLAPPEDWINDOW, 10, 20, 200, 150);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(sequence(rec, w), messages({WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));

    rec.clear();
    ShowWindow(w, SW_SHOW);
    EXPECT_EQ(sequence(rec, w), messages({WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_ACTIVATEAPP, WM_NCACTIVATE,
                                          WM_ACTIVATE, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(windowPosFlags(rec, WM_WINDOWPOSCHANGING) & (SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE),
              static_cast<UINT>(SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE));
    RECT c;
    GetClientRect(w, &c);
    std::vector<RecordedMessage> size = rec.only(WM_SIZE);
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(size[0].wParam, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(size[0].lParam, MAKELPARAM(c.right, c.bottom));

    // Shown again: nothing changes, nothing is said.
    rec.clear();
    ShowWindow(w, SW_SHOW);
    EXPECT_EQ(sequence(rec, w), messages({}));
    DestroyWindow(w);
}

TEST(MessageSequence, PopupsAndChildrenHearTheirSizeWhileBeingCreated)
{
    WindowRecorder rec;
    HWND popup = rec.create(WS_POPUP, 0, 0, 50, 40);
    EXPECT_EQ(sequence(rec, popup), messages({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
    rec.clear();
    HWND child = rec.create(WS_CHILD, 5, 6, 10, 10, popup, 3);
    EXPECT_EQ(sequence(rec, child), messages({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
    DestroyWindow(popup);
}

TEST(MessageSequence, MovingGoesThroughWindowPosChangedWhichTheProcedureMayAmend)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 40);
    rec.clear();
    MoveWindow(w, 30, 40, 50, 40, TRUE);
    EXPECT_EQ(sequence(rec, w), messages({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));

    // A procedure that keeps its window at least 100 wide.
    rec.handler = [](HWND, UINT m, WPARAM, LPARAM lp, LRESULT*) {
        if (m == WM_WINDOWPOSCHANGING) {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
            if (!(pos->flags & SWP_NOSIZE))
                pos->cx = std::max(pos->cx, 100);
        }
        return false;
    };
    rec.clear();
    SetWindowPos(w, nullptr, 0, 0, 60, 70, SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(r.bottom - r.top, 70);
    EXPECT_EQ(sizingSequence(rec, w), messages({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE}));
    EXPECT_EQ(rec.only(WM_SIZE)[0].lParam, MAKELPARAM(100, 70));

    // A procedure that answers WM_WINDOWPOSCHANGED itself gets no WM_SIZE.
    rec.handler = [](HWND, UINT m, WPARAM, LPARAM, LRESULT* result) {
        *result = 0;
        return m == WM_WINDOWPOSCHANGED;
    };
    rec.clear();
    MoveWindow(w, 0, 0, 120, 80, FALSE);
    EXPECT_EQ(sizingSequence(rec, w), messages({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));
    DestroyWindow(w);
}

TEST(MessageSequence, MaximisingSetsTheStyleSpillsTheFrameAndRestoringComesBack)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 200, 150);
    RECT normal;
    GetWindowRect(w, &normal);
    rec.clear();
    ShowWindow(w, SW_MAXIMIZE);
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_MAXIMIZE);
    RECT work, r;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(w, &r);
    const LONG border = 4; // a sizing frame
    EXPECT_EQ(r.left, work.left - border);
    EXPECT_EQ(r.top, work.top - border);
    EXPECT_EQ(r.right, work.right + border);
    EXPECT_EQ(r.bottom, work.bottom + border);
    std::vector<RecordedMessage> size = rec.only(WM_SIZE);
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(size[0].wParam, static_cast<WPARAM>(SIZE_MAXIMIZED));

    // Minimised from maximised, SW_RESTORE brings it back maximised, and
    // restoring that gives the old rectangle.
    ShowWindow(w, SW_MINIMIZE);
    EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_MAXIMIZE);
    ShowWindow(w, SW_RESTORE);
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_MAXIMIZE);
    ShowWindow(w, SW_RESTORE);
    EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & (WS_MAXIMIZE | WS_MINIMIZE));
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, normal.left);
    EXPECT_EQ(r.top, normal.top);
    EXPECT_EQ(r.right, normal.right);
    EXPECT_EQ(r.bottom, normal.bottom);
    DestroyWindow(w);
}

TEST(MessageSequence, DestroyingAVisibleWindowHidesAndDeactivatesItFirst)
{
    WindowRecorder rec;
    recordWindowPosFlags(rec);
    HWND w = rec.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
    ASSERT_EQ(GetForegroundWindow(), w);
    rec.clear();
    DestroyWindow(w);
    // A top-level window is hidden without WM_SHOWWINDOW.  Wine tells the
    // application it is no longer active only once the X server's focus
    // change reaches it, which may come after the window is gone: there
    // WM_ACTIVATEAPP may be missing.
    const std::vector<UINT> got = sequence(rec, w);
    const std::vector<UINT> windows = messages({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCACTIVATE,
                                                WM_ACTIVATE, WM_ACTIVATEAPP, WM_DESTROY, WM_NCDESTROY});
    if (runningUnderWine() && got == messages({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCACTIVATE,
                                                WM_ACTIVATE, WM_DESTROY, WM_NCDESTROY}))
        std::printf("Wine sent no WM_ACTIVATEAPP before the window went (X focus came late)\n");
    else
        EXPECT_EQ(got, windows);
    EXPECT_EQ(windowPosFlags(rec, WM_WINDOWPOSCHANGING) & (SWP_HIDEWINDOW | SWP_NOACTIVATE),
              static_cast<UINT>(SWP_HIDEWINDOW | SWP_NOACTIVATE));

    // A child shown in a shown parent (in a hidden one Windows only clears
    // the child's WS_VISIBLE, without moving it).
    HWND parent = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND child = rec.create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, 1);
    rec.clear();
    DestroyWindow(child);
    EXPECT_EQ(sequence(rec, child), messages({WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED,
                                              WM_DESTROY, WM_NCDESTROY}));
    DestroyWindow(parent);
}

TEST(MessageSequence, ActivatingAnotherWindowDeactivatesTheFirst)
{
    WindowRecorder rec;
    HWND first = rec.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
    HWND second = rec.create(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    rec.clear();
    ShowWindow(second, SW_SHOW);
    std::vector<RecordedMessage> activate = rec.only(WM_ACTIVATE);
    ASSERT_EQ(activate.size(), 2u);
    EXPECT_EQ(activate[0].hwnd, first);
    EXPECT_EQ(activate[0].wParam, static_cast<WPARAM>(WA_INACTIVE));
    EXPECT_EQ(activate[0].lParam, reinterpret_cast<LPARAM>(second));
    EXPECT_EQ(activate[1].hwnd, second);
    EXPECT_EQ(activate[1].wParam, static_cast<WPARAM>(WA_ACTIVE));
    EXPECT_EQ(activate[1].lParam, reinterpret_cast<LPARAM>(first));
    EXPECT_TRUE(rec.only(WM_ACTIVATEAPP).empty()); // the application stays active
    DestroyWindow(second);
    DestroyWindow(first);
}
