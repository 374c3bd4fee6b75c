// Names compared the way the window system and the multimedia devices
// compare them: ASCII letters without regard to case, nothing else folded
// (class names, device types and module names are ASCII).
#ifndef VANTREL_PLATFORM_KERNEL_ASCII_CASE_H
#define VANTREL_PLATFORM_KERNEL_ASCII_CASE_H

namespace vtl {

inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when a and b hold the same ASCII text but for the case of letters.
inline bool equalNoCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        if (asciiLower(*a) != asciiLower(*b))
            return false;
        if (*a == '\0')
            return true;
    }
}

} // namespace vtl

#endif
