// Name comparison for archive entries: ASCII letters match either case,
// whatever the process's locale says.
#ifndef VANTREL_ARCHIVE_ASCII_CASE_H
#define VANTREL_ARCHIVE_ASCII_CASE_H

#include <cstddef>

namespace vtl {
inline char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// True when `a` and the NUL-terminated `b` are equal ignoring ASCII case,
// looking at no more than `limit` bytes of `a`: an `a` that is not
// terminated within them matches nothing.
inline bool equalsIgnoringAsciiCase(const char* a, const char* b, size_t limit = size_t(-1))
{
    for (size_t i = 0; i < limit; ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
        if (a[i] == '\0')
            return true;
    }
    return false;
}
} // namespace vtl

#endif
