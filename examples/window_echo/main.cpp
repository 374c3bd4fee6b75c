// Opens a window and writes into it every key and mouse click it receives;
// Escape quits.  The smallest complete program on the window system: a
// class and a window from DXWindow, a window procedure, the message loop,
// and GDI text drawn straight into the window.
#include <vantrel.h>

#include "unattended.h"

#include <cstdio>
#include <cstring>
#include <deque>
#include <string>

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 320;
constexpr int kLineHeight = 18; // about one text line

std::deque<std::string> gLines;
HFONT gFont = nullptr;
DXWindow* gWindow = nullptr;

void say(const std::string& line)
{
    gLines.push_back(line);
    while (gLines.size() > static_cast<size_t>(kHeight / kLineHeight) - 1)
        gLines.pop_front();
}

std::string keyName(WPARAM vk)
{
    switch (vk) {
    case VK_SPACE: return "Space";
    case VK_RETURN: return "Enter";
    case VK_BACK: return "Backspace";
    case VK_TAB: return "Tab";
    case VK_SHIFT: return "Shift";
    case VK_CONTROL: return "Ctrl";
    case VK_MENU: return "Alt";
    case VK_LEFT: return "Left";
    case VK_RIGHT: return "Right";
    case VK_UP: return "Up";
    case VK_DOWN: return "Down";
    }
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return std::string(1, static_cast<char>(vk));
    if (vk >= VK_F1 && vk <= VK_F12)
        return "F" + std::to_string(vk - VK_F1 + 1);
    char code[16];
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(vk));
    return code;
}

void paint(HWND hwnd)
{
    HDC dc = GetDC(hwnd);
    if (!dc)
        return;
    SelectObject(dc, gFont);
    // Every row is drawn opaque and padded to the window's width, so the
    // text also clears what was there before.
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(16, 24, 48));
    std::string blank(120, ' ');
    SIZE cell;
    GetTextExtentPointA(dc, " ", 1, &cell);
    SetTextColor(dc, RGB(255, 220, 120));
    std::string header = "  Type or click; Escape quits." + blank;
    TextOutA(dc, 0, 0, header.c_str(), static_cast<int>(header.size()));
    SetTextColor(dc, RGB(230, 230, 230));
    for (int row = 0; (row + 1) * cell.cy < kHeight; ++row) {
        std::string text = "  " + (row < static_cast<int>(gLines.size()) ? gLines[row] : std::string()) + blank;
        TextOutA(dc, 0, (row + 1) * cell.cy, text.c_str(), static_cast<int>(text.size()));
    }
    ReleaseDC(hwnd, dc);
}

LRESULT CALLBACK echoProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            gWindow->destroy();
            return 0;
        }
        say("key down " + keyName(wParam));
        break;
    case WM_CHAR:
        if (wParam >= 32 && wParam < 127)
            say(std::string("character '") + static_cast<char>(wParam) + "'");
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        say(std::string(message == WM_RBUTTONDOWN ? "right click" : message == WM_LBUTTONDOWN ? "left click" : "double click") +
            " at " + std::to_string(static_cast<short>(LOWORD(lParam))) + ", " + std::to_string(static_cast<short>(HIWORD(lParam))));
        break;
    case WM_PAINT:
        paint(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_CLOSE:
        // The DXWindow destroys its own window, so that unReg at the end
        // finds no window left and can unregister the class.
        gWindow->destroy();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    paint(hwnd);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    static const char kUsage[] = "usage: vantrel-window-echo\n"
                                 "  Opens a window that writes out every key and click it receives; Escape quits.\n";
    if (argc > 1) {
        const bool help = std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0;
        if (!help)
            std::fprintf(stderr, "vantrel-window-echo: unknown option %s\n", argv[1]);
        std::fputs(kUsage, help ? stdout : stderr);
        return help ? 0 : 2;
    }
    DXWindow window(GetModuleHandleA(nullptr), "VantrelWindowEcho", "Vantrel window echo");
    gWindow = &window;
    if (!window.doReg(echoProc, 0, 0, 0))
        return 1;
    RECT r = {0, 0, kWidth, kHeight};
    AdjustWindowRectEx(&r, VTL_NORMAL_STYLE, FALSE, WS_EX_APPWINDOW);
    if (!window.createWindow(r.right - r.left, r.bottom - r.top))
        return 1;
    gFont = CreateFontA(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, "DejaVu Sans");
    window.show(SW_SHOWNORMAL);
    if (closeUnattendedAfter(window.hwnd(), 5))
        std::printf("no display: closing after 5 seconds\n");
    unsigned code = window.messageLoop();
    DeleteObject(gFont);
    window.unReg();
    return static_cast<int>(code);
}
