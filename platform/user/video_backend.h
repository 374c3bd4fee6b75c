// The one interface a windowing backend implements.  The shared layer keeps
// every window, queue and timer; a backend only mirrors top-level windows on
// its screen and turns its input into calls of input_events.h.
#ifndef VANTREL_PLATFORM_USER_VIDEO_BACKEND_H
#define VANTREL_PLATFORM_USER_VIDEO_BACKEND_H

#include "platform/user/window_table.h"
#include <vantrel/seam/window_backend.h>

namespace vtl {

class VideoBackend {
public:
    virtual ~VideoBackend() = default;
    virtual const char* name() const = 0;

    // Screen size, work area and the real desktop's format (the shared layer
    // reports 5-6-5 or VANTREL_DESKTOP over it; "native" keeps this one).
    virtual Desktop screen() = 0;

    // Mirrors of a top-level window.  createNative may leave w.native null
    // (headless); it returns false only when the window cannot be made.
    virtual bool createNative(Window& w) = 0;
    virtual void destroyNative(Window& w) = 0;
    // Position, size, style (border) and title changed.
    virtual void syncGeometry(Window& w) = 0;
    virtual void syncStyle(Window& w) = 0;
    virtual void syncTitle(Window& w) = 0;
    // Visibility and minimised state changed (read from w.style).
    virtual void syncShowState(Window& w, bool activate) = 0;
    // The icon changed (WM_SETICON); also asked right after createNative.
    // Backends whose windows show no icon leave it.
    virtual void syncIcon(Window&) {}
    virtual void raise(Window& w) = 0;

    // Turns pending platform events into messages.  Called by the message
    // functions on the thread that reads them.
    virtual void pump() = 0;
    // True when pump must be called now and then while a thread waits for
    // messages (events arrive without waking the queue).
    virtual bool needsPolling() const = 0;

    // The pixels GDI draws into for GetDC(window): the window's own pixels
    // on a screen (holding what the window shows), false where there are
    // none.  presentPixels shows what was
    // drawn (ReleaseDC).
    virtual bool windowPixels(Window& w, unsigned char** pixels, DWORD* pitch, int* width, int* height,
                              VTLPixelFormat* format) = 0;
    virtual void presentPixels(Window& w) = 0;

    virtual int messageBox(HWND owner, const char* text, const char* caption, UINT type) = 0;
    virtual bool cursorPos(POINT* point) = 0;
    // The real pointer: shown or hidden (ShowCursor's counter crossing 0),
    // and moved to a screen point in the game's pixels (SetCursorPos), that
    // is, to wherever that game pixel is shown.  Backends without a pointer
    // ignore both; the shared layer keeps the counter and the position.
    virtual void showPointer(bool shown) = 0;
    virtual void warpPointer(POINT screen) = 0;
    // Holds the real pointer inside a screen rectangle in the game's pixels
    // (ClipCursor), or frees it (null).  Backends without a pointer ignore
    // it; the shared layer keeps the positions it reports inside.
    virtual void confinePointer(const RECT* screen) { (void)screen; }
    // Holds the real pointer in `w`, hidden, reporting only its motion
    // (inputMouseMotion), or lets it go.  Backends without a pointer ignore
    // it.
    virtual void holdPointer(Window&, bool) {}
    // The system's clipboard text, line ends as the system has them; false
    // where there is no system clipboard (the process keeps its own).
    virtual bool clipboardText(std::string*) { return false; }
    virtual bool setClipboardText(const std::string&) { return false; }
};

// The game's full-screen window: while a full-screen mode is set
// (setDesktopMode), a top-level window without a frame whose client area is
// the whole mode-sized desktop.  A backend with a real screen shows it over
// the whole of that screen, the mode scaled into it (the game still sees
// the mode's size).
bool coversTheModeScreen(const Window& w);

// The backend, chosen on first use by the backend table's chooser
// (VANTREL_VIDEO, else SDL when a display opens, else headless).
VideoBackend& videoBackend();
// The backend if one was chosen already: lets worker threads read their
// queues without starting a video system.
VideoBackend* existingVideoBackend();

} // namespace vtl

#endif
