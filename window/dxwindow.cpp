#include <vantrel/dxwindow.h>

#include <vantrel/core.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/window.h>

#include <cstdio>

namespace {

char* copyName(const char* text)
{
    char* buffer = new char[256]();
    std::snprintf(buffer, 256, "%s", text ? text : "");
    return buffer;
}

LPCSTR resourceId(int id) { return MAKEINTRESOURCEA(id & 0xFFFF); }

} // namespace

DXWindow::DXWindow(HINSTANCE inst, const char* name, const char* caption)
    : className(copyName(name)), title(copyName(caption)), instance(inst), window(nullptr), registered(false),
      isPopup(false), clientRect{0, 0, 0, 0}, timerId(0)
{
}

DXWindow::~DXWindow()
{
    delete[] className;
    delete[] title;
}

bool DXWindow::doReg(WNDPROC proc, int menuId, int iconId, int cursorId)
{
    if (registered && !unReg())
        return false;
    if (!instance) {
        Msg("DXWindow::doReg() - Null instance.");
        return false;
    }
    if (!proc) {
        Msg("DXWindow::doReg() - Null callback.");
        return false;
    }
    HICON icon = (iconId & 0xFFFF) ? LoadIconA(instance, resourceId(iconId)) : LoadIconA(nullptr, IDI_APPLICATION);
    if (!icon) {
        Msg("DXWindow::doReg() - LoadIcon().");
        return false;
    }
    HCURSOR cursor =
        (cursorId & 0xFFFF) ? LoadCursorA(instance, resourceId(cursorId)) : LoadCursorA(nullptr, IDC_ARROW);
    if (!cursor) {
        Msg("DXWindow::doReg() - LoadCursor().");
        return false;
    }
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszMenuName = (menuId & 0xFFFF) ? resourceId(menuId) : nullptr;
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc)) {
        Msg("DXWindow::doReg() - RegisterClassEx().");
        return false;
    }
    registered = true;
    return true;
}

bool DXWindow::unReg()
{
    if (!registered)
        return true;
    if (window && !destroy())
        return false;
    if (!UnregisterClassA(className, instance))
        return false;
    registered = false;
    return true;
}

bool DXWindow::create(DWORD style, int width, int height)
{
    if (window && !destroy()) {
        Msg("DXWindow::create() - destroy().");
        return false;
    }
    if (!registered) {
        Msg("DXWindow::create() - Not registered.");
        return false;
    }
    int x = GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2;
    window = CreateWindowExA(WS_EX_APPWINDOW, className, title, style, x, y, width, height, nullptr, nullptr,
                             instance, nullptr);
    if (!window) {
        Msg("DXWindow::create() - CreateWindowEx().");
        return false;
    }
    return true;
}

bool DXWindow::createWindow()
{
    isPopup = false;
    return create(VTL_NORMAL_STYLE, CW_USEDEFAULT, CW_USEDEFAULT);
}

bool DXWindow::createWindow(int width, int height)
{
    isPopup = false;
    return create(VTL_NORMAL_STYLE, width, height);
}

bool DXWindow::createPopup()
{
    isPopup = true;
    return create(VTL_POPUP_STYLE, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

bool DXWindow::createPopup(int width, int height)
{
    isPopup = true;
    return create(VTL_POPUP_STYLE, width, height);
}

bool DXWindow::destroy()
{
    if (!window)
        return true;
    if (!timer(0)) {
        Msg("DXWindow::destroy() - timer().");
        return false;
    }
    if (!DestroyWindow(window))
        return false;
    window = nullptr;
    return true;
}

bool DXWindow::styleWindow(int, int)
{
    if (!isPopup)
        return true;
    show(SW_MINIMIZE);
    if (!setFlag(GWL_STYLE, static_cast<LONG>(VTL_NORMAL_STYLE))) {
        Msg("DXWindow::styleNormal() - setFlag().");
        return false;
    }
    isPopup = false;
    show(SW_RESTORE);
    return true;
}

bool DXWindow::stylePopup()
{
    if (isPopup)
        return true;
    show(SW_MINIMIZE);
    if (!setFlag(GWL_STYLE, static_cast<LONG>(VTL_POPUP_STYLE))) {
        Msg("DXWindow::styleFullscreen() - setFlag().");
        return false;
    }
    show(SW_RESTORE);
    isPopup = true;
    return true;
}

bool DXWindow::show(int command) const
{
    if (!window) {
        Msg("DXWindow::show() - No window.");
        return false;
    }
    ShowWindow(window, command);
    return UpdateWindow(window) != FALSE;
}

bool DXWindow::update()
{
    if (!window)
        return false;
    RECT r;
    GetClientRect(window, &r);
    POINT topLeft = {r.left, r.top}, bottomRight = {r.right, r.bottom};
    ClientToScreen(window, &topLeft);
    ClientToScreen(window, &bottomRight);
    clientRect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return true;
}

namespace {

// resize and move start from the window's outer rectangle, with the same
// checks and messages.
bool outerRect(HWND window, RECT* r)
{
    if (!window) {
        Msg("DXError::move() - No window.");
        return false;
    }
    if (!GetWindowRect(window, r)) {
        Msg("DXWindow:;resize() - GetWindowRect().");
        return false;
    }
    return true;
}

} // namespace

bool DXWindow::resize(int width, int height)
{
    RECT r;
    return outerRect(window, &r) && move(r.left, r.top, width, height);
}

bool DXWindow::move(int x, int y)
{
    RECT r;
    return outerRect(window, &r) && move(x, y, r.right - r.left, r.bottom - r.top);
}

bool DXWindow::move(int x, int y, int width, int height)
{
    if (!window) {
        Msg("DXError::move() - No window.");
        return false;
    }
    if (!MoveWindow(window, x, y, width, height, TRUE)) {
        Msg("DXWindow::move() - MoveWindow().");
        return false;
    }
    return true;
}

unsigned DXWindow::messageLoop() const
{
    if (!window) {
        Msg("DXWindow::messageLoop() - No window.");
        return 0;
    }
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<unsigned>(msg.wParam);
}

bool DXWindow::timer(unsigned milliseconds)
{
    if (!window) {
        Msg("DXWindow::timer() - No window.");
        return false;
    }
    if (timerId != 0) {
        if (!KillTimer(window, timerId))
            return false;
    }
    timerId = 0;
    if (milliseconds == 0)
        return true;
    timerId = static_cast<DWORD>(SetTimer(window, 0, milliseconds, nullptr));
    return timerId != 0;
}

bool DXWindow::stopTimer()
{
    if (!window || timerId == 0)
        return true;
    // The timer's id is the 0 timer() gave SetTimer, whatever it returned.
    if (!KillTimer(window, 0))
        return false;
    timerId = 0;
    return true;
}

bool DXWindow::pointer(void* p) const
{
    if (!setFlag(GWLP_USERDATA, reinterpret_cast<LONG_PTR>(p))) {
        Msg("DXWindow::pointer() - setFlag().");
        return false;
    }
    return true;
}

void* DXWindow::pointer(HWND hwnd) { return reinterpret_cast<void*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

bool DXWindow::setFlag(int index, LONG_PTR value) const
{
    if (!window) {
        Msg("DXWindow::setFlag() - No window.");
        return false;
    }
    SetLastError(0);
    if (index == GWL_STYLE)
        SetWindowLongA(window, index, static_cast<LONG>(value));
    else
        SetWindowLongPtrA(window, index, value);
    return static_cast<LONG>(GetLastError()) >= 0;
}

bool DXWindow::alone() const
{
    HWND other = FindWindowA(className, nullptr);
    if (!IsWindow(other))
        return true;
    HWND popup = GetLastActivePopup(other);
    HWND target = IsWindow(popup) ? popup : other;
    SetForegroundWindow(target);
    if (IsIconic(target))
        ShowWindow(target, SW_RESTORE);
    return false;
}
