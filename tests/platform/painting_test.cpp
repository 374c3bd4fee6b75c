// Update regions: WM_PAINT keeps coming while the region is invalid, and
// BeginPaint, ValidateRect and DefWindowProcA are what end it.
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include "support/window_recorder.h"

namespace {

// Reads what the queue has now, dispatching it; returns how many WM_PAINT
// came out (bounded, since an unvalidated region never runs dry).
int paintsRead(int limit = 5)
{
    MSG msg;
    int paints = 0;
    for (int i = 0; i < limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_PAINT)
            ++paints;
        DispatchMessageA(&msg);
    }
    return paints;
}

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(Painting, AnUnvalidatedRegionKeepsSendingWmPaintUntilTheProcedureValidates)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
    bool validate = false;
    rec.handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT* result) {
        if (m != WM_PAINT)
            return false;
        if (validate)
            ValidateRect(h, nullptr);
        *result = 0;
        return true;
    };
    // A game that draws a frame per WM_PAINT and returns 0.
    EXPECT_EQ(paintsRead(), 5);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, w);
    validate = true;
    EXPECT_EQ(paintsRead(), 1);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DestroyWindow(w);
}

TEST(Painting, BeginPaintReportsTheRegionErasesOnceAndValidates)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 40, 30);
    ShowWindow(w, SW_SHOW);
    PAINTSTRUCT ps;
    bool painted = false;
    rec.handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT* result) {
        if (m != WM_PAINT)
            return false;
        painted = BeginPaint(h, &ps) != nullptr;
        EndPaint(h, &ps);
        *result = 0;
        return true;
    };
    paintsRead();
    ASSERT_TRUE(painted);
    EXPECT_TRUE(sameRect(ps.rcPaint, RECT{0, 0, 40, 30}));
    EXPECT_TRUE(ps.fErase); // a class without a background brush: DefWindowProcA erased nothing
    ASSERT_EQ(rec.only(WM_ERASEBKGND).size(), 1u);
    EXPECT_EQ(rec.only(WM_ERASEBKGND)[0].wParam, reinterpret_cast<WPARAM>(ps.hdc));
    RECT u;
    EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));
    EXPECT_TRUE(sameRect(u, RECT{0, 0, 0, 0}));

    // Areas outside the client area add nothing; areas without erasing do
    // not ask for WM_ERASEBKGND.
    RECT outside{50, 50, 60, 60};
    InvalidateRect(w, &outside, TRUE);
    EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));
    RECT a{5, 5, 10, 10}, b{20, 2, 60, 8};
    InvalidateRect(w, &a, FALSE);
    InvalidateRect(w, &b, FALSE);
    EXPECT_TRUE(GetUpdateRect(w, &u, FALSE));
    EXPECT_TRUE(sameRect(u, RECT{5, 2, 40, 10}));
    rec.clear();
    EXPECT_EQ(paintsRead(), 1);
    EXPECT_TRUE(sameRect(ps.rcPaint, RECT{5, 2, 40, 10}));
    EXPECT_TRUE(rec.only(WM_ERASEBKGND).empty());
    EXPECT_FALSE(ps.fErase);
    DestroyWindow(w);
}

TEST(Painting, ValidatingABandShrinksTheRegionAndUpdateWindowSendsOnlyWhenInvalid)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
    ValidateRect(w, nullptr);
    rec.clear();
    UpdateWindow(w);
    EXPECT_TRUE(rec.only(WM_PAINT).empty());
    InvalidateRect(w, nullptr, FALSE);
    RECT top{0, 0, 40, 10};
    ValidateRect(w, &top);
    RECT u;
    ASSERT_TRUE(GetUpdateRect(w, &u, FALSE));
    EXPECT_TRUE(sameRect(u, RECT{0, 10, 40, 30}));
    RECT middle{10, 12, 20, 14}; // a hole: the box stays whole
    ValidateRect(w, &middle);
    ASSERT_TRUE(GetUpdateRect(w, &u, FALSE));
    EXPECT_TRUE(sameRect(u, RECT{0, 10, 40, 30}));
    UpdateWindow(w); // sent at once, and DefWindowProcA validates
    EXPECT_EQ(rec.only(WM_PAINT).size(), 1u);
    EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));

    SetLastError(0);
    EXPECT_FALSE(ValidateRect(reinterpret_cast<HWND>(0x1234), nullptr));
    EXPECT_EQ(GetLastError(), 1400u);
    EXPECT_EQ(BeginPaint(reinterpret_cast<HWND>(0x1234), nullptr), nullptr);
    EXPECT_EQ(GetLastError(), 1400u);
    DestroyWindow(w);
}
