#include <vantrel/core.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <locale.h>

namespace {

constexpr size_t kMessageLimit = 256; // text + "\r\n" + terminator

// Copies `format` with the `l` length modifiers of numbers removed.  The
// library's and the games' messages were written for a system whose long is
// 32 bits, so "%lu" must read the same 32-bit slot that "%u" does.  Before
// `s` and `c` the `l` means wide text ("%ls", "%lc") and stays.
void stripLongModifiers(const char* format, char* out, size_t outSize)
{
    size_t o = 0;
    bool inSpec = false;
    for (const char* p = format; *p && o + 1 < outSize; ++p) {
        char c = *p;
        if (!inSpec) {
            if (c == '%')
                inSpec = true;
            out[o++] = c;
            continue;
        }
        if (c == 'l') {
            const char* conversion = p + 1;
            while (*conversion == 'l')
                ++conversion;
            if (*conversion == 's' || *conversion == 'c')
                out[o++] = c;
            continue;
        }
        out[o++] = c;
        if (std::strchr("diouxXcsSpeEfgGaAn%", c))
            inSpec = false;
    }
    out[o] = '\0';
}

// Formats like vsnprintf.  Wide text is converted to the locale's character
// set; the "C" locale a program starts in has room for ASCII only and makes
// the whole message fail on any other character, so such a message is
// formatted again with UTF-8 as the character set.
int formatMessage(char* text, size_t size, const char* format, va_list args)
{
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(text, size, format, args);
#ifndef _WIN32 // Windows' C runtime converts through the code page and does not fail
    if (n < 0) {
        static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (utf8) {
            const locale_t previous = uselocale(utf8);
            n = std::vsnprintf(text, size, format, again);
            uselocale(previous);
        }
    }
#endif
    va_end(again);
    return n;
}

} // namespace

void Msg(const char* format, ...)
{
    if (!format)
        return;
    char cleaned[1024];
    stripLongModifiers(format, cleaned, sizeof cleaned);

    char text[kMessageLimit];
    va_list args;
    va_start(args, format);
    int n = formatMessage(text, kMessageLimit - 2, cleaned, args);
    va_end(args);
    if (n < 0)
        n = 0;
    size_t len = static_cast<size_t>(n);
    if (len > kMessageLimit - 3)
        len = kMessageLimit - 3; // cut, leaving room for "\r\n" and the terminator
    text[len] = '\r';
    text[len + 1] = '\n';
    text[len + 2] = '\0';
    VTLDebugText(text);
}
