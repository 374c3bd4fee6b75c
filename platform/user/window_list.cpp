// The desktop window and the list of top-level windows under it:
// GetDesktopWindow, EnumWindows and FindWindowExA.
//
// The list is this program's own windows, top first (newest first, as the
// window stack is kept).  Other programs' windows are found by class and
// title (FindWindowA's search of the desktop, remote_windows.h) but not
// listed.
#include <vantrel/win32/window_calls.h>

#include "platform/user/desktop_window.h"
#include "platform/user/remote_windows.h"
#include "platform/user/window_table.h"

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <vector>

using namespace vtl;

namespace {

// HWND_MESSAGE: the parent of message-only windows, of which there are none.
const HWND kMessageOnlyParent = reinterpret_cast<HWND>(static_cast<intptr_t>(-3));

std::vector<HWND> topLevelWindows()
{
    std::vector<HWND> list;
    std::vector<WindowRef> all = allWindows();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if (!(*it)->parent && !(*it)->destroying)
            list.push_back((*it)->handle);
    }
    return list;
}

bool matches(const Window& w, LPCSTR className, LPCSTR title)
{
    if (className && !equalNoCase(w.cls->name.c_str(), className))
        return false;
    return !title || w.title == title;
}

} // namespace

HWND GetDesktopWindow() { return desktopWindowHandle(); }

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam)
{
    VTL_TRACE(user, "EnumWindows", callback, lParam);
    if (!callback) {
        setError(ERROR_NOACCESS);
        return vtlTraceCall_.result(FALSE);
    }
    VTL_UNSUPPORTED("EnumWindows over other programs' windows", "lists this program's windows only");
    // A snapshot: the callback may make and destroy windows; those it
    // destroyed before their turn are passed over.
    for (HWND hwnd : topLevelWindows()) {
        if (lookupWindow(hwnd) && !callback(hwnd, lParam))
            return vtlTraceCall_.result(FALSE);
    }
    return vtlTraceCall_.result(TRUE);
}

HWND FindWindowExA(HWND parent, HWND after, LPCSTR className, LPCSTR title)
{
    VTL_TRACE(user, "FindWindowExA", parent, after, vtl::trace::Atom{className}, title);
    if (parent == kMessageOnlyParent)
        return vtlTraceCall_.result(nullptr);
    if (isDesktopWindow(parent))
        parent = nullptr;
    std::vector<HWND> candidates;
    if (parent) {
        WindowRef p = lookupWindow(parent);
        if (!p) {
            setError(ERROR_INVALID_WINDOW_HANDLE);
            return vtlTraceCall_.result(nullptr);
        }
        candidates.assign(p->children.rbegin(), p->children.rend());
    } else {
        candidates = topLevelWindows();
    }
    auto from = candidates.begin();
    if (after) {
        from = std::find(candidates.begin(), candidates.end(), after);
        if (from == candidates.end()) {
            // Not a child of `parent`: nothing follows it.
            if (!lookupWindow(after))
                setError(ERROR_INVALID_WINDOW_HANDLE);
            return vtlTraceCall_.result(nullptr);
        }
        ++from;
    }
    if (className && IS_INTRESOURCE(className))
        return vtlTraceCall_.result(nullptr);
    for (auto it = from; it != candidates.end(); ++it) {
        WindowRef w = lookupWindow(*it);
        if (w && !w->destroying && matches(*w, className, title))
            return vtlTraceCall_.result(*it);
    }
    // Another program's top-level window, as FindWindowA finds it.
    if (!parent && !after)
        return vtlTraceCall_.result(findRemoteWindow(className, title));
    return vtlTraceCall_.result(nullptr);
}
