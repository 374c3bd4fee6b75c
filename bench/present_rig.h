// A 16-bit game display showing one frame over and over, the way the
// present benchmarks measure it: a system buffer copied to the back buffer
// (gfxCopyBackBuffer) and shown (gfxSwapBuffers), in a window or in full
// screen.  Shared by the headless (display_present.cpp) and the real-screen
// (sdl_present.cpp) benchmarks, so that both time the same work.
#ifndef VANTREL_BENCH_PRESENT_RIG_H
#define VANTREL_BENCH_PRESENT_RIG_H

#include <vantrel/bitplanefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/window.h>

#include <cstring>

namespace {

class PresentRig {
public:
    // Starts the display on `window` at w x h, 16 bits; false when it does
    // not start.  A windowed display shows the frame at the window's client
    // origin.
    bool begin(HWND window, unsigned short w, unsigned short h, bool fullscreen)
    {
        handle_.gfxSetup(window, w, h, 16);
        handle_.Override();
        handle_.isFullscreen = fullscreen;
        if (handle_.gfxBegin() != 1)
            return false;
        started_ = true;
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        RECT onScreen{origin.x, origin.y, origin.x + w, origin.y + h};
        handle_.gfxSetWindowRect(&onScreen);
        std::memset(&frame_, 0, sizeof frame_);
        frame_.format = handle_.formatCode;
        frame_.bitsPerPixel = handle_.bitsPerPixel;
        frame_.bytesPerPixel = handle_.bytesPerPixel;
        if (!frame_.create(w, h, false))
            return false;
        for (DWORD i = 0; i < frame_.pitch * h; ++i)
            frame_.pixels[i] = static_cast<unsigned char>(i * 7);
        return true;
    }

    // One frame as a game shows it (a full-screen flip waits for the
    // vertical blank).
    bool present()
    {
        bool ok = handle_.gfxCopyBackBuffer(&frame_);
        return ok && handle_.gfxSwapBuffers();
    }

    // One full-screen frame flipped without waiting for the vertical blank:
    // the cost of showing it alone.
    bool presentWithoutVsync()
    {
        bool ok = handle_.gfxCopyBackBuffer(&frame_);
        return ok && handle_.primary && handle_.primary->Flip(nullptr, DDFLIP_NOVSYNC) == DD_OK;
    }

    ~PresentRig()
    {
        if (frame_.pixels)
            frame_.release();
        if (started_)
            handle_.gfxEnd();
    }

private:
    VTLHND handle_;
    BITPLANEFX frame_{};
    bool started_ = false;
};

} // namespace

#endif
