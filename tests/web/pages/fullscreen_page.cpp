// A page whose game takes a 320x240 full-screen display mode, as a game of
// the era does at start.  It writes the keys and clicks it gets to the
// console; F2 switches between full screen and a window (gfxSwitchMode), so
// the test can see the browser's full screen follow the mode.
#include <vantrel.h>

#include <cstdio>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

bool gSwitchAsked = false;

LRESULT CALLBACK fullscreenProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        std::printf("fullscreen: key vk=0x%02X\n", static_cast<unsigned>(wParam));
        if (wParam == VK_F2)
            gSwitchAsked = true;
        return 0;
    case WM_LBUTTONDOWN:
        std::printf("fullscreen: click\n");
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// A windowed display shows the part of the desktop under the client area.
void placeWindow(VTLHND& gfx, HWND hwnd)
{
    RECT client;
    GetClientRect(hwnd, &client);
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    client.left += origin.x;
    client.right += origin.x;
    client.top += origin.y;
    client.bottom += origin.y;
    gfx.gfxSetWindowRect(&client);
}

} // namespace

int main()
{
    DXWindow window(GetModuleHandleA(nullptr), "VantrelFullscreenPage", "Vantrel full-screen page");
    if (!window.doReg(fullscreenProc, 0, 0, 0) || !window.createWindow(kWidth, kHeight)) {
        std::printf("fullscreen: no window\n");
        return 1;
    }
    window.show(SW_SHOWNORMAL);
    VTLHND gfx;
    gfx.gfxSetup(window.hwnd(), kWidth, kHeight, 16);
    gfx.Override();
    gfx.isFullscreen = true;
    if (gfx.gfxBegin() != 1) {
        std::printf("fullscreen: no display\n");
        return 1;
    }
    std::printf("fullscreen: mode set\n");
    MSG msg;
    for (;;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                gfx.gfxEnd();
                window.unReg();
                return static_cast<int>(msg.wParam);
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (gSwitchAsked) {
            gSwitchAsked = false;
            gfx.gfxSwitchMode();
            if (!gfx.fullscreen())
                placeWindow(gfx, window.hwnd());
            std::printf("fullscreen: %s\n", gfx.fullscreen() ? "full screen" : "windowed");
        }
        gfx.gfxSwapBuffers();
    }
}
