// Any format for wsprintfA: the output stays within the 1,024 characters
// the call may write, counts what it wrote, and reads no text past a
// precision.
//
// The input's first part, up to a zero byte, is the format; the rest is the
// text every %s is given, with no zero after it, so that a precision longer
// than the text reads past the copy and is caught.
#include <vantrel/win32/strings.h>

#include "fuzz/support/require.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {
constexpr int kArguments = 24;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* zero = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    if (!zero)
        return 0;
    std::vector<char> format(data, zero + 1);
    // Each conversion takes at most one argument; a format asking for more
    // than are passed would read the caller's stack, as it would on Windows.
    int percents = 0;
    for (char& c : format) {
        if (c == '%' && ++percents > kArguments)
            c = '\0';
    }
    // The text without a zero: only a precision keeps a %s within it.
    const size_t textSize = size - static_cast<size_t>(zero + 1 - data);
    std::vector<char> text(zero + 1, data + size);
    // Read as the call reads it: flags, width, precision, size, conversion.
    bool unbounded = false; // some %s may read up to a zero
    bool wide = false;      // some conversion reads the text as wide characters
    for (const char* f = format.data(); (f = std::strchr(f, '%')) != nullptr;) {
        ++f;
        while (*f == '-' || *f == '0' || *f == '#')
            ++f;
        while (*f >= '0' && *f <= '9')
            ++f;
        size_t precision = SIZE_MAX;
        if (*f == '.') {
            precision = 0;
            for (++f; *f >= '0' && *f <= '9'; ++f)
                precision = precision > 100000 ? precision : precision * 10 + size_t(*f - '0');
        }
        char sizeLetter = 0;
        if (*f == 'h' || *f == 'l' || *f == 'w')
            sizeLetter = *f++;
        // s reads narrow text unless l or w make it wide; S the other way
        // round, unless h makes it narrow.
        const bool readsText = *f == 's' || *f == 'S';
        const bool wideRead =
            (*f == 'S' && sizeLetter != 'h') || (*f == 's' && (sizeLetter == 'l' || sizeLetter == 'w'));
        if (readsText && !wideRead && precision > textSize)
            unbounded = true;
        if (readsText && wideRead)
            wide = true;
        if (*f)
            ++f; // past the conversion, which may itself be a %
    }
    if (unbounded)
        text.push_back('\0');
    // Read as wide characters, the text ends at the first whole zero wide
    // character: padding of twice its size holds one whatever the length.
    if (wide)
        text.insert(text.end(), 2 * sizeof(wchar_t), '\0');
    const char* s = text.data();
    std::vector<char> out(1024);
    const int n = wsprintfA(out.data(), format.data(), s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s,
                            s, s, s, s);
    require(n >= 0 && n <= 1023);
    require(out[static_cast<size_t>(n)] == '\0');
    require(std::strlen(out.data()) <= static_cast<size_t>(n));
    return 0;
}
