// Shows a known frame through VTLHND, full screen or in a window, as a game
// starts its display: a window, gfxSetup, Override, gfxBegin, then frames
// copied to the back buffer with a line of text and swapped.
//
//   vantrel-display-frame full WIDTH HEIGHT DEPTH
//   vantrel-display-frame window WIDTH HEIGHT
//
// Prints "gfxBegin N" (1 started, -1 the display could not start, as
// vtlhnd.h's gfxBegin returns), the display's depth, and for a window where
// its client area lies on the screen; then "shown" once the frame has been
// presented a few times, and keeps presenting it until a file named "done"
// appears in the current folder (at most 30 s), so that the test can take a
// screenshot meanwhile.  The frame: black, with red, green, blue and white
// boxes in its four quarters (an eighth of the size in from each edge of the
// quarter), and "VANTREL" in yellow at the centre.
#include <vantrel.h>

#include "message_pump.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

void fill(VTLHND& handle, BITPLANEFX& frame, int left, int top, int right, int bottom, COLORREF rgb)
{
    const unsigned long p = handle.packColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            for (int i = 0; i < frame.bytesPerPixel; ++i)
                frame.pixels[y * frame.pitch + x * frame.bytesPerPixel + i] = static_cast<unsigned char>(p >> (8 * i));
}

void drawFrame(VTLHND& handle, BITPLANEFX& frame, int w, int h)
{
    handle.gfxClearSystemBuffer(&frame);
    const int qw = w / 2, qh = h / 2, mx = w / 16, my = h / 16;
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
    for (int q = 0; q < 4; ++q) {
        const int left = (q % 2) * qw, top = (q / 2) * qh;
        fill(handle, frame, left + mx, top + my, left + qw - mx, top + qh - my, colours[q]);
    }
}

int fail(const char* what)
{
    std::fprintf(stderr, "display frame: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool full = mode == "full";
    if (!(full && argc == 5) && !(mode == "window" && argc == 4))
        return fail("usage: full WIDTH HEIGHT DEPTH | window WIDTH HEIGHT");
    const int w = std::atoi(argv[2]), h = std::atoi(argv[3]);
    const int depth = full ? std::atoi(argv[4]) : 32;

    DXWindow window(GetModuleHandleA(nullptr), "VantrelDisplayFrame", "display frame");
    if (!window.doReg(windowProcedure, 0, 0, 0))
        return fail("no window class");
    if (!(full ? window.createPopup(w, h) : window.createWindow(w, h)))
        return fail("no window");
    window.show(SW_SHOW);
    pumpFor(200);

    VTLHND handle;
    handle.gfxSetup(window.hwnd(), static_cast<unsigned short>(w), static_cast<unsigned short>(h),
                    static_cast<unsigned char>(depth));
    handle.Override();
    handle.isFullscreen = full;
    const int started = handle.gfxBegin();
    std::printf("gfxBegin %d\n", started);
    std::fflush(stdout);
    if (started != 1) {
        // A display that did not start is left released.
        const bool released = handle.primary == nullptr && handle.backBuffer == nullptr;
        window.destroy();
        window.unReg();
        return released ? 0 : fail("a failed gfxBegin left surfaces behind");
    }
    std::printf("depth %d\n", handle.bitsPerPixel);
    std::printf("program bits %d\n", static_cast<int>(sizeof(void*) * 8));
    if (!full) {
        POINT origin{0, 0};
        ClientToScreen(window.hwnd(), &origin);
        RECT onScreen{origin.x, origin.y, origin.x + w, origin.y + h};
        handle.gfxSetWindowRect(&onScreen);
        std::printf("client %ld %ld\n", static_cast<long>(origin.x), static_cast<long>(origin.y));
    }

    BITPLANEFX frame{};
    if (!handle.create(&frame, static_cast<unsigned short>(w), static_cast<unsigned short>(h), false))
        return fail("no frame surface");
    drawFrame(handle, frame, w, h);
    HFONT font = CreateFontA(h / 12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    char text[] = "VANTREL";
    int status = 0;
    for (int shown = 0; status == 0 && !exists("done"); ++shown) {
        if (!handle.gfxCopyBackBuffer(&frame) ||
            !handle.gfxString(text, font, RGB(255, 255, 0), static_cast<short>(w / 2),
                              static_cast<short>(h / 2 - h / 24), 1) ||
            !handle.gfxSwapBuffers())
            status = fail("a frame could not be presented");
        if (shown == 10) {
            std::printf("shown\n");
            std::fflush(stdout);
        }
        if (shown > 30000 / 50)
            status = fail("no \"done\" after 30 s");
        pumpFor(50);
    }
    handle.gfxEnd();
    DeleteObject(font);
    window.destroy();
    window.unReg();
    return status;
}
