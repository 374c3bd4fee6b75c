// Creating, destroying, finding and describing windows.
//
// Choices where the interface leaves room:
// - a top-level window created at CW_USEDEFAULT, or at a position beyond the
//   16-bit range a desktop can show, is placed at the default position (a
//   tenth of the work area in from its top-left corner); CW_USEDEFAULT as
//   width gives three quarters of the screen;
// - menus are never drawn, so a class's menu name adds no menu bar;
// - SetWindowLongA(GWL_STYLE) does not change whether the window is visible:
//   WS_VISIBLE follows ShowWindow, which keeps the screen's window in step;
// - top-level windows are stacked newest on top, which is what FindWindowA
//   and GetWindow's sibling order follow;
// - the 32-bit SetWindowLongA can not hold a pointer on a 64-bit system, so
//   GWL_WNDPROC and GWL_HINSTANCE are read and written only through the
//   pointer-sized forms; GWL_USERDATA through SetWindowLongA keeps 32 bits.
#include "platform/user/desktop_window.h"
#include "platform/user/message_queue.h"
#include "platform/user/remote_windows.h"
#include "platform/user/user_testing.h"
#include "platform/user/video_backend.h"
#include "platform/user/window_observers.h"
#include "platform/user/window_state.h"

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <cstring>

using vtl::testing::user::Op;

namespace vtl {
namespace {

// Style bits CreateWindowExA applies after WM_CREATE rather than at once.
constexpr DWORD kStateBits = WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE;

// The bits the system adds to a new window's styles: every top-level window
// clips its siblings and an overlapped one always has a caption; a raised
// edge goes with a dialog or sizing frame.
DWORD styleAsCreated(DWORD style)
{
    if ((style & (WS_CHILD | WS_POPUP)) != WS_CHILD) {
        style |= WS_CLIPSIBLINGS;
        if (!(style & WS_POPUP))
            style |= WS_CAPTION;
    }
    return style;
}

DWORD exStyleAsCreated(DWORD style, DWORD exStyle)
{
    if (exStyle & WS_EX_DLGMODALFRAME)
        return exStyle | WS_EX_WINDOWEDGE;
    if (style & (WS_DLGFRAME | WS_THICKFRAME)) {
        // A static edge replaces the raised one on a child or pop-up.
        bool staticEdgeInstead = (exStyle & WS_EX_STATICEDGE) && (style & (WS_CHILD | WS_POPUP));
        return staticEdgeInstead ? exStyle : exStyle | WS_EX_WINDOWEDGE;
    }
    return exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE);
}

// SetWindowLongA(GWL_STYLE): visibility follows ShowWindow only; a
// top-level window keeps clipping its siblings, and a minimised one stays
// minimised until a show command restores it, so that the screen's window,
// iconified by that show command, is always brought back by one.
DWORD styleAsSet(const Window& w, DWORD style)
{
    style = (style & ~static_cast<DWORD>(WS_VISIBLE)) | (w.style & WS_VISIBLE);
    if (!w.parent)
        style |= WS_CLIPSIBLINGS;
    return style | (w.style & WS_MINIMIZE);
}

DWORD exStyleAsSet(const Window& w, DWORD exStyle)
{
    if ((exStyle & WS_EX_DLGMODALFRAME) || (w.style & WS_THICKFRAME))
        return exStyle | WS_EX_WINDOWEDGE;
    if (w.style & (WS_CHILD | WS_POPUP))
        return exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE);
    return exStyle;
}


WindowRef ownWindow(HWND hwnd)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!onOwnThread(*w)) {
        setError(ERROR_WINDOW_OF_OTHER_THREAD);
        return nullptr;
    }
    return w;
}

void detachFromParent(Window& w)
{
    if (WindowRef parent = lookupWindow(w.parent)) {
        auto& c = parent->children;
        c.erase(std::remove(c.begin(), c.end(), w.handle), c.end());
    }
    // Other threads read a window's parent under the table's lock (the
    // quit requests look for top-level windows).
    std::lock_guard<std::mutex> lock(windowTableMutex());
    w.parent = nullptr;
}

void destroyTree(const WindowRef& w)
{
    w->destroying = true;
    if (!w->parent && (w->style & WS_VISIBLE) && w->native) {
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
        videoBackend().syncShowState(*w, false);
    }
    deliver(w, WM_DESTROY, 0, 0);
    std::vector<HWND> children = w->children;
    for (HWND child : children) {
        if (WindowRef c = lookupWindow(child))
            destroyTree(c);
    }
    deliver(w, WM_NCDESTROY, 0, 0);
    forgetWindow(*w->queue, w->handle);
    forgetFocusAndCapture(w->handle);
    detachFromParent(*w);
    if (w->native)
        videoBackend().destroyNative(*w);
    if (!w->parent)
        unpublishWindow(w->handle);
    --w->cls->windowCount;
    removeWindow(w->handle);
}

RECT initialRect(DWORD style, int x, int y, int width, int height, bool child)
{
    if (child) {
        if (x == CW_USEDEFAULT)
            x = y = 0;
        if (width == CW_USEDEFAULT)
            width = height = 0;
        // Far edges past the 32-bit range stop at its end.
        auto edge = [](LONG from, int size) {
            int64_t e = static_cast<int64_t>(from) + std::max(size, 0);
            return static_cast<LONG>(std::min<int64_t>(e, 0x7FFFFFFF));
        };
        return RECT{x, y, edge(x, width), edge(y, height)};
    }
    (void)style;
    Desktop d = desktop();
    if (width == CW_USEDEFAULT) {
        width = d.width * 3 / 4;
        height = d.height * 3 / 4;
    }
    if (x == CW_USEDEFAULT || x < -32768 || x > 32767 || y < -32768 || y > 32767) {
        x = d.workArea.left + (d.workArea.right - d.workArea.left) / 10;
        y = d.workArea.top + (d.workArea.bottom - d.workArea.top) / 10;
    }
    if (width < 0)
        width = 0;
    if (height < 0)
        height = 0;
    return RECT{x, y, x + width, y + height};
}

// WM_GETMINMAXINFO at creation.  The limits a procedure sets are kept to;
// the system's own defaults are not, since the screen's window manager
// keeps to its own.
RECT limitedByMinMaxInfo(const WindowRef& w, RECT r)
{
    Desktop d = desktop();
    RECT f = frameFor(w->style, w->exStyle, false);
    MINMAXINFO defaults = {};
    defaults.ptMaxSize = POINT{(d.workArea.right - d.workArea.left) + f.left + f.right,
                               (d.workArea.bottom - d.workArea.top) + f.left + f.bottom};
    defaults.ptMaxPosition = POINT{-f.left, -f.left};
    defaults.ptMinTrackSize = POINT{112, 27};
    defaults.ptMaxTrackSize = POINT{d.width + f.left + f.right, d.height + f.top + f.bottom};
    MINMAXINFO mmi = defaults;
    deliver(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    LONG cx = r.right - r.left, cy = r.bottom - r.top;
    if (mmi.ptMaxTrackSize.x != defaults.ptMaxTrackSize.x)
        cx = std::min<LONG>(cx, mmi.ptMaxTrackSize.x);
    if (mmi.ptMaxTrackSize.y != defaults.ptMaxTrackSize.y)
        cy = std::min<LONG>(cy, mmi.ptMaxTrackSize.y);
    if (mmi.ptMinTrackSize.x != defaults.ptMinTrackSize.x)
        cx = std::max<LONG>(cx, mmi.ptMinTrackSize.x);
    if (mmi.ptMinTrackSize.y != defaults.ptMinTrackSize.y)
        cy = std::max<LONG>(cy, mmi.ptMinTrackSize.y);
    return RECT{r.left, r.top, r.left + cx, r.top + cy};
}

bool titleMatches(const Window& w, const char* className, const char* title)
{
    if (className && !equalNoCase(w.cls->name.c_str(), className))
        return false;
    return !title || w.title == title;
}

} // namespace
} // namespace vtl

using namespace vtl;

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    VTL_TRACE(user, "CreateWindowExA", exStyle, vtl::trace::Atom{className}, title, style, x, y, width, height, parent,
              menu, instance, param);
    listenToTheDisplay();
    // The desktop as the parent of a top-level window is no parent at all.
    if (isDesktopWindow(parent) && !(style & WS_CHILD))
        parent = nullptr;
    std::shared_ptr<WindowClass> cls = findClass(className, instance);
    if (!cls) {
        setError(ERROR_CANNOT_FIND_WND_CLASS);
        return vtlTraceCall_.result(nullptr);
    }
    bool child = (style & WS_CHILD) != 0;
    WindowRef parentWindow;
    if (child) {
        parentWindow = lookupWindow(parent);
        if (!parentWindow) {
            setError(parent ? ERROR_INVALID_WINDOW_HANDLE : ERROR_TLW_WITH_WSCHILD);
            return vtlTraceCall_.result(nullptr);
        }
    }
    // A top-level window made with a parent is owned by that window's
    // top-level window.
    HWND owner = nullptr;
    if (!child && parent) {
        if (!lookupWindow(parent)) {
            setError(ERROR_INVALID_WINDOW_HANDLE);
            return vtlTraceCall_.result(nullptr);
        }
        owner = topLevelOf(parent);
    }
    if (testing::user::intercept(Op::CreateWindow))
        return vtlTraceCall_.result(nullptr);

    auto w = std::make_shared<Window>();
    w->owner = owner;
    w->cls = cls;
    w->queue = currentQueue();
    w->thread = std::this_thread::get_id();
    w->proc = cls->proc;
    w->instance = instance;
    w->title = title ? title : "";
    w->style = styleAsCreated(style & ~kStateBits);
    w->exStyle = exStyleAsCreated(w->style, exStyle);
    w->id = child ? reinterpret_cast<LONG_PTR>(menu) : 0;
    RECT asked = initialRect(style, x, y, width, height, child);
    w->rect = asked;
    HWND hwnd = addWindow(w);
    ++cls->windowCount;
    const bool overlapped = !(style & (WS_CHILD | WS_POPUP));
    if (overlapped || (style & WS_THICKFRAME)) {
        asked = limitedByMinMaxInfo(w, asked);
        w->rect = asked;
    }
    if (child) {
        w->parent = parentWindow->handle;
        parentWindow->children.push_back(hwnd);
    } else {
        if (!videoBackend().createNative(*w)) {
            --cls->windowCount;
            removeWindow(hwnd);
            setError(ERROR_NOT_ENOUGH_MEMORY);
            return vtlTraceCall_.result(nullptr);
        }
        // The screen's own decorations replace the documented frame: the
        // client area keeps the size asked for, the outer edge the position.
        RECT onScreen = outerRectFor(*w, asked.left, asked.top, asked.right - asked.left, asked.bottom - asked.top);
        if (w->native && !sameRect(onScreen, asked)) {
            w->rect = onScreen;
            videoBackend().syncGeometry(*w);
        }
        publishWindow(*w);
    }

    CREATESTRUCTA cs = {param, instance, menu, parent, asked.bottom - asked.top, asked.right - asked.left,
                        static_cast<int>(asked.top), static_cast<int>(asked.left), static_cast<LONG>(style),
                        title, className, exStyle};
    LPARAM csParam = reinterpret_cast<LPARAM>(&cs);
    RECT calc = w->rect;
    if (!deliver(w, WM_NCCREATE, 0, csParam) || !lookupWindow(hwnd) ||
        (deliver(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&calc)), !lookupWindow(hwnd)) ||
        deliver(w, WM_CREATE, 0, csParam) == -1) {
        if (lookupWindow(hwnd))
            destroyTree(w);
        return vtlTraceCall_.result(nullptr);
    }
    if (!lookupWindow(hwnd))
        return vtlTraceCall_.result(nullptr); // destroyed by its own procedure while being created
    if (overlapped) {
        w->needsSizeMessages = true;
    } else {
        sendSizeMessage(w);
        POINT origin = child ? POINT{w->rect.left, w->rect.top} : clientOriginOnScreen(*w);
        if (child) {
            RECT f = frameOf(*w);
            origin.x += f.left;
            origin.y += f.top;
        }
        deliver(w, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
    if (lookupWindow(hwnd))
        applyCreationState(w, style);
    if ((style & WS_VISIBLE) && lookupWindow(hwnd))
        applyShowCommand(w, SW_SHOW, false);
    return vtlTraceCall_.result(lookupWindow(hwnd) ? hwnd : nullptr);
}

BOOL DestroyWindow(HWND hwnd)
{
    VTL_TRACE(user, "DestroyWindow", hwnd);
    WindowRef w = ownWindow(hwnd);
    if (!w)
        return vtlTraceCall_.result(FALSE);
    if (testing::user::intercept(Op::DestroyWindow))
        return vtlTraceCall_.result(FALSE);
    if (w->destroying)
        return vtlTraceCall_.result(TRUE);
    // Hidden first, so that the procedure sees the window leave the
    // screen (and lose the activation) before WM_DESTROY; the windows it
    // owns go before it.
    hideForDestroy(w);
    for (const WindowRef& owned : allWindows()) {
        if (owned->owner != hwnd)
            continue;
        if (onOwnThread(*owned))
            DestroyWindow(owned->handle);
        else
            owned->owner = nullptr;
    }
    if (lookupWindow(hwnd) && !w->destroying)
        destroyTree(w);
    return vtlTraceCall_.result(TRUE);
}

HWND SetParent(HWND child, HWND newParent)
{
    VTL_TRACE(user, "SetParent", child, newParent);
    WindowRef w = ownWindow(child);
    if (!w)
        return vtlTraceCall_.result(nullptr);
    WindowRef p;
    if (newParent) {
        p = lookupWindow(newParent);
        if (!p || isSelfOrDescendant(newParent, child)) {
            setError(p ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
            return vtlTraceCall_.result(nullptr);
        }
    }
    HWND old = w->parent;
    detachFromParent(*w);
    if (p) {
        if (w->native) {
            // Leaving the screen's decorations for the documented frame: the
            // client area keeps its size.
            RECT c = clientRectOf(*w);
            videoBackend().destroyNative(*w);
            unpublishWindow(child);
            RECT f = frameOf(*w);
            w->rect.right = w->rect.left + f.left + c.right + f.right;
            w->rect.bottom = w->rect.top + f.top + c.bottom + f.bottom;
        }
        {
            std::lock_guard<std::mutex> lock(windowTableMutex());
            w->parent = newParent;
        }
        w->style = (w->style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP);
        p->children.push_back(child);
    } else if (old) {
        w->style &= ~static_cast<DWORD>(WS_CHILD);
        RECT asked = w->rect;
        videoBackend().createNative(*w);
        if (w->native) {
            w->rect = outerRectFor(*w, asked.left, asked.top, asked.right - asked.left, asked.bottom - asked.top);
            videoBackend().syncGeometry(*w);
        }
        publishWindow(*w);
        if (w->native && (w->style & WS_VISIBLE))
            videoBackend().syncShowState(*w, false);
    }
    invalidate(w);
    return vtlTraceCall_.result(old);
}

HWND GetParent(HWND hwnd)
{
    VTL_TRACE(user, "GetParent", hwnd);
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(nullptr);
    }
    // Answered from the style as it is now: a pop-up's owner, a child's
    // parent, nothing for an overlapped window.
    if (w->style & WS_POPUP)
        return vtlTraceCall_.result(w->owner);
    if (w->style & WS_CHILD)
        return vtlTraceCall_.result(w->parent);
    return vtlTraceCall_.result(nullptr);
}

HWND GetWindow(HWND hwnd, UINT relation)
{
    VTL_TRACE(user, "GetWindow", hwnd, relation);
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(nullptr);
    }
    if (relation == GW_OWNER)
        return vtlTraceCall_.result(w->parent ? nullptr : w->owner);
    if (relation == GW_CHILD)
        return vtlTraceCall_.result(w->children.empty() ? nullptr : w->children.back());
    if (relation > GW_HWNDPREV) {
        setError(1418); // ERROR_INVALID_GW_COMMAND
        return vtlTraceCall_.result(nullptr);
    }
    // Siblings, top first.
    std::vector<HWND> siblings;
    if (WindowRef p = lookupWindow(w->parent)) {
        siblings.assign(p->children.rbegin(), p->children.rend());
    } else {
        std::vector<WindowRef> all = allWindows();
        for (auto it = all.rbegin(); it != all.rend(); ++it) {
            if (!(*it)->parent && !(*it)->destroying)
                siblings.push_back((*it)->handle);
        }
    }
    auto at = std::find(siblings.begin(), siblings.end(), hwnd);
    if (siblings.empty() || at == siblings.end())
        return vtlTraceCall_.result(nullptr);
    switch (relation) {
    case GW_HWNDFIRST: return vtlTraceCall_.result(siblings.front());
    case GW_HWNDLAST: return vtlTraceCall_.result(siblings.back());
    case GW_HWNDNEXT: return vtlTraceCall_.result(at + 1 == siblings.end() ? nullptr : *(at + 1));
    default: return vtlTraceCall_.result(at == siblings.begin() ? nullptr : *(at - 1));
    }
}

BOOL IsWindow(HWND hwnd)
{
    VTL_TRACE(user, "IsWindow", hwnd);
    if (lookupWindow(hwnd) || isDesktopWindow(hwnd))
        return vtlTraceCall_.result(TRUE);
    return vtlTraceCall_.result(isRemoteHandle(hwnd) && remoteWindowExists(hwnd));
}

BOOL IsIconic(HWND hwnd)
{
    VTL_TRACE(user, "IsIconic", hwnd);
    if (WindowRef w = lookupWindow(hwnd))
        return vtlTraceCall_.result((w->style & WS_MINIMIZE) != 0);
    return vtlTraceCall_.result(isRemoteHandle(hwnd) && remoteWindowIconic(hwnd));
}

BOOL IsWindowVisible(HWND hwnd)
{
    VTL_TRACE(user, "IsWindowVisible", hwnd);
    if (isDesktopWindow(hwnd))
        return vtlTraceCall_.result(TRUE);
    WindowRef w = lookupWindow(hwnd);
    while (w) {
        if (!(w->style & WS_VISIBLE))
            return vtlTraceCall_.result(FALSE);
        if (!w->parent)
            return vtlTraceCall_.result(TRUE);
        w = lookupWindow(w->parent);
    }
    return vtlTraceCall_.result(FALSE);
}

HWND FindWindowA(LPCSTR className, LPCSTR title)
{
    VTL_TRACE(user, "FindWindowA", vtl::trace::Atom{className}, title);
    if (className && IS_INTRESOURCE(className))
        return vtlTraceCall_.result(nullptr);
    // Newest first, as the system searches from the top of its window
    // stack, where a new window goes.
    std::vector<WindowRef> all = allWindows();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        const WindowRef& w = *it;
        if (!w->parent && !w->destroying && titleMatches(*w, className, title))
            return vtlTraceCall_.result(w->handle);
    }
    return vtlTraceCall_.result(findRemoteWindow(className, title));
}

BOOL SetForegroundWindow(HWND hwnd)
{
    VTL_TRACE(user, "SetForegroundWindow", hwnd);
    if (isRemoteHandle(hwnd))
        return vtlTraceCall_.result(sendRemoteRequest(hwnd, kRemoteForeground) ? TRUE : FALSE);
    WindowRef w = lookupWindow(topLevelOf(hwnd));
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (w->native)
        videoBackend().raise(*w);
    if ((w->style & WS_VISIBLE) && !(w->style & WS_MINIMIZE))
        activateWindow(w->handle);
    return vtlTraceCall_.result(TRUE);
}

HWND GetLastActivePopup(HWND hwnd)
{
    VTL_TRACE(user, "GetLastActivePopup", hwnd);
    // Which owned pop-up was active last is not kept, so a window is its
    // own last active popup.
    if (lookupWindow(hwnd) || (isRemoteHandle(hwnd) && remoteWindowExists(hwnd)))
        return vtlTraceCall_.result(hwnd);
    setError(ERROR_INVALID_WINDOW_HANDLE);
    return vtlTraceCall_.result(nullptr);
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    VTL_TRACE(user, "EnableWindow", hwnd, enable);
    WindowRef w = ownWindow(hwnd);
    if (!w)
        return vtlTraceCall_.result(FALSE);
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable)
        w->style &= ~static_cast<DWORD>(WS_DISABLED);
    else
        w->style |= WS_DISABLED;
    if (wasDisabled == (enable ? TRUE : FALSE))
        deliver(w, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return vtlTraceCall_.result(wasDisabled);
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text)
{
    VTL_TRACE(user, "SetWindowTextA", hwnd, text);
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    return vtlTraceCall_.result(SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE);
}

int GetWindowTextA(HWND hwnd, LPSTR text, int size)
{
    VTL_TRACE(user, "GetWindowTextA", hwnd, static_cast<const void*>(text), size);
    WindowRef w = lookupWindow(hwnd);
    if (!w || !text || size <= 0) {
        if (!w)
            setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(0);
    }
    // A window of this process answers for its own text (a control may
    // keep it elsewhere); DefWindowProcA gives the title.
    text[0] = '\0';
    return vtlTraceCall_.result(static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text))));
}

namespace vtl {

int copyWindowTitle(const Window& w, LPSTR text, int size)
{
    if (!text || size <= 0)
        return 0;
    size_t n = std::min(w.title.size(), static_cast<size_t>(size - 1));
    std::memcpy(text, w.title.data(), n);
    text[n] = '\0';
    return static_cast<int>(n);
}

} // namespace vtl

HWND GetDlgItem(HWND dialog, int id)
{
    VTL_TRACE(user, "GetDlgItem", dialog, id);
    WindowRef w = lookupWindow(dialog);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(nullptr);
    }
    for (HWND child : w->children) {
        WindowRef c = lookupWindow(child);
        if (c && c->id == id)
            return vtlTraceCall_.result(child);
    }
    setError(ERROR_CONTROL_ID_NOT_FOUND);
    return vtlTraceCall_.result(nullptr);
}

int GetDlgCtrlID(HWND hwnd)
{
    VTL_TRACE(user, "GetDlgCtrlID", hwnd);
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(0);
    }
    return vtlTraceCall_.result(static_cast<int>(w->id));
}

namespace {

bool readLong(const Window& w, int index, LONG_PTR* value)
{
    switch (index) {
    case GWL_STYLE: *value = static_cast<LONG>(w.style); return true;
    case GWL_EXSTYLE: *value = static_cast<LONG>(w.exStyle); return true;
    case GWL_USERDATA: *value = w.userData; return true;
    case GWL_ID: *value = w.id; return true;
    case GWL_WNDPROC: *value = reinterpret_cast<LONG_PTR>(w.proc); return true;
    case GWL_HINSTANCE: *value = reinterpret_cast<LONG_PTR>(w.instance); return true;
    case GWL_HWNDPARENT: *value = reinterpret_cast<LONG_PTR>(w.parent ? w.parent : w.owner); return true;
    default: return false;
    }
}

LONG_PTR writeLong(HWND hwnd, int index, LONG_PTR value, bool pointerSized)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    bool pointerOnly = index == GWL_WNDPROC || index == GWL_HINSTANCE;
    LONG_PTR old = 0;
    if (!readLong(*w, index, &old) || (pointerOnly && !pointerSized)) {
        setError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (testing::user::intercept(Op::SetWindowLong))
        return 0;
    switch (index) {
    case GWL_STYLE:
        w->style = styleAsSet(*w, static_cast<DWORD>(value));
        if (w->native) {
            videoBackend().syncStyle(*w);
            videoBackend().syncGeometry(*w);
        }
        invalidate(w);
        break;
    case GWL_EXSTYLE: w->exStyle = exStyleAsSet(*w, static_cast<DWORD>(value)); break;
    case GWL_USERDATA: w->userData = value; break;
    case GWL_ID: w->id = value; break;
    case GWL_WNDPROC:
        // A null procedure is not stored (the next message would have
        // nothing to call); the old one is still answered.
        if (value)
            w->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWL_HWNDPARENT: {
        // A top-level window's owner; a child's parent, as SetParent.
        HWND to = reinterpret_cast<HWND>(value);
        if (to && !lookupWindow(to)) {
            setError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        if (w->parent)
            return reinterpret_cast<LONG_PTR>(SetParent(hwnd, to));
        w->owner = to ? topLevelOf(to) : nullptr;
        break;
    }
    case GWL_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    }
    return old;
}

} // namespace

LONG SetWindowLongA(HWND hwnd, int index, LONG value)
{
    VTL_TRACE(user, "SetWindowLongA", hwnd, index, value);
    return vtlTraceCall_.result(static_cast<LONG>(writeLong(hwnd, index, static_cast<LONG_PTR>(value), false)));
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) { return writeLong(hwnd, index, value, true); }

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index)
{
    VTL_TRACE(user, "GetWindowLongPtrA", hwnd, index);
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(0);
    }
    LONG_PTR value = 0;
    if (!readLong(*w, index, &value)) {
        setError(ERROR_INVALID_INDEX);
        return vtlTraceCall_.result(0);
    }
    return vtlTraceCall_.result(value);
}

LONG GetWindowLongA(HWND hwnd, int index)
{
    VTL_TRACE(user, "GetWindowLongA", hwnd, index);
    if (index == GWL_WNDPROC || index == GWL_HINSTANCE) {
        setError(ERROR_INVALID_INDEX);
        return vtlTraceCall_.result(0);
    }
    return vtlTraceCall_.result(static_cast<LONG>(GetWindowLongPtrA(hwnd, index)));
}
