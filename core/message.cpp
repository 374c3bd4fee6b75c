#include <vantrel/core.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kMessageLimit = 256; // text + "\r\n" + terminator

// Copies `format` with every `l` length modifier removed.  The library's and
// the games' messages were written for a system whose long is 32 bits, so
// "%lu" must read the same 32-bit slot that "%u" does.
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
        if (c == 'l')
            continue;
        out[o++] = c;
        if (std::strchr("diouxXcsSpeEfgGaAn%", c))
            inSpec = false;
    }
    out[o] = '\0';
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
    int n = std::vsnprintf(text, kMessageLimit - 2, cleaned, args);
    va_end(args);
    if (n < 0)
        n = 0;
    size_t len = static_cast<size_t>(n);
    if (len > kMessageLimit - 3)
        len = kMessageLimit - 3; // cut, leaving room for "\r\n" and the terminator
    text[len] = '\r';
    text[len + 1] = '\n';
    text[len + 2] = '\0';
    OutputDebugStringA(text);
}
