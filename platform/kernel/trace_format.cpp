// How the trace writes what a value means rather than only its bits.
#include "platform/kernel/trace.h"

#include <vantrel/win32/dialog.h>
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/winsock.h>

#include <cstdarg>
#include <cinttypes>
#include <cstdio>

namespace vtl::trace {

namespace {

struct MessageName {
    UINT value;
    const char* name;
};
constexpr MessageName kMessages[] = {
    {BM_CLICK, "BM_CLICK"},
    {BM_GETCHECK, "BM_GETCHECK"},
    {BM_SETCHECK, "BM_SETCHECK"},
    {CB_ADDSTRING, "CB_ADDSTRING"},
    {CB_GETCOUNT, "CB_GETCOUNT"},
    {CB_GETCURSEL, "CB_GETCURSEL"},
    {CB_GETDROPPEDSTATE, "CB_GETDROPPEDSTATE"},
    {CB_GETITEMDATA, "CB_GETITEMDATA"},
    {CB_GETLBTEXT, "CB_GETLBTEXT"},
    {CB_RESETCONTENT, "CB_RESETCONTENT"},
    {CB_SETCURSEL, "CB_SETCURSEL"},
    {CB_SETITEMDATA, "CB_SETITEMDATA"},
    {CB_SHOWDROPDOWN, "CB_SHOWDROPDOWN"},
    {WM_ACTIVATE, "WM_ACTIVATE"},
    {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
    {WM_CHAR, "WM_CHAR"},
    {WM_CLOSE, "WM_CLOSE"},
    {WM_COMMAND, "WM_COMMAND"},
    {WM_CREATE, "WM_CREATE"},
    {WM_DESTROY, "WM_DESTROY"},
    {WM_DISPLAYCHANGE, "WM_DISPLAYCHANGE"},
    {WM_ENABLE, "WM_ENABLE"},
    {WM_ERASEBKGND, "WM_ERASEBKGND"},
    {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
    {WM_GETTEXT, "WM_GETTEXT"},
    {WM_INITDIALOG, "WM_INITDIALOG"},
    {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"},
    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
    {WM_MBUTTONUP, "WM_MBUTTONUP"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
    {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
    {WM_MOVE, "WM_MOVE"},
    {WM_NCACTIVATE, "WM_NCACTIVATE"},
    {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
    {WM_NCCREATE, "WM_NCCREATE"},
    {WM_NCDESTROY, "WM_NCDESTROY"},
    {WM_NULL, "WM_NULL"},
    {WM_PAINT, "WM_PAINT"},
    {WM_QUIT, "WM_QUIT"},
    {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
    {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
    {WM_RBUTTONUP, "WM_RBUTTONUP"},
    {WM_SETCURSOR, "WM_SETCURSOR"},
    {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_SETTEXT, "WM_SETTEXT"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    {WM_SIZE, "WM_SIZE"},
    {WM_SYSCHAR, "WM_SYSCHAR"},
    {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
    {WM_SYSKEYUP, "WM_SYSKEYUP"},
    {WM_TIMER, "WM_TIMER"},
    {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
    {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
};

void appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void appendf(std::string& out, const char* format, ...)
{
    char buffer[64];
    va_list list;
    va_start(list, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, list);
    va_end(list);
    if (n > 0)
        out.append(buffer, static_cast<size_t>(n) < sizeof buffer ? static_cast<size_t>(n) : sizeof buffer - 1);
}

// Quoted, with the bytes a terminal would act on escaped, and cut short: a
// trace line is for reading, not for carrying a game's text.
void putQuoted(std::string& out, const char* text, size_t length)
{
    constexpr size_t kMost = 80;
    out += '"';
    for (size_t i = 0; i < length && i < kMost; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7f) {
            appendf(out, "\\x%02x", c);
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
    if (length > kMost)
        out += "...";
}

} // namespace

void put(std::string& out, int value) { appendf(out, "%d", value); }
void put(std::string& out, unsigned value) { appendf(out, "0x%x", value); }
// LPARAM is the one long of the interface, and it carries pointers and packed
// pairs far more often than counts.
void put(std::string& out, long value) { appendf(out, "0x%lx", static_cast<unsigned long>(value)); }
void put(std::string& out, unsigned long value) { appendf(out, "0x%lx", value); }
void put(std::string& out, long long value) { appendf(out, "%lld", value); }
void put(std::string& out, unsigned long long value) { appendf(out, "0x%llx", value); }
void put(std::string& out, bool value) { out += value ? "true" : "false"; }
void put(std::string& out, double value) { appendf(out, "%g", value); }
// In hex with 0x always, null included: glibc's %p writes "(nil)", which reads
// oddly among handles.
void put(std::string& out, const void* value)
{
    appendf(out, "0x%lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(value)));
}
void put(std::string& out, char* value) { put(out, static_cast<const char*>(value)); }

void put(std::string& out, const char* value)
{
    if (!value)
        out += "(null)";
    else
        putQuoted(out, value, std::char_traits<char>::length(value));
}

void put(std::string& out, Text value)
{
    if (!value.value)
        out += "(null)";
    else
        putQuoted(out, value.value, value.length);
}

void put(std::string& out, Atom value)
{
    if (IS_INTRESOURCE(value.value))
        appendf(out, "#%u", static_cast<unsigned>(reinterpret_cast<uintptr_t>(value.value)));
    else
        put(out, value.value);
}

void put(std::string& out, Message value)
{
    for (const MessageName& m : kMessages) {
        if (m.value == value.value) {
            out += m.name;
            return;
        }
    }
    if (value.value >= WM_USER)
        appendf(out, "WM_USER+%u", value.value - WM_USER);
    else
        appendf(out, "0x%04x", value.value);
}

void put(std::string& out, Msg value)
{
    if (!value.value) {
        out += "(null)";
        return;
    }
    const MSG& m = *static_cast<const MSG*>(value.value);
    out += '{';
    put(out, static_cast<const void*>(m.hwnd));
    out += ", ";
    put(out, Message{m.message});
    appendf(out, ", 0x%lx, 0x%lx}", static_cast<unsigned long>(m.wParam), static_cast<unsigned long>(m.lParam));
}

void put(std::string& out, SockAddr value)
{
    const sockaddr* address = static_cast<const sockaddr*>(value.value);
    if (!address || address->sa_family != AF_INET) {
        put(out, value.value);
        return;
    }
    const sockaddr_in* in = static_cast<const sockaddr_in*>(value.value);
    const unsigned char* a = reinterpret_cast<const unsigned char*>(&in->sin_addr);
    appendf(out, "%u.%u.%u.%u:%u", a[0], a[1], a[2], a[3], static_cast<unsigned>(ntohs(in->sin_port)));
}

void put(std::string& out, Rect value)
{
    if (!value.value) {
        out += "(null)";
        return;
    }
    const RECT& r = *value.value;
    appendf(out, "{%d,%d %dx%d}", static_cast<int>(r.left), static_cast<int>(r.top),
            static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top));
}

} // namespace vtl::trace
