#include <vantrel/core.h>
#include <vantrel/win32/strings.h>

#include <cstdarg>
#include <cstring>

namespace {

constexpr size_t kMessageLimit = 256; // text + "\r\n" + terminator
constexpr size_t kFormatLimit = 1024; // what wvsprintfA writes at most, its zero included

} // namespace

// Formatted by the window system's wvsprintfA, as every message was written
// for: `l` before a number reads 32 bits on every system, wide text ("%ls",
// "%S") comes out in the ANSI code page, and there is no floating point.
void Msg(const char* format, ...)
{
    if (!format)
        return;
    // wvsprintfA takes no size: it writes up to its own limit, which is
    // then cut to the message's.
    char formatted[kFormatLimit];
    va_list args;
    va_start(args, format);
    const int n = wvsprintfA(formatted, format, args);
    va_end(args);
    size_t len = n > 0 ? static_cast<size_t>(n) : 0;
    if (len > kMessageLimit - 3)
        len = kMessageLimit - 3; // cut, leaving room for "\r\n" and the terminator
    char text[kMessageLimit];
    std::memcpy(text, formatted, len);
    text[len] = '\r';
    text[len + 1] = '\n';
    text[len + 2] = '\0';
    VTLDebugText(text);
}
