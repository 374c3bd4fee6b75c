// The icons windows are given by WM_SETICON.  Kept beside the window table,
// tied to the window record they were set on, so a handle that names a
// newer window later has none.  The screen shows the window manager's own
// icon: the handles are kept and answered, not drawn.
#include "platform/user/window_icons.h"

#include "platform/user/window_table.h"

#include <vantrel/win32/window_calls.h>

#include <map>
#include <memory>
#include <mutex>

namespace vtl {
namespace {

constexpr WPARAM kSmallIcon2 = 2; // WM_GETICON: the small icon, else the big one

struct Icons {
    std::weak_ptr<Window> window;
    HICON big = nullptr;
    HICON small = nullptr;
};

std::mutex gIconsMutex;

std::map<HWND, Icons>& icons()
{
    static auto* table = new std::map<HWND, Icons>;
    return *table;
}

// The icons of the live window behind hwnd (made empty for a new window
// that reuses a handle).
Icons* iconsOf(const WindowRef& w)
{
    Icons& entry = icons()[w->handle];
    if (entry.window.lock() != w)
        entry = Icons{w, nullptr, nullptr};
    return &entry;
}

} // namespace

LRESULT setWindowIcon(HWND hwnd, WPARAM type, HICON icon)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w || (type != ICON_SMALL && type != ICON_BIG))
        return 0;
    std::lock_guard<std::mutex> lock(gIconsMutex);
    Icons* entry = iconsOf(w);
    HICON& slot = type == ICON_BIG ? entry->big : entry->small;
    HICON old = slot;
    slot = icon;
    return reinterpret_cast<LRESULT>(old);
}

LRESULT windowIcon(HWND hwnd, WPARAM type)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w)
        return 0;
    std::lock_guard<std::mutex> lock(gIconsMutex);
    const Icons* entry = iconsOf(w);
    switch (type) {
    case ICON_BIG: return reinterpret_cast<LRESULT>(entry->big);
    case ICON_SMALL: return reinterpret_cast<LRESULT>(entry->small);
    case kSmallIcon2: return reinterpret_cast<LRESULT>(entry->small ? entry->small : entry->big);
    default: return 0;
    }
}

} // namespace vtl
