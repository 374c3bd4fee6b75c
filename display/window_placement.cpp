#include "display/window_placement.h"

#include <vantrel/win32/gdi.h>
#include <vantrel/win32/window.h>

unsigned char vtl::desktopDepth()
{
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return static_cast<unsigned char>(depth);
}

void vtl::placeGameWindow(HWND window, DWORD width, DWORD height)
{
    const DWORD style = (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0x7F35FFFFu) | 0x00CA0000u;
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style));

    RECT frame{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    AdjustWindowRectEx(&frame, style, FALSE, static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    const int w = frame.right - frame.left;
    const int h = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2 - w / 2,
                 GetSystemMetrics(SM_CYSCREEN) / 2 - h / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);

    RECT work{};
    RECT placed{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window, &placed);
    if (placed.left < work.left)
        placed.left = work.left;
    if (placed.top < work.top)
        placed.top = work.top;
    SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
