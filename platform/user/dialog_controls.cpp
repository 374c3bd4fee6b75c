#include "platform/user/dialog_controls.h"

#include <vantrel/win32/windowsx.h>

#include <vantrel/seam/window_backend.h>

#include <algorithm>
#include <cstring>

namespace vtl {
namespace {

const char kControlClass[] = "VTL_DialogControl";

void repaint(HWND control)
{
    if (HWND dialog = GetParent(control))
        InvalidateRect(dialog, nullptr, FALSE);
}

void notifyParent(HWND control, WORD code)
{
    HWND dialog = GetParent(control);
    const int id = GetDlgCtrlID(control);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

bool isButton(ControlKind k)
{
    return k == ControlKind::kPushButton || k == ControlKind::kDefaultPushButton || k == ControlKind::kCheckBox;
}

void click(HWND control, ControlState& s)
{
    if (s.kind == ControlKind::kCheckBox) {
        s.checked = !s.checked;
        repaint(control);
    }
    notifyParent(control, BN_CLICKED);
}

int itemCount(const ControlState& s) { return static_cast<int>(s.items.size()); }

// Moves the selection as a player does with the keyboard; reports a change.
void select(HWND control, ControlState& s, int index)
{
    if (s.items.empty())
        return;
    index = std::clamp(index, 0, itemCount(s) - 1);
    s.hotItem = index;
    if (index == s.selected) {
        repaint(control);
        return;
    }
    s.selected = index;
    repaint(control);
    notifyParent(control, CBN_SELCHANGE);
}

void setDropped(HWND control, ControlState& s, bool dropped)
{
    if (s.dropped == dropped)
        return;
    s.dropped = dropped;
    s.hotItem = s.selected;
    if (dropped) {
        SetFocus(control);
        SetCapture(control);
    } else {
        ReleaseCapture();
    }
    repaint(control);
}

int itemAt(HWND control, const ControlState& s, int x, int y)
{
    RECT list = droppedListRect(control, s);
    if (x < list.left || x >= list.right || y < list.top + 1 || y >= list.bottom - 1 || s.itemHeight <= 0)
        return -1;
    const int index = (y - list.top - 1) / s.itemHeight;
    return index < itemCount(s) ? index : -1;
}

bool inside(HWND control, int x, int y)
{
    RECT r;
    GetClientRect(control, &r);
    return x >= r.left && y >= r.top && x < r.right && y < r.bottom;
}

LRESULT listMessage(HWND control, ControlState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int count = itemCount(s);
    const bool valid = static_cast<int>(wParam) >= 0 && static_cast<int>(wParam) < count;
    switch (message) {
    case CB_ADDSTRING:
        s.items.emplace_back(lParam ? reinterpret_cast<const char*>(lParam) : "");
        s.itemData.push_back(0);
        repaint(control);
        return count;
    case CB_GETCOUNT: return count;
    case CB_GETCURSEL: return s.selected >= 0 ? s.selected : CB_ERR;
    case CB_SETCURSEL:
        s.selected = valid ? static_cast<int>(wParam) : -1;
        s.hotItem = s.selected;
        repaint(control);
        return valid ? static_cast<LRESULT>(wParam) : CB_ERR;
    case CB_GETLBTEXT:
        if (!valid || !lParam)
            return CB_ERR;
        std::strcpy(reinterpret_cast<char*>(lParam), s.items[wParam].c_str());
        return static_cast<LRESULT>(s.items[wParam].size());
    case CB_RESETCONTENT:
        s.items.clear();
        s.itemData.clear();
        s.selected = s.hotItem = -1;
        repaint(control);
        return 0;
    case CB_GETITEMDATA: return valid ? s.itemData[wParam] : CB_ERR;
    case CB_SETITEMDATA:
        if (!valid)
            return CB_ERR;
        s.itemData[wParam] = lParam;
        return 0;
    case CB_SHOWDROPDOWN: setDropped(control, s, wParam != 0); return TRUE;
    case CB_GETDROPPEDSTATE: return s.dropped ? TRUE : FALSE;
    }
    return 0;
}

LRESULT listInput(HWND control, ControlState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        if (!s.dropped) {
            setDropped(control, s, true);
        } else {
            const int item = itemAt(control, s, x, y);
            setDropped(control, s, false);
            if (item >= 0)
                select(control, s, item);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (s.dropped) {
            const int item = itemAt(control, s, x, y);
            if (item >= 0 && item != s.hotItem) {
                s.hotItem = item;
                repaint(control);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        // A press that opened the list and a release over an item picks it,
        // as a drag through the list does.
        if (s.dropped) {
            const int item = itemAt(control, s, x, y);
            if (item >= 0) {
                setDropped(control, s, false);
                select(control, s, item);
            }
        }
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) {
            setDropped(control, s, !s.dropped);
            return 0;
        }
        return DefWindowProcA(control, message, wParam, lParam);
    case WM_KEYDOWN: {
        const int page = s.itemHeight > 0 ? std::max(1, s.listHeight / s.itemHeight - 1) : 1;
        const int from = s.dropped ? s.hotItem : s.selected;
        switch (wParam) {
        case VK_F4: setDropped(control, s, !s.dropped); break;
        case VK_ESCAPE: setDropped(control, s, false); break;
        case VK_RETURN: {
            const int item = s.hotItem;
            setDropped(control, s, false);
            if (item >= 0)
                select(control, s, item);
            break;
        }
        case VK_UP: select(control, s, from < 0 ? 0 : from - 1); break;
        case VK_DOWN: select(control, s, from + 1); break;
        case VK_PRIOR: select(control, s, from - page); break;
        case VK_NEXT: select(control, s, from + page); break;
        case VK_HOME: select(control, s, 0); break;
        case VK_END: select(control, s, itemCount(s) - 1); break;
        }
        return 0;
    }
    case WM_KILLFOCUS: setDropped(control, s, false); return 0;
    }
    return 0;
}

LRESULT buttonInput(HWND control, ControlState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        s.tracking = s.pressed = true;
        SetFocus(control);
        SetCapture(control);
        repaint(control);
        return 0;
    case WM_MOUSEMOVE:
        if (s.tracking && s.pressed != inside(control, x, y)) {
            s.pressed = !s.pressed;
            repaint(control);
        }
        return 0;
    case WM_LBUTTONUP: {
        const bool clicked = s.tracking && inside(control, x, y);
        if (s.tracking)
            ReleaseCapture();
        s.tracking = s.pressed = false;
        repaint(control);
        if (clicked)
            click(control, s);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE)
            click(control, s);
        return 0;
    case WM_KILLFOCUS:
        if (s.tracking) {
            s.tracking = s.pressed = false;
            ReleaseCapture();
        }
        repaint(control);
        return 0;
    }
    return 0;
}

LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* s = new ControlState(*static_cast<const ControlState*>(cs->lpCreateParams));
        SetWindowLongPtrA(control, GWL_USERDATA, reinterpret_cast<LONG_PTR>(s));
        return TRUE;
    }
    ControlState* s = reinterpret_cast<ControlState*>(GetWindowLongPtrA(control, GWL_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(control, GWL_USERDATA, 0);
        delete s;
        return 0;
    }
    if (!s)
        return DefWindowProcA(control, message, wParam, lParam);
    const bool list = s->kind == ControlKind::kDropDownList;
    switch (message) {
    case BM_GETCHECK: return s->checked ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        s->checked = wParam == BST_CHECKED;
        repaint(control);
        return 0;
    case BM_CLICK:
        if (isButton(s->kind))
            click(control, *s);
        return 0;
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFOCUS:
        repaint(control);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KILLFOCUS:
        if (list)
            return listInput(control, *s, message, wParam, lParam);
        if (isButton(s->kind))
            return buttonInput(control, *s, message, wParam, lParam);
        break;
    default:
        if (list && message >= CB_ADDSTRING && message <= CB_GETDROPPEDSTATE)
            return listMessage(control, *s, message, wParam, lParam);
    }
    return DefWindowProcA(control, message, wParam, lParam);
}

} // namespace

bool registerLibraryClass(const char* name, WNDPROC proc)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = libraryInstance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0;
}

bool isTabStop(ControlKind kind)
{
    return isButton(kind) || kind == ControlKind::kDropDownList;
}

HWND createControl(HWND dialog, const VTLDLGITEM& item, const VTLDLGBITMAP* bitmap, const RECT& rect, int itemHeight,
                   int listHeight)
{
    static const bool registered = registerLibraryClass(kControlClass, controlProc);
    if (!registered)
        return nullptr;
    ControlState init;
    init.kind = static_cast<ControlKind>(item.kind);
    init.bitmap = bitmap;
    init.itemHeight = itemHeight;
    init.listHeight = listHeight;
    DWORD style = WS_CHILD | (item.hidden ? 0 : WS_VISIBLE) | (isTabStop(init.kind) ? WS_TABSTOP : 0);
    return CreateWindowExA(0, kControlClass, item.text ? item.text : "", style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), libraryInstance(), &init);
}

ControlState* controlState(HWND control)
{
    // Only windows of the control class carry a state in their user data.
    if (!IsWindow(control) || GetWindowLongPtrA(control, GWL_WNDPROC) != reinterpret_cast<LONG_PTR>(controlProc))
        return nullptr;
    return reinterpret_cast<ControlState*>(GetWindowLongPtrA(control, GWL_USERDATA));
}

RECT droppedListRect(HWND control, const ControlState& s)
{
    RECT box;
    GetClientRect(control, &box);
    const int wanted = static_cast<int>(s.items.size()) * s.itemHeight + 2;
    const int height = std::max(s.itemHeight + 2, std::min(wanted, s.listHeight));
    return RECT{0, box.bottom, box.right, box.bottom + height};
}

void closeDropDown(HWND control)
{
    if (ControlState* s = controlState(control)) {
        if (s->kind == ControlKind::kDropDownList)
            setDropped(control, *s, false);
    }
}

} // namespace vtl
