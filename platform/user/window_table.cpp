#include "platform/user/window_table.h"

#include "platform/user/remote_windows.h"

#include <algorithm>
#include <map>

namespace vtl {
namespace {

struct Table {
    std::mutex mutex;
    std::map<uint64_t, WindowRef> windows; // by handle value
    uint64_t made = 0;                     // windows made, for the oldest-first order
    uint32_t counter = 0;
};

Table& table()
{
    static Table* t = new Table; // never destroyed: windows may outlive static destructors
    return *t;
}

} // namespace

std::mutex& windowTableMutex() { return table().mutex; }

uint64_t windowHandleValue(HWND hwnd)
{
    const uint64_t value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(hwnd));
    const uint32_t high = static_cast<uint32_t>(value >> 32);
    if (high != 0 && high != 0xffffffffu)
        return 0;
    return value & 0xffffffffu;
}

uint32_t windowSlotOf(HWND hwnd)
{
    const uint64_t value = windowHandleValue(hwnd);
    if (value & 0x80000003u)
        return 0;
    return static_cast<uint32_t>(value >> 20) & kLastWindowSlot;
}

WindowRef lookupWindow(HWND hwnd)
{
    const uint64_t value = windowHandleValue(hwnd);
    if (!value)
        return nullptr;
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.windows.find(value);
    return it == t.windows.end() ? nullptr : it->second;
}

HWND addWindow(const WindowRef& window)
{
    // The slot is claimed before the table is locked: claiming reads the
    // desktop's folder.
    const uint64_t slotBits = uint64_t{windowSlot()} << 20;
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    // The slot keeps our handles apart from other processes' on the
    // desktop; the counter goes round before a number comes back, so a
    // stale handle reaches a newer window only after 262,143 others.
    uint64_t value;
    do {
        t.counter = t.counter >= 0x3ffff ? 1 : t.counter + 1;
        value = slotBits | (uint64_t{t.counter} << 2);
    } while (t.windows.count(value));
    HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
    window->handle = hwnd;
    window->order = ++t.made;
    t.windows[value] = window;
    return hwnd;
}

void removeWindow(HWND hwnd)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.windows.erase(windowHandleValue(hwnd));
}

std::vector<WindowRef> allWindows()
{
    Table& t = table();
    std::vector<WindowRef> out;
    {
        std::lock_guard<std::mutex> lock(t.mutex);
        out.reserve(t.windows.size());
        for (auto& entry : t.windows)
            out.push_back(entry.second);
    }
    std::sort(out.begin(), out.end(), [](const WindowRef& a, const WindowRef& b) { return a->order < b->order; });
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

} // namespace vtl
