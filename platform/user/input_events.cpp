#include "platform/user/input_events.h"

#include "platform/user/hot_keys.h"
#include "platform/user/message_queue.h"
#include "platform/user/raw_input.h"
#include "platform/user/remote_windows.h"
#include "platform/user/user_size_move.h"
#include "platform/user/window_state.h"
#include "platform/kernel/trace.h"

#include <atomic>
#include <cstdlib>

namespace vtl {
namespace {

// Key state as GetKeyState reports it: bit 0x80 down, bit 0x01 toggled.
// gKeys as input arrives; gSynced as the key messages are read.
std::atomic<unsigned char> gKeys[256];
std::atomic<unsigned char> gSynced[256];
std::mutex gPointerMutex;
POINT gCursor = {0, 0};

// The last button press, to recognise a double click.
struct LastClick {
    HWND hwnd = nullptr;
    MouseButton button = kLeftButton;
    DWORD time = 0;
    POINT pt = {0, 0};
};
LastClick gLastClick;

constexpr DWORD kDoubleClickTime = 500;
constexpr LONG kDoubleClickSlop = 2; // half of the 4-pixel double-click box

bool keyDown(int vk) { return (gKeys[vk & 0xFF].load() & 0x80) != 0; }
bool syncedDown(int vk) { return (gSynced[vk & 0xFF].load() & 0x80) != 0; }

void setKeyIn(std::atomic<unsigned char>* table, int vk, bool down)
{
    unsigned char v = table[vk & 0xFF].load();
    if (down && !(v & 0x80))
        v ^= 0x01;
    v = down ? (v | 0x80) : (v & ~0x80);
    table[vk & 0xFF].store(v);
}

void setKey(int vk, bool down) { setKeyIn(gKeys, vk, down); }

WPARAM mouseKeys()
{
    WPARAM k = 0;
    if (keyDown(VK_LBUTTON))
        k |= MK_LBUTTON;
    if (keyDown(VK_RBUTTON))
        k |= MK_RBUTTON;
    if (keyDown(0x04))
        k |= MK_MBUTTON;
    if (keyDown(VK_SHIFT))
        k |= MK_SHIFT;
    if (keyDown(VK_CONTROL))
        k |= MK_CONTROL;
    return k;
}

// The modifiers of a hot key held now: MOD_ALT, MOD_CONTROL, MOD_SHIFT,
// MOD_WIN.
UINT heldModifiers()
{
    UINT held = 0;
    if (keyDown(VK_MENU))
        held |= 0x0001;
    if (keyDown(VK_CONTROL))
        held |= 0x0002;
    if (keyDown(VK_SHIFT))
        held |= 0x0004;
    if (keyDown(0x5B) || keyDown(0x5C)) // the Windows keys
        held |= 0x0008;
    return held;
}

void post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowRef w = lookupWindow(hwnd);
    if (w && !w->destroying)
        postInput(*w->queue, MSG{hwnd, message, wParam, lParam, tickCount(), lastCursorPos()});
}

// Finds the target of a mouse event at `p` in top's client coordinates and
// converts p to the target's client coordinates.
HWND mouseTarget(HWND top, POINT* p)
{
    HWND capture = captureWindow();
    if (capture && lookupWindow(capture)) {
        WindowRef t = lookupWindow(top);
        WindowRef c = lookupWindow(capture);
        POINT a = clientOriginOnScreen(*t), b = clientOriginOnScreen(*c);
        p->x += a.x - b.x;
        p->y += a.y - b.y;
        return capture;
    }
    return windowAt(top, p);
}

} // namespace

POINT lastCursorPos()
{
    std::lock_guard<std::mutex> lock(gPointerMutex);
    return gCursor;
}

void placeCursor(POINT screen)
{
    std::lock_guard<std::mutex> lock(gPointerMutex);
    gCursor = screen;
}

HWND windowAt(HWND top, POINT* point)
{
    WindowRef w = lookupWindow(top);
    if (!w)
        return nullptr;
    for (;;) {
        WindowRef hit;
        // Children are kept bottom to top: the last one drawn is hit first.
        for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
            WindowRef c = lookupWindow(*it);
            if (!c || !(c->style & WS_VISIBLE) || (c->style & WS_DISABLED))
                continue;
            if (point->x >= c->rect.left && point->x < c->rect.right && point->y >= c->rect.top &&
                point->y < c->rect.bottom) {
                hit = c;
                break;
            }
        }
        if (!hit)
            return w->handle;
        RECT f = frameOf(*hit);
        point->x -= hit->rect.left + f.left;
        point->y -= hit->rect.top + f.top;
        w = hit;
    }
}

UINT scanCodeOf(int vk)
{
    static const char* const kLetters = "\x1E\x30\x2E\x20\x12\x21\x22\x23\x17\x24\x25\x26\x32\x31\x18\x19\x10\x13\x1F"
                                        "\x14\x16\x2F\x11\x2D\x15\x2C";
    if (vk >= 'A' && vk <= 'Z')
        return static_cast<unsigned char>(kLetters[vk - 'A']);
    if (vk >= '1' && vk <= '9')
        return 0x02 + static_cast<UINT>(vk - '1');
    if (vk >= VK_F1 && vk <= VK_F10)
        return 0x3B + static_cast<UINT>(vk - VK_F1);
    switch (vk) {
    case '0': return 0x0B;
    case VK_ESCAPE: return 0x01;
    case VK_BACK: return 0x0E;
    case VK_TAB: return 0x0F;
    case VK_RETURN: return 0x1C;
    case VK_CONTROL: return 0x1D;
    case VK_SHIFT: return 0x2A;
    case VK_MENU: return 0x38;
    case VK_SPACE: return 0x39;
    case VK_F11: return 0x57;
    case VK_F12: return 0x58;
    case VK_HOME: return 0x147;
    case VK_UP: return 0x148;
    case VK_PRIOR: return 0x149;
    case VK_LEFT: return 0x14B;
    case VK_RIGHT: return 0x14D;
    case VK_END: return 0x14F;
    case VK_DOWN: return 0x150;
    case VK_NEXT: return 0x151;
    case VK_INSERT: return 0x152;
    case VK_DELETE: return 0x153;
    default: return 0;
    }
}

void inputKey(HWND top, int vk, bool down, bool repeat, bool extended)
{
    if (!lookupWindow(top))
        return;
    bool wasDown = keyDown(vk);
    setKey(vk, down);
    if (RawInputSink* sink = rawInputSink())
        sink->key(top, vk, down, extended);
    bool alt = keyDown(VK_MENU);
    bool sys = (alt && !keyDown(VK_CONTROL)) || vk == VK_F10;
    UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    UINT scan = scanCodeOf(vk);
    if (extended)
        scan = vk == VK_SHIFT ? 0x36 : (scan | 0x100); // right Shift has a code of its own
    DWORD lParam = 1u | ((scan & 0xFFu) << 16);
    if (scan & 0x100u)
        lParam |= 1u << 24;
    if (alt)
        lParam |= 1u << 29;
    if (!down || wasDown || repeat)
        lParam |= 1u << 30;
    if (!down)
        lParam |= 1u << 31;
    if (down && takeHotKey(static_cast<UINT>(vk), heldModifiers(), wasDown || repeat))
        return;
    HWND focus = focusWindow();
    HWND target = (focus && isSelfOrDescendant(focus, top)) ? focus : top;
    post(target, message, static_cast<WPARAM>(vk), static_cast<LPARAM>(static_cast<LONG>(lParam)));
}

void inputMouseMove(HWND top, int x, int y)
{
    WindowRef t = lookupWindow(top);
    if (!t)
        return;
    POINT o = clientOriginOnScreen(*t);
    POINT was;
    {
        std::lock_guard<std::mutex> lock(gPointerMutex);
        was = gCursor;
        gCursor = POINT{o.x + x, o.y + y};
    }
    if (RawInputSink* sink = rawInputSink())
        sink->mouseMotion(top, o.x + x - was.x, o.y + y - was.y);
    POINT p = {x, y};
    HWND target = mouseTarget(top, &p);
    post(target, WM_MOUSEMOVE, mouseKeys(), MAKELPARAM(p.x, p.y));
}

void inputMouseButton(HWND top, MouseButton button, bool down, int x, int y)
{
    WindowRef t = lookupWindow(top);
    if (!t)
        return;
    static const int kVk[] = {VK_LBUTTON, VK_RBUTTON, 0x04};
    static const UINT kDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static const UINT kUp[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static const UINT kDouble[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, 0x0209};
    setKey(kVk[button], down);
    if (RawInputSink* sink = rawInputSink())
        sink->mouseButton(top, button, down);
    POINT o = clientOriginOnScreen(*t);
    POINT screen = {o.x + x, o.y + y};
    {
        std::lock_guard<std::mutex> lock(gPointerMutex);
        gCursor = screen;
    }
    POINT p = {x, y};
    HWND target = mouseTarget(top, &p);
    UINT message = down ? kDown[button] : kUp[button];
    if (down) {
        DWORD now = tickCount();
        WindowRef w = lookupWindow(target);
        bool dbl = w && (w->cls->style & CS_DBLCLKS) && gLastClick.hwnd == target && gLastClick.button == button &&
                   now - gLastClick.time <= kDoubleClickTime && std::labs(screen.x - gLastClick.pt.x) <= kDoubleClickSlop &&
                   std::labs(screen.y - gLastClick.pt.y) <= kDoubleClickSlop;
        if (dbl) {
            message = kDouble[button];
            gLastClick.hwnd = nullptr; // a third click starts a new pair
        } else {
            gLastClick = LastClick{target, button, now, screen};
        }
    }
    post(target, message, mouseKeys(), MAKELPARAM(p.x, p.y));
}

void readKeyTable(BYTE keys[256])
{
    for (int vk = 0; vk < 256; ++vk) {
        const bool button = vk == VK_LBUTTON || vk == VK_RBUTTON || vk == 0x04;
        keys[vk] = (button ? gKeys[vk] : gSynced[vk]).load();
    }
}

void writeKeyTable(const BYTE keys[256])
{
    for (int vk = 0; vk < 256; ++vk)
        gSynced[vk].store(static_cast<unsigned char>(keys[vk] & 0x81));
}

void syncKeyState(const MSG& msg)
{
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: setKeyIn(gSynced, static_cast<int>(msg.wParam), true); break;
    case WM_KEYUP:
    case WM_SYSKEYUP: setKeyIn(gSynced, static_cast<int>(msg.wParam), false); break;
    default: break;
    }
}

void inputClose(HWND top) { post(top, WM_CLOSE, 0, 0); }

void inputFocus(HWND top, bool gained)
{
    if (!lookupWindow(top))
        return;
    if (gained) {
        activateWindow(top);
    } else {
        deactivateWindow(top);
        if (RawInputSink* sink = rawInputSink())
            sink->focusLost(top);
    }
}

void inputMoved(HWND top, int clientScreenX, int clientScreenY)
{
    WindowRef w = lookupWindow(top);
    if (!w || w->parent)
        return;
    POINT o = clientOriginOnScreen(*w);
    RECT r = w->rect;
    LONG dx = clientScreenX - o.x, dy = clientScreenY - o.y;
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
    if (dx || dy)
        userSizeMoveStep(top, false, r);
    setWindowRect(w, r, false, true);
}

void inputResized(HWND top, int clientWidth, int clientHeight)
{
    WindowRef w = lookupWindow(top);
    if (!w || w->parent)
        return;
    RECT f = frameOf(*w);
    RECT r = w->rect;
    r.right = r.left + f.left + clientWidth + f.right;
    r.bottom = r.top + f.top + clientHeight + f.bottom;
    if (!sameRect(r, w->rect))
        userSizeMoveStep(top, true, r);
    setWindowRect(w, r, true, true);
}

void inputPictureResized(HWND top)
{
    if (WindowRef w = lookupWindow(top))
        userSizeMoveStep(top, true, w->rect);
}

void inputMinimized(HWND top, bool minimized)
{
    WindowRef w = lookupWindow(top);
    if (!w || ((w->style & WS_MINIMIZE) != 0) == minimized)
        return;
    applyShowCommand(w, minimized ? SW_SHOWMINNOACTIVE : SW_RESTORE, true);
}

void inputExposed(HWND top)
{
    if (WindowRef w = lookupWindow(top))
        invalidate(w);
}

} // namespace vtl

using namespace vtl;

namespace {

SHORT stateOf(unsigned char v) { return static_cast<SHORT>(((v & 0x80) ? 0x8000 : 0) | (v & 0x01)); }

} // namespace

SHORT GetKeyState(int key)
{
    VTL_TRACE(frame, "GetKeyState", key);
    // Mouse buttons have no key messages: they answer as of now.
    if (key == VK_LBUTTON || key == VK_RBUTTON || key == 0x04)
        return vtlTraceCall_.result(stateOf(gKeys[key].load()));
    return vtlTraceCall_.result(stateOf(gSynced[key & 0xFF].load()));
}

SHORT GetAsyncKeyState(int key)
{
    VTL_TRACE(frame, "GetAsyncKeyState", key);
    return vtlTraceCall_.result(static_cast<SHORT>(stateOf(gKeys[key & 0xFF].load()) & 0x8000));
}

namespace {

// The character a key makes on a US keyboard, 0 for none.
int characterOf(int vk, bool shift, bool caps, bool control)
{
    if (vk >= 'A' && vk <= 'Z') {
        if (control)
            return vk - 'A' + 1;
        bool upper = shift != caps;
        return upper ? vk : vk - 'A' + 'a';
    }
    if (control)
        return 0;
    if (vk >= '0' && vk <= '9')
        return shift ? ")!@#$%^&*("[vk - '0'] : vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return '0' + (vk - VK_NUMPAD0);
    struct Pair {
        int vk;
        char plain, shifted;
    };
    static const Pair kKeys[] = {
        {VK_SPACE, ' ', ' '}, {VK_RETURN, '\r', '\r'}, {VK_BACK, '\b', '\b'}, {VK_TAB, '\t', '\t'},
        {VK_ESCAPE, 27, 27},  {0xBA, ';', ':'},        {0xBB, '=', '+'},      {0xBC, ',', '<'},
        {0xBD, '-', '_'},     {0xBE, '.', '>'},        {0xBF, '/', '?'},      {0xC0, '`', '~'},
        {0xDB, '[', '{'},     {0xDC, '\\', '|'},       {0xDD, ']', '}'},      {0xDE, '\'', '"'},
        {0x6A, '*', '*'},     {VK_ADD, '+', '+'},      {VK_SUBTRACT, '-', '-'}, {0x6E, '.', '.'},
        {0x6F, '/', '/'},
    };
    for (const Pair& p : kKeys) {
        if (p.vk == vk)
            return shift ? p.shifted : p.plain;
    }
    return 0;
}

} // namespace

BOOL TranslateMessage(const MSG* msg)
{
    VTL_TRACE(user, "TranslateMessage", vtl::trace::Msg{msg});
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return vtlTraceCall_.result(FALSE);
    int vk = static_cast<int>(msg->wParam);
    int c = characterOf(vk, syncedDown(VK_SHIFT), (gSynced[0x14].load() & 0x01) != 0, syncedDown(VK_CONTROL));
    if (!c)
        return vtlTraceCall_.result(FALSE);
    UINT message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    WindowRef w = lookupWindow(msg->hwnd);
    if (!w)
        return vtlTraceCall_.result(FALSE);
    // Posted, so the character comes before the next key, which is input.
    MSG m{msg->hwnd, message, static_cast<WPARAM>(c), msg->lParam, msg->time, msg->pt};
    postTo(*w->queue, m);
    return vtlTraceCall_.result(TRUE);
}
