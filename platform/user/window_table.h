// The process's window classes and windows, shared by every backend.
//
// Windows live in one table guarded by one mutex, because other threads post
// to them; everything else about a window is touched only on the thread that
// created it (the Windows rule), so its fields need no lock of their own.  A
// window procedure always runs with no lock held, so it may create, destroy
// and send freely.
#ifndef VANTREL_PLATFORM_USER_WINDOW_TABLE_H
#define VANTREL_PLATFORM_USER_WINDOW_TABLE_H

#include <vantrel/win32/window.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vtl {

struct ThreadQueue;

struct WindowClass {
    std::string name;
    HINSTANCE instance = nullptr;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::atomic<int> windowCount{0};
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    std::shared_ptr<ThreadQueue> queue;
    std::thread::id thread;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    std::string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HWND parent = nullptr;
    HWND owner = nullptr; // a top-level window made with a parent window
    std::vector<HWND> children; // bottom to top
    // Outer rectangle: screen coordinates for a top-level window, the
    // parent's client coordinates for a child.
    RECT rect = {0, 0, 0, 0};
    // The decorations the screen really draws around the client area of a
    // window that has a native window (none without a window manager); the
    // backend keeps it current.  Windows without one use frameFor's numbers.
    RECT screenFrame = {0, 0, 0, 0};
    // The update region, kept as its bounding box in client coordinates;
    // needsPaint is whether it is non-empty, needsErase whether the
    // background was invalidated with it.
    bool needsPaint = false;
    bool needsErase = false;
    RECT updateRect = {0, 0, 0, 0};
    // An overlapped window is told its size and place (WM_SIZE, WM_MOVE)
    // when first shown, not when created.
    bool needsSizeMessages = false;
    // Where a maximised window goes back to, and whether a minimised one
    // comes back maximised.
    RECT normalRect = {0, 0, 0, 0};
    bool restoreToMaximized = false;
    // Minimised by a show command, so parked where the game sees it at the
    // minimised position; the screen's own window stays at `rect`.
    bool parkedAsIcon = false;
    std::atomic<bool> destroying{false}; // read by threads posting to the window
    bool hasMenu = false;
    HICON bigIcon = nullptr;   // WM_SETICON's; the class's icon while both are null
    HICON smallIcon = nullptr;
    void* native = nullptr; // the backend's window, top-level windows only
    uint64_t order = 0;     // when it was made: allWindows lists oldest first
};

typedef std::shared_ptr<Window> WindowRef;

// Window handles are 32-bit significant, as on 64-bit Windows: a game may
// keep one in a DWORD or LONG, and the handle cut to 32 bits and widened
// again (with sign or without) names the same window.  Bit 31 is always
// clear, so both widenings give the same pointer.  Bits 30 to 20 hold the
// process's slot on the desktop (remote_windows.h), bits 19 to 2 a counter
// that wraps after 262,143 windows, skipping handles still in use; bits 1
// and 0 are clear.
constexpr uint32_t kLastWindowSlot = 0x7ff;
// The 32-bit value of a handle, or 0 when its upper half is neither the sign
// nor the zero extension of the lower one (no window has such a handle).
uint64_t windowHandleValue(HWND hwnd);
// The slot a handle was made in; 0 for a value no window can have.
uint32_t windowSlotOf(HWND hwnd);

// The table.  lookup returns null for anything that is not a live window.
std::mutex& windowTableMutex();
WindowRef lookupWindow(HWND hwnd);
HWND addWindow(const WindowRef& window);
void removeWindow(HWND hwnd);
// Snapshot of every live window, oldest first.
std::vector<WindowRef> allWindows();

// Classes: found by name (ignoring case) and owning instance; null instance
// matches any.
std::shared_ptr<WindowClass> findClass(const char* name, HINSTANCE instance);

// The frame a style adds around the client area by the documented numbers
// (what AdjustWindowRectEx adds), and the frame a window really has: the
// screen's decorations for a window with a native window, the documented
// frame otherwise (headless windows, child windows).
RECT frameFor(DWORD style, DWORD exStyle, bool menu);
RECT frameOf(const Window& w);
RECT clientRectOf(const Window& w);          // in the window's own client coordinates (0, 0, cx, cy)
POINT clientOriginOnScreen(const Window& w); // top-left of the client area on the screen

// The outer rectangle a window gets when a game asks for (x, y, width,
// height): the size is measured with the documented frame, as the game's own
// AdjustWindowRectEx arithmetic measures it, so the client area is exactly
// the size the game meant; the real outer edge's top-left goes to (x, y).
// Where the real frame is the documented one this is the rectangle asked for.
RECT outerRectFor(const Window& w, LONG x, LONG y, LONG width, LONG height);

inline bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// WM_GETTEXT's default answer: the title, cut to fit `size` with its
// terminator; the number of characters copied.
int copyWindowTitle(const Window& w, LPSTR text, int size);

// Is `hwnd` `ancestor` or one of its descendants?
bool isSelfOrDescendant(HWND hwnd, HWND ancestor);
// The top-level window that contains hwnd.
HWND topLevelOf(HWND hwnd);

} // namespace vtl

#endif
