// A page whose window procedure writes every key and mouse message it gets
// to the console, for the input test to compare with what it sent.  The
// client area is 320x200 game pixels; the page scales it into the browser.
// Each line carries the time the game saw it (performance.now() in the
// page), so the test can measure the way from a browser event to the game.
#include "page_window.h"

#include <vantrel.h>

#include <cstdio>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;

double now()
{
#ifdef __EMSCRIPTEN__
    return emscripten_get_now();
#else
    return GetTickCount();
#endif
}

const char* mouseName(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    default: return nullptr;
    }
}

LRESULT CALLBACK inputProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        std::printf("input: %s vk=0x%02X t=%.3f\n", message == WM_KEYDOWN ? "WM_KEYDOWN" : "WM_KEYUP",
                    static_cast<unsigned>(wParam), now());
        return 0;
    case WM_CHAR:
        std::printf("input: WM_CHAR code=%u t=%.3f\n", static_cast<unsigned>(wParam), now());
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        std::printf("input: %s x=%d y=%d t=%.3f\n", mouseName(message), static_cast<short>(LOWORD(lParam)),
                    static_cast<short>(HIWORD(lParam)), now());
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace

int main()
{
    DXWindow window(GetModuleHandleA(nullptr), "VantrelInputPage", "Vantrel input page");
    if (!openPageWindow(window, inputProc, kWidth, kHeight)) {
        std::printf("input: no window\n");
        return 1;
    }
    RECT client;
    GetClientRect(window.hwnd(), &client);
    std::printf("input: ready %ldx%ld\n", static_cast<long>(client.right), static_cast<long>(client.bottom));
    const unsigned code = window.messageLoop();
    window.unReg();
    return static_cast<int>(code);
}
