// DXWindow, the game's main window and its message loop.
//
// One object per game: it registers the window class with the game's window
// procedure, creates the window as a normal captioned window or as a
// borderless popup, switches between the two, runs the message loop, keeps
// one repeating timer and hangs a pointer of the game's on the window.
// Every member returns true when done; failures are reported with Msg.
//
// Differences a reader of other documentation should know:
// - the window handle field is `window`, because C++ can not have a field
//   and a member function both named hwnd; hwnd() returns it;
// - setFlag takes a pointer-sized value, so that pointer() keeps the whole
//   pointer on 64-bit systems (it writes through SetWindowLongPtrA);
// - class names and titles longer than 255 characters are cut to 255.
#ifndef VANTREL_DXWINDOW_H
#define VANTREL_DXWINDOW_H

#include <vantrel/win32/types.h>

// Styles DXWindow gives its window.
constexpr DWORD VTL_NORMAL_STYLE = 0x00CA0000; // WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
constexpr DWORD VTL_POPUP_STYLE = 0x80080000;  // WS_POPUP | WS_SYSMENU

class VANTREL_API DXWindow {
public:
    DXWindow(HINSTANCE instance, const char* className, const char* title);
    ~DXWindow();
    DXWindow(const DXWindow&) = delete;
    DXWindow& operator=(const DXWindow&) = delete;

    // Registers the class; the ids use their low 16 bits, 0 meaning the
    // system icon, the arrow cursor and no menu.
    bool doReg(WNDPROC proc, int menuId, int iconId, int cursorId);
    bool unReg();

    // The window is created hidden: call show.
    bool createWindow();
    bool createWindow(int width, int height);
    bool createPopup();
    bool createPopup(int width, int height);
    bool destroy();

    bool styleWindow(int width, int height);
    bool stylePopup();

    bool show(int command) const;
    bool update();
    bool resize(int width, int height);
    bool move(int x, int y);
    bool move(int x, int y, int width, int height);

    unsigned messageLoop() const;
    // Starts a WM_TIMER every `milliseconds` (0: none) with SetTimer(window,
    // 0, ...), stopping the previous one with KillTimer(window, timerId).
    // Windows keeps the id 0 for such a timer and returns 1, which names no
    // timer: once a timer runs, timer() and destroy() fail on their
    // KillTimer.  stopTimer() stops it.
    bool timer(unsigned milliseconds);
    // Stops the timer timer() started (KillTimer(window, 0)) and clears
    // timerId, so that timer() and destroy() go on; true also when none ran.
    // Call it before destroy() when a timer was started.
    bool stopTimer();

    bool pointer(void* p) const;
    static void* pointer(HWND hwnd);

    HWND hwnd() { return window; }
    bool popup() { return isPopup; }
    RECT rect() { return clientRect; }
    operator bool() { return window != nullptr; }

    // True when no other instance of this game (a window of this class) runs;
    // otherwise brings that one forward, restoring it if minimised.
    bool alone() const;

    char* className;
    char* title;
    HINSTANCE instance;
    HWND window; // the window handle (hwnd() in other documentation's terms)
    bool registered;
    bool isPopup;
    RECT clientRect; // client area in screen coordinates as of the last update()
    DWORD timerId;

protected:
    bool create(DWORD style, int width, int height);
    bool setFlag(int index, LONG_PTR value) const;
};

#endif
