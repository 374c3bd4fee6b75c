// The SDL backend: every top-level window is a real SDL window, created
// hidden and showing the window's client area; child windows stay
// rectangles of their parent, hit-tested by the shared layer.  Events are
// read on the thread that made the first window (the game's window thread).
// A framed window may be larger than its client area (VANTREL_SCALE, or the
// player resizing it): the client area is then shown scaled as its picture
// (sdl_picture.h), and pointer positions are turned back into game pixels.
//
// One device, its members in a file per job:
//   sdl_video.cpp             the native windows, their pixels, the factory
//   sdl_events.cpp            SDL's events into the shared layer's input calls
//   sdl_window_scaling.cpp    VANTREL_SCALE, placement, the scaled picture
//   sdl_window_settling.cpp   what the screen reports while a change settles
//   sdl_message_box.cpp       MessageBox
//   sdl_pointer.cpp           the pointer's position, shown or not, warped
#ifndef VANTREL_PLATFORM_BACKENDS_SDL_SDL_VIDEO_H
#define VANTREL_PLATFORM_BACKENDS_SDL_SDL_VIDEO_H

#include "platform/user/video_backend.h"
#include "platform/user/window_state.h"

#include <SDL.h>

#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace vtl {

class SdlVideo : public VideoBackend {
public:
    const char* name() const override { return "sdl"; }

    Desktop screen() override;
    bool createNative(Window& w) override;
    void destroyNative(Window& w) override;
    void syncGeometry(Window& w) override;
    void syncStyle(Window& w) override;
    void syncTitle(Window& w) override;
    void syncShowState(Window& w, bool activate) override;
    void syncIcon(Window& w) override;
    void raise(Window& w) override;
    void pump() override;
    bool needsPolling() const override;
    bool windowPixels(Window& w, unsigned char** pixels, DWORD* pitch, int* width, int* height,
                      VTLPixelFormat* format) override;
    void presentPixels(Window& w) override;
    int messageBox(HWND owner, const char* text, const char* caption, UINT type) override;
    bool cursorPos(POINT* point) override;
    void showPointer(bool shown) override;
    void warpPointer(POINT screen) override;
    void confinePointer(const RECT* screen) override;
    void holdPointer(Window& w, bool held) override;
    bool clipboardText(std::string* text) override;
    bool setClipboardText(const std::string& text) override;

private:
    // When this side last moved, sized, showed or hid a window: for a short
    // while after, the screen reports the steps of that change (and of
    // earlier ones), which must not move the window back; the library's
    // record already holds the outcome.  Once that while is over the screen
    // has the last word: a placement it did not take is asked for once more
    // (a request made while the X server is still mapping a window can be
    // lost), and after that the library's record follows whatever the screen
    // shows (sdl_window_settling.cpp).
    struct Pending {
        int x = 0, y = 0, w = 0, h = 0; // the client area asked for, on the screen
        Uint32 time = 0;
        bool any = false;
        bool placed = false;  // x, y, w, h hold a request
        bool retried = false; // and it was made a second time
    };

    static bool hasFrame(const Window& w);
    HWND windowOf(Uint32 id) const;

    void handle(const SDL_Event& e);

    static int windowScale(int clientWidth, int clientHeight);
    static bool autoScaleAsked();
    static int fittingScale(int clientWidth, int clientHeight);
    static void placeNative(const Window& w, int scale, int* x, int* y, int* width, int* height);
    int scaleOf(HWND h) const;
    static bool sizesThePicture(const Window& w);
    void fitPictureOf(Window& w);

    bool settling(HWND h);
    static void learnFrame(Window& w);
    void settle();

    SDL_Window* nativeAt(POINT screen);

    std::thread::id owner_;
    bool haveOwner_ = false;
    std::map<Uint32, HWND> byId_;
    std::map<HWND, Pending> pending_;
    std::map<HWND, int> scale_;             // VANTREL_SCALE's multiple at creation
    std::set<HWND> autoScaled_;             // made with "auto": the multiple follows the client size
    // The last SetCursorPos: the game's point and the real one it became.
    std::mutex warpMutex_;
    bool warped_ = false;
    POINT warpedFrom_ = {0, 0}, warpedTo_ = {0, 0};
};

} // namespace vtl

#endif
