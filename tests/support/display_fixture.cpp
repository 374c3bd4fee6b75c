#include "support/display_fixture.h"

#include <vantrel/win32/window.h>

#include "display/display_testing.h"
#include "platform/ddraw/ddraw_testing.h"

#include <cstdlib>

namespace {
LRESULT CALLBACK plainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
} // namespace

void DisplayTest::SetUp()
{
    if (const char* d = std::getenv("VANTREL_DESKTOP")) {
        savedDesktop_ = d;
        hadDesktop_ = true;
    }
    vtl::testing::ddraw::reset();
    vtl::testing::display::reset();
    window = makeWindow();
    ASSERT_NE(window, nullptr);
}

void DisplayTest::TearDown()
{
    vtl::testing::ddraw::reset();
    if (window)
        DestroyWindow(window);
    if (hadDesktop_)
        setenv("VANTREL_DESKTOP", savedDesktop_.c_str(), 1);
    else
        unsetenv("VANTREL_DESKTOP");
}

void DisplayTest::useDesktop(const char* format) { setenv("VANTREL_DESKTOP", format, 1); }

HWND DisplayTest::makeWindow(int width, int height)
{
    static ATOM registered = 0;
    if (!registered) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = plainProcedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VantrelDisplayTest";
        registered = RegisterClassExA(&wc);
    }
    return CreateWindowExA(0, "VantrelDisplayTest", "display test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                           width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}
