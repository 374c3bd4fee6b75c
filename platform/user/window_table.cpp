#include "platform/user/window_table.h"

#include "platform/host/process.h"

#include <map>

namespace vtl {
namespace {

struct Table {
    std::mutex mutex;
    std::map<uintptr_t, WindowRef> windows; // ordered by handle: oldest first
    uint32_t counter = 0;
};

Table& table()
{
    static Table* t = new Table; // never destroyed: windows may outlive static destructors
    return *t;
}

thread_local DWORD tLastError = 0;

} // namespace

std::mutex& windowTableMutex() { return table().mutex; }

WindowRef lookupWindow(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.windows.find(reinterpret_cast<uintptr_t>(hwnd));
    return it == t.windows.end() ? nullptr : it->second;
}

HWND addWindow(const WindowRef& window)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    // Handles carry the process id in their upper half so that windows of
    // other processes found through the desktop registry never collide with
    // ours, and a number never reused within the process, so that a stale
    // handle can not reach a newer window.
    ++t.counter;
    uintptr_t value = (static_cast<uintptr_t>(host::currentProcessId()) << 32) |
                      (static_cast<uintptr_t>(t.counter) << 2);
    HWND hwnd = reinterpret_cast<HWND>(value);
    window->handle = hwnd;
    t.windows[value] = window;
    return hwnd;
}

void removeWindow(HWND hwnd)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.windows.erase(reinterpret_cast<uintptr_t>(hwnd));
}

std::vector<WindowRef> allWindows()
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    std::vector<WindowRef> out;
    out.reserve(t.windows.size());
    for (auto& entry : t.windows)
        out.push_back(entry.second);
    return out;
}

RECT frameFor(DWORD style, DWORD, bool menu)
{
    RECT f = {0, 0, 0, 0};
    LONG edge = 0;
    if (style & WS_THICKFRAME)
        edge = 4;
    else if (style & WS_DLGFRAME)
        edge = 3;
    else if (style & WS_BORDER)
        edge = 1;
    f.left = f.top = f.right = f.bottom = edge;
    if ((style & WS_CAPTION) == WS_CAPTION)
        f.top += 19;
    if (menu)
        f.top += 19;
    return f;
}

RECT frameOf(const Window& w)
{
    return w.native ? w.screenFrame : frameFor(w.style, w.exStyle, w.hasMenu);
}

RECT clientRectOf(const Window& w)
{
    RECT f = frameOf(w);
    LONG cx = (w.rect.right - w.rect.left) - f.left - f.right;
    LONG cy = (w.rect.bottom - w.rect.top) - f.top - f.bottom;
    RECT r = {0, 0, cx > 0 ? cx : 0, cy > 0 ? cy : 0};
    return r;
}

POINT clientOriginOnScreen(const Window& w)
{
    RECT f = frameOf(w);
    POINT p = {w.rect.left + f.left, w.rect.top + f.top};
    for (HWND up = w.parent; up;) {
        WindowRef parent = lookupWindow(up);
        if (!parent)
            break;
        RECT pf = frameOf(*parent);
        p.x += parent->rect.left + pf.left;
        p.y += parent->rect.top + pf.top;
        up = parent->parent;
    }
    return p;
}

RECT outerRectFor(const Window& w, LONG x, LONG y, LONG width, LONG height)
{
    RECT asked = frameFor(w.style, w.exStyle, w.hasMenu);
    RECT real = frameOf(w);
    if (sameRect(real, asked))
        return RECT{x, y, x + (width > 0 ? width : 0), y + (height > 0 ? height : 0)};
    LONG cx = width - asked.left - asked.right;
    LONG cy = height - asked.top - asked.bottom;
    cx = cx > 0 ? cx : 0;
    cy = cy > 0 ? cy : 0;
    return RECT{x, y, x + real.left + cx + real.right, y + real.top + cy + real.bottom};
}

bool isSelfOrDescendant(HWND hwnd, HWND ancestor)
{
    while (hwnd) {
        if (hwnd == ancestor)
            return true;
        WindowRef w = lookupWindow(hwnd);
        if (!w)
            return false;
        hwnd = w->parent;
    }
    return false;
}

HWND topLevelOf(HWND hwnd)
{
    WindowRef w = lookupWindow(hwnd);
    while (w && w->parent) {
        WindowRef up = lookupWindow(w->parent);
        if (!up)
            break;
        w = up;
    }
    return w ? w->handle : nullptr;
}

void setError(DWORD error) { tLastError = error; }

} // namespace vtl

void SetLastError(DWORD error) { vtl::tLastError = error; }
DWORD GetLastError() { return vtl::tLastError; }
