// The SDL backend: every top-level window is a real SDL window, created
// hidden and showing the window's client area; child windows stay
// rectangles of their parent, hit-tested by the shared layer.  Events are
// read on the thread that made the first window (the game's window thread).
// A framed window may be larger than its client area (VANTREL_SCALE, or the
// player resizing it): the client area is then shown scaled as its picture
// (sdl_picture.h), and pointer positions are turned back into game pixels.
#include "platform/backends/sdl/sdl_backend.h"
#include "platform/user/input_events.h"
#include "platform/user/video_backend.h"
#include "platform/user/window_state.h"
#include "platform/backends/sdl/native_window_loss.h"
#include "platform/backends/sdl/sdl_keys.h"
#include "platform/backends/sdl/sdl_picture.h"
#include "platform/backends/sdl/sdl_startup.h"
#include "platform/backends/sdl/sdl_window_renderer.h"
#include "platform/user/quit_requests.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace vtl {
namespace {

// When this side last moved, sized, showed or hid a window: for a short while
// after, the screen reports the steps of that change (and of earlier ones),
// which must not move the window back; the library's record already holds
// the outcome.  Once that while is over the screen has the last word: a
// placement it did not take is asked for once more (a request made while the
// X server is still mapping a window can be lost), and after that the
// library's record follows whatever the screen shows.
struct Pending {
    int x = 0, y = 0, w = 0, h = 0; // the client area asked for, on the screen
    Uint32 time = 0;
    bool any = false;
    bool placed = false;  // x, y, w, h hold a request
    bool retried = false; // and it was made a second time
};

constexpr Uint32 kSettleMs = 300;

VTLPixelFormat formatOf(Uint32 sdlFormat)
{
    int bpp = 0;
    Uint32 r = 0, g = 0, b = 0, a = 0;
    SDL_PixelFormatEnumToMasks(sdlFormat, &bpp, &r, &g, &b, &a);
    int bytes = SDL_BYTESPERPIXEL(sdlFormat);
    VTLPixelFormat f = {PF_RGB32, 32, 4, 0xFF0000, 0x00FF00, 0x0000FF};
    if (bytes == 2) {
        f.bitsPerPixel = 16;
        f.bytesPerPixel = 2;
        f.formatCode = g == 0x3E0 ? PF_RGB555 : PF_RGB565;
    } else if (bytes == 3) {
        f.bitsPerPixel = 24;
        f.bytesPerPixel = 3;
        f.formatCode = PF_RGB24;
    } else if (bytes == 1) {
        return VTLPixelFormat{PF_PAL8, 8, 1, 0xE0, 0x1C, 0x03};
    }
    if (r && b) {
        f.redMask = r;
        f.greenMask = g;
        f.blueMask = b;
        if (r < b)
            f.formatCode |= PF_BGR;
    }
    return f;
}

class SdlVideo : public VideoBackend {
public:
    const char* name() const override { return "sdl"; }

    Desktop screen() override
    {
        Desktop d;
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
            mode.w = 1024;
            mode.h = 768;
            mode.format = SDL_PIXELFORMAT_RGB888;
        }
        d.width = mode.w;
        d.height = mode.h;
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(0, &usable) == 0)
            d.workArea = RECT{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
        else
            d.workArea = RECT{0, 0, mode.w, mode.h};
        d.format = formatOf(mode.format);
        return d;
    }

    bool createNative(Window& w) override
    {
        if (!haveOwner_) {
            owner_ = std::this_thread::get_id();
            haveOwner_ = true;
        }
        RECT c = clientRectOf(w);
        Uint32 flags = SDL_WINDOW_HIDDEN;
        if (!hasFrame(w))
            flags |= SDL_WINDOW_BORDERLESS;
        else
            flags |= SDL_WINDOW_RESIZABLE; // the player may size the picture
        const int scale = hasFrame(w) ? windowScale(c.right, c.bottom) : 1;
        int x = 0, y = 0, nw = 0, nh = 0;
        placeNative(w, scale, &x, &y, &nw, &nh);
        SDL_Window* sw = SDL_CreateWindow(w.title.c_str(), x, y, nw, nh, flags);
        if (!sw)
            return false;
        // The renderer is made now, while the window is hidden: a GPU
        // renderer may have SDL remake the native window for it.
        windowRenderer(sw);
        watchNativeWindow(sw);
        w.native = sw;
        byId_[SDL_GetWindowID(sw)] = w.handle;
        pending_[w.handle] = Pending();
        scale_[w.handle] = scale;
        if (hasFrame(w) && autoScaleAsked())
            autoScaled_.insert(w.handle);
        fitPictureOf(w);
        return true;
    }

    void destroyNative(Window& w) override
    {
        SDL_Window* sw = static_cast<SDL_Window*>(w.native);
        if (!sw)
            return;
        byId_.erase(SDL_GetWindowID(sw));
        pending_.erase(w.handle);
        scale_.erase(w.handle);
        autoScaled_.erase(w.handle);
        dropWindowRenderer(sw);
        clearPicture(sw);
        unwatchNativeWindow(sw);
        SDL_DestroyWindow(sw);
        w.native = nullptr;
    }

    void syncGeometry(Window& w) override
    {
        SDL_Window* sw = static_cast<SDL_Window*>(w.native);
        if (!sw)
            return;
        // With "auto" the multiple follows the client size the game sets
        // (a game usually sizes its window after making it).
        if (autoScaled_.count(w.handle)) {
            const RECT c = clientRectOf(w);
            scale_[w.handle] = fittingScale(c.right, c.bottom);
        }
        Pending& p = pending_[w.handle];
        p = Pending{0, 0, 0, 0, SDL_GetTicks(), true, true, false};
        placeNative(w, scaleOf(w.handle), &p.x, &p.y, &p.w, &p.h);
        SDL_SetWindowSize(sw, p.w, p.h);
        SDL_SetWindowPosition(sw, p.x, p.y);
        fitPictureOf(w);
    }

    void syncStyle(Window& w) override
    {
        if (SDL_Window* sw = static_cast<SDL_Window*>(w.native)) {
            SDL_SetWindowBordered(sw, hasFrame(w) ? SDL_TRUE : SDL_FALSE);
            SDL_SetWindowResizable(sw, hasFrame(w) ? SDL_TRUE : SDL_FALSE);
            learnFrame(w);
        }
    }

    void syncTitle(Window& w) override
    {
        if (SDL_Window* sw = static_cast<SDL_Window*>(w.native))
            SDL_SetWindowTitle(sw, w.title.c_str());
    }

    void syncShowState(Window& w, bool activate) override
    {
        SDL_Window* sw = static_cast<SDL_Window*>(w.native);
        if (!sw)
            return;
        pending_[w.handle].time = SDL_GetTicks();
        pending_[w.handle].any = true;
        if (!(w.style & WS_VISIBLE)) {
            SDL_HideWindow(sw);
            return;
        }
        SDL_ShowWindow(sw);
        learnFrame(w);
        if (w.style & WS_MINIMIZE) {
            SDL_MinimizeWindow(sw);
            return;
        }
        SDL_RestoreWindow(sw);
        if (activate)
            SDL_RaiseWindow(sw);
    }

    void raise(Window& w) override
    {
        if (SDL_Window* sw = static_cast<SDL_Window*>(w.native))
            SDL_RaiseWindow(sw);
    }

    void pump() override
    {
        if (!haveOwner_ || std::this_thread::get_id() != owner_)
            return;
        SDL_Event e;
        while (SDL_PollEvent(&e))
            handle(e);
        // A native window another program destroyed is the player closing
        // it; the game's answer to WM_CLOSE destroys what is left.
        for (Uint32 id : takeLostNativeWindows()) {
            if (HWND h = windowOf(id))
                inputClose(h);
        }
        settle();
    }

    bool needsPolling() const override
    {
        return haveOwner_ && std::this_thread::get_id() == owner_ && !byId_.empty();
    }

    // GDI draws into the window's canvas at the game's client size (the
    // picture's game size where the window is scaled); presentPixels shows
    // it through the window's renderer, scaled into the picture if any.
    bool windowPixels(Window& w, unsigned char** pixels, DWORD* pitch, int* width, int* height,
                      VTLPixelFormat* format) override
    {
        SDL_Window* sw = static_cast<SDL_Window*>(w.native);
        WindowRenderer* renderer = windowRenderer(sw);
        if (!renderer)
            return false;
        int gameW = 0, gameH = 0;
        Picture picture;
        if (pictureOf(sw, &picture)) {
            gameW = picture.gameWidth;
            gameH = picture.gameHeight;
        } else {
            SDL_GetWindowSize(sw, &gameW, &gameH);
        }
        SDL_Surface* surface = renderer->canvas(gameW, gameH);
        if (!surface)
            return false;
        *pixels = static_cast<unsigned char*>(surface->pixels);
        *pitch = static_cast<DWORD>(surface->pitch);
        *width = surface->w;
        *height = surface->h;
        *format = formatOf(surface->format->format);
        return true;
    }

    void presentPixels(Window& w) override
    {
        SDL_Window* sw = static_cast<SDL_Window*>(w.native);
        WindowRenderer* renderer = windowRenderer(sw);
        if (!renderer)
            return;
        Picture picture;
        renderer->showCanvas(pictureOf(sw, &picture) ? &picture.shown : nullptr);
    }

    int messageBox(HWND owner, const char* text, const char* caption, UINT type) override
    {
        SDL_MessageBoxButtonData buttons[2];
        int count = 1;
        switch (type & 0xF) {
        case MB_OKCANCEL:
            buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDOK, "OK"};
            buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, "Cancel"};
            count = 2;
            break;
        case MB_YESNO:
            buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"};
            buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"};
            count = 2;
            break;
        default:
            buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK,
                          "OK"};
        }
        Uint32 flags = (type & 0xF0) == MB_ICONERROR ? SDL_MESSAGEBOX_ERROR
                       : (type & 0xF0) == MB_ICONEXCLAMATION ? SDL_MESSAGEBOX_WARNING
                                                             : SDL_MESSAGEBOX_INFORMATION;
        SDL_MessageBoxData data = {flags, static_cast<SDL_Window*>(nativeWindow(owner)), caption, text, count,
                                   buttons, nullptr};
        int answer = 0;
        if (SDL_ShowMessageBox(&data, &answer) != 0 || answer <= 0)
            return (type & 0xF) == MB_OK ? IDOK : buttons[count - 1].buttonid;
        return answer;
    }

    bool cursorPos(POINT* point) override
    {
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        *point = POINT{x, y};
        // Until the pointer leaves the place it was warped to, it is where
        // the game put it (SDL learns the window under it only from events
        // not read yet).
        {
            std::lock_guard<std::mutex> lock(warpMutex_);
            if (warped_ && x == warpedTo_.x && y == warpedTo_.y) {
                *point = warpedFrom_;
                return true;
            }
            warped_ = false;
        }
        // Over a scaled picture the pointer is where the game sees it: its
        // game pixel, placed at the window's client origin as the game knows
        // it.
        SDL_Window* focus = SDL_GetMouseFocus();
        Picture picture;
        HWND h = focus ? windowOf(SDL_GetWindowID(focus)) : nullptr;
        WindowRef w = h ? lookupWindow(h) : nullptr;
        if (w && pictureOf(focus, &picture)) {
            int wx = 0, wy = 0, gx = 0, gy = 0;
            SDL_GetWindowPosition(focus, &wx, &wy);
            toGamePoint(focus, x - wx, y - wy, &gx, &gy);
            const POINT origin = clientOriginOnScreen(*w);
            *point = POINT{origin.x + gx, origin.y + gy};
        }
        return true;
    }

    void showPointer(bool shown) override { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

    // Into the window whose client area holds the point as the game sees
    // it, at the native pixel showing that game pixel; elsewhere the point
    // is taken as the real screen's.
    void warpPointer(POINT screen) override
    {
        POINT global = screen;
        if (SDL_Window* sw = nativeAt(screen)) {
            WindowRef w = lookupWindow(windowOf(SDL_GetWindowID(sw)));
            const POINT origin = clientOriginOnScreen(*w);
            int nx = 0, ny = 0, wx = 0, wy = 0;
            toNativePoint(sw, screen.x - origin.x, screen.y - origin.y, &nx, &ny);
            SDL_GetWindowPosition(sw, &wx, &wy);
            SDL_WarpMouseInWindow(sw, nx, ny);
            global = POINT{wx + nx, wy + ny};
        } else {
            SDL_WarpMouseGlobal(screen.x, screen.y);
        }
        std::lock_guard<std::mutex> lock(warpMutex_);
        warped_ = true;
        warpedFrom_ = screen;
        warpedTo_ = global;
    }

private:
    // The native window of the shown top-level window whose client area (in
    // game pixels) holds a screen point: the one with the keyboard focus
    // first, as the topmost one known.
    SDL_Window* nativeAt(POINT screen)
    {
        SDL_Window* found = nullptr;
        SDL_Window* focus = SDL_GetKeyboardFocus();
        for (const auto& entry : byId_) {
            WindowRef w = lookupWindow(entry.second);
            if (!w || !w->native || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE))
                continue;
            const POINT o = clientOriginOnScreen(*w);
            const RECT c = clientRectOf(*w);
            if (screen.x < o.x || screen.y < o.y || screen.x >= o.x + c.right || screen.y >= o.y + c.bottom)
                continue;
            SDL_Window* sw = static_cast<SDL_Window*>(w->native);
            if (sw == focus)
                return sw;
            if (!found)
                found = sw;
        }
        return found;
    }

    // VANTREL_SCALE for a framed window of this client size: a whole number
    // forces that multiple; "auto" takes the largest that fits the work
    // area with the documented frame around it; anything else is 1.
    static int windowScale(int clientWidth, int clientHeight)
    {
        const char* asked = std::getenv("VANTREL_SCALE");
        if (!asked || clientWidth <= 0 || clientHeight <= 0)
            return 1;
        if (autoScaleAsked())
            return fittingScale(clientWidth, clientHeight);
        char* end = nullptr;
        const long n = std::strtol(asked, &end, 10);
        return (end && *end == '\0' && n >= 1 && n <= 16) ? static_cast<int>(n) : 1;
    }

    static bool autoScaleAsked()
    {
        const char* asked = std::getenv("VANTREL_SCALE");
        return asked && std::strcmp(asked, "auto") == 0;
    }

    // The largest multiple of the client size that fits the work area with
    // the documented frame around it (at least 1).
    static int fittingScale(int clientWidth, int clientHeight)
    {
        SDL_Rect usable;
        if (clientWidth <= 0 || clientHeight <= 0 || SDL_GetDisplayUsableBounds(0, &usable) != 0)
            return 1;
        const RECT f = frameFor(WS_OVERLAPPEDWINDOW, 0, false);
        const int room = std::min((usable.w - f.left - f.right) / clientWidth,
                                  (usable.h - f.top - f.bottom) / clientHeight);
        return std::max(room, 1);
    }

    // The room a framed window's decorations take around its client area:
    // the frame the scale was chosen to leave room for, or the one the
    // window manager draws where that is wider.
    static RECT decorationRoom(const Window& w)
    {
        const RECT documented = frameFor(WS_OVERLAPPEDWINDOW, 0, false);
        const RECT& drawn = w.screenFrame;
        return RECT{std::max(documented.left, drawn.left), std::max(documented.top, drawn.top),
                    std::max(documented.right, drawn.right), std::max(documented.bottom, drawn.bottom)};
    }

    // A client area's start along one axis of the work area [start, start +
    // length), moved in so that it stays inside with `before` and `after`
    // pixels of decorations around it; where those do not fit as well, the
    // client area alone is kept inside: the game's pixels matter more than
    // its frame.
    static int keepInside(int at, int size, int start, int length, int before, int after)
    {
        if (size + before + after > length) {
            before = 0;
            after = 0;
        }
        return std::max(start + before, std::min(at, start + length - after - size));
    }

    // The native window of a client area shown `scale` times its size: at
    // the client area's origin, moved so that it stays in the work area with
    // its decorations around it (grown from the origin the game chose, it
    // would otherwise reach past the screen's edge).  The settling then
    // reports that place as the window's.
    static void placeNative(const Window& w, int scale, int* x, int* y, int* width, int* height)
    {
        SDL_Rect real;
        if (coversTheModeScreen(w) && SDL_GetDisplayBounds(0, &real) == 0) {
            // The game's full-screen window: the whole real screen, the
            // mode scaled into it.
            *x = real.x;
            *y = real.y;
            *width = real.w;
            *height = real.h;
            return;
        }
        const POINT o = clientOriginOnScreen(w);
        const RECT c = clientRectOf(w);
        *width = c.right > 0 ? c.right * scale : 1;
        *height = c.bottom > 0 ? c.bottom * scale : 1;
        *x = o.x;
        *y = o.y;
        if (scale == 1)
            return;
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
            const RECT f = decorationRoom(w);
            *x = keepInside(*x, *width, usable.x, usable.w, f.left, f.right);
            *y = keepInside(*y, *height, usable.y, usable.h, f.top, f.bottom);
        }
    }

    int scaleOf(HWND h) const
    {
        auto it = scale_.find(h);
        return it == scale_.end() ? 1 : it->second;
    }

    // Framed windows are resizable, and the full-screen window covers the
    // real screen: their native size is the picture's, not the game's.
    static bool sizesThePicture(const Window& w) { return w.native && (hasFrame(w) || coversTheModeScreen(w)); }

    // Fits the game's client area into the native window: no picture (one
    // to one) when the sizes agree.
    void fitPictureOf(Window& w)
    {
        SDL_Window* sw = static_cast<SDL_Window*>(w.native);
        if (!sw)
            return;
        const RECT c = clientRectOf(w);
        int nw = 0, nh = 0;
        SDL_GetWindowSize(sw, &nw, &nh);
        if (coversTheModeScreen(w)) {
            // As the display presents it: whole multiples where they fit.
            setPicture(sw, Picture{fitPicture(c.right, c.bottom, nw, nh, true), static_cast<int>(c.right),
                                   static_cast<int>(c.bottom)});
            return;
        }
        if (!hasFrame(w) || c.right <= 0 || c.bottom <= 0 || (nw == c.right && nh == c.bottom)) {
            clearPicture(sw);
            return;
        }
        setPicture(sw, Picture{fitPicture(c.right, c.bottom, nw, nh, false), static_cast<int>(c.right),
                               static_cast<int>(c.bottom)});
    }

    static bool hasFrame(const Window& w)
    {
        RECT f = frameFor(w.style, w.exStyle, false);
        return f.left || f.top;
    }

    HWND windowOf(Uint32 id) const
    {
        auto it = byId_.find(id);
        return it == byId_.end() ? nullptr : it->second;
    }

    // True while the screen may still be reporting an older request.
    bool settling(HWND h)
    {
        auto it = pending_.find(h);
        return it != pending_.end() && it->second.any;
    }

    // The decorations the screen draws around the window: what the window
    // manager reports, none without one.
    static void learnFrame(Window& w)
    {
        int top = 0, left = 0, bottom = 0, right = 0;
        if (SDL_GetWindowBordersSize(static_cast<SDL_Window*>(w.native), &top, &left, &bottom, &right) != 0)
            top = left = bottom = right = 0;
        setScreenFrame(w, RECT{left, top, right, bottom});
    }

    // Ends the settling time of every window whose time is up.
    void settle()
    {
        std::vector<HWND> due;
        for (auto& entry : pending_) {
            if (entry.second.any && SDL_GetTicks() - entry.second.time > kSettleMs)
                due.push_back(entry.first);
        }
        // The messages sent below may destroy windows: look each one up anew.
        for (HWND h : due) {
            auto it = pending_.find(h);
            WindowRef w = lookupWindow(h);
            if (it == pending_.end() || !w || !w->native)
                continue;
            Pending& p = it->second;
            SDL_Window* sw = static_cast<SDL_Window*>(w->native);
            learnFrame(*w);
            p.any = false;
            if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE))
                continue;
            int x = 0, y = 0, cw = 0, ch = 0;
            SDL_GetWindowPosition(sw, &x, &y);
            SDL_GetWindowSize(sw, &cw, &ch);
            if (p.placed && !p.retried && (x != p.x || y != p.y || cw != p.w || ch != p.h)) {
                p.retried = true;
                p.any = true;
                p.time = SDL_GetTicks();
                SDL_SetWindowSize(sw, p.w, p.h);
                SDL_SetWindowPosition(sw, p.x, p.y);
                continue;
            }
            inputMoved(h, x, y);
            if (sizesThePicture(*w))
                fitPictureOf(*w);
            else
                inputResized(h, cw, ch);
        }
    }

    void handle(const SDL_Event& e)
    {
        switch (e.type) {
        case SDL_WINDOWEVENT: {
            HWND h = windowOf(e.window.windowID);
            if (!h)
                return;
            if (WindowRef w = lookupWindow(h))
                learnFrame(*w);
            switch (e.window.event) {
            case SDL_WINDOWEVENT_MOVED:
                if (!settling(h))
                    inputMoved(h, e.window.data1, e.window.data2);
                break;
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                // The player sizing a framed window sizes its picture; the
                // game keeps its client size.
                if (WindowRef w = lookupWindow(h); w && sizesThePicture(*w))
                    fitPictureOf(*w);
                else if (!settling(h))
                    inputResized(h, e.window.data1, e.window.data2);
                break;
            case SDL_WINDOWEVENT_MINIMIZED:
                if (!settling(h))
                    inputMinimized(h, true);
                break;
            case SDL_WINDOWEVENT_RESTORED:
                if (!settling(h))
                    inputMinimized(h, false);
                break;
            case SDL_WINDOWEVENT_FOCUS_GAINED: inputFocus(h, true); break;
            case SDL_WINDOWEVENT_FOCUS_LOST: inputFocus(h, false); break;
            case SDL_WINDOWEVENT_EXPOSED: inputExposed(h); break;
            case SDL_WINDOWEVENT_CLOSE: inputClose(h); break;
            default: break;
            }
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            HWND h = windowOf(e.key.windowID);
            int vk = virtualKeyOf(e.key.keysym.sym);
            if (h && vk)
                inputKey(h, vk, e.type == SDL_KEYDOWN, e.key.repeat != 0);
            break;
        }
        case SDL_MOUSEMOTION: {
            // Positions arrive in the game's pixels wherever the picture is
            // scaled; a pointer over a bar is at the picture's nearest edge.
            HWND h = windowOf(e.motion.windowID);
            int x = 0, y = 0;
            if (h) {
                toGamePoint(SDL_GetWindowFromID(e.motion.windowID), e.motion.x, e.motion.y, &x, &y);
                inputMouseMove(h, x, y);
            }
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            HWND h = windowOf(e.button.windowID);
            if (!h)
                break;
            int x = 0, y = 0;
            const bool onPicture = toGamePoint(SDL_GetWindowFromID(e.button.windowID), e.button.x, e.button.y, &x, &y);
            // A press on a bar goes nowhere; a release there still ends the
            // press the game saw start (at the picture's edge).
            if (!onPicture && e.type == SDL_MOUSEBUTTONDOWN)
                break;
            MouseButton b = e.button.button == SDL_BUTTON_LEFT    ? kLeftButton
                            : e.button.button == SDL_BUTTON_RIGHT ? kRightButton
                                                                  : kMiddleButton;
            inputMouseButton(h, b, e.type == SDL_MOUSEBUTTONDOWN, x, y);
            break;
        }
        case SDL_SYSWMEVENT: noteWindowSystemEvent(e); break;
        case SDL_QUIT:
            // Asked by the session or the window manager to end: the
            // game's windows are closed the way the player closes them.
            closeTopLevelWindows();
            break;
        default: break;
        }
    }

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

} // namespace

std::unique_ptr<VideoBackend> openSdlVideo()
{
    prepareSdl();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return nullptr;
    watchNativeWindowLoss();
    return std::unique_ptr<VideoBackend>(new SdlVideo);
}

} // namespace vtl
