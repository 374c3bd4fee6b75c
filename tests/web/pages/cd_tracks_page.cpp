// A page whose disc, in its data, holds compressed tracks: track 1 Ogg
// Vorbis (441 Hz, 44.1 kHz), track 2 FLAC (600 Hz, 48 kHz), both a sine at
// half of full scale for four seconds.  The first click plays track 1, the
// second track 2; the CD test measures each where the page hands it to the
// speakers.
#include "page_window.h"

#include <vantrel.h>

#include <cstdio>

namespace {

CDaudio gCd{};
int gClicks = 0;

void printLength(unsigned track)
{
    const unsigned msf = gCd.trackLength(track);
    std::printf("cd: track %u is %u:%02u.%02u\n", track, MCI_MSF_MINUTE(msf), MCI_MSF_SECOND(msf),
                MCI_MSF_FRAME(msf));
}

LRESULT CALLBACK cdProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        const unsigned track = unsigned(++gClicks);
        if (track <= gCd.numberOfTracks() && gCd.play(track, 0))
            std::printf("cd: playing track %u\n", track);
        else
            std::printf("cd: track %u does not play\n", track);
        return 0;
    }
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
    DXWindow window(GetModuleHandleA(nullptr), "VantrelCdPage", "Vantrel CD page");
    if (!openPageWindow(window, cdProc, 320, 200)) {
        std::printf("cd: no window\n");
        return 1;
    }
    if (!gCd.init(window.hwnd())) {
        std::printf("cd: no disc\n");
        return 1;
    }
    std::printf("cd: %u tracks\n", gCd.numberOfTracks());
    for (unsigned track = 1; track <= gCd.numberOfTracks(); ++track)
        printLength(track);
    std::printf("cd: ready\n");
    const unsigned code = window.messageLoop();
    gCd.stop();
    window.unReg();
    return static_cast<int>(code);
}
