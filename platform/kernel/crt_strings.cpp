// The C runtime's string calls of crt_strings.h.
#include <vantrel/win32/crt_strings.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int lower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

int compareBlind(const char* a, const char* b, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const int ca = lower(static_cast<unsigned char>(a[i]));
        const int cb = lower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca - cb;
        if (ca == 0)
            return 0;
    }
    return 0;
}

// The format with Windows' sizes turned into this system's: l (32 bits on
// Windows) dropped before an integer conversion, I64 made ll, I32 dropped.
std::string hostFormat(const char* format)
{
    std::string out;
    for (const char* p = format; *p;) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        out += *p++;
        if (*p == '%') {
            out += *p++;
            continue;
        }
        while (*p && std::strchr("-+ #0123456789.*", *p))
            out += *p++;
        if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
            out += "ll";
            p += 3;
        } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
            p += 3;
        } else if (p[0] == 'l' && p[1] != 'l' && p[1] && std::strchr("diouxX", p[1])) {
            ++p;
        }
    }
    return out;
}

char* toText(uint32_t magnitude, bool negative, char* buffer, int radix)
{
    if (!buffer)
        return buffer;
    if (radix < 2 || radix > 36) {
        buffer[0] = 0;
        return buffer;
    }
    char digits[40];
    int n = 0;
    do {
        const unsigned digit = magnitude % unsigned(radix);
        digits[n++] = static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10);
        magnitude /= unsigned(radix);
    } while (magnitude);
    char* out = buffer;
    if (negative)
        *out++ = '-';
    while (n)
        *out++ = digits[--n];
    *out = 0;
    return buffer;
}

char* signedText(int32_t value, char* buffer, int radix)
{
    const bool negative = radix == 10 && value < 0;
    const uint32_t magnitude = negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    return toText(magnitude, negative, buffer, radix);
}

} // namespace

int _stricmp(const char* a, const char* b)
{
    return compareBlind(a, b, SIZE_MAX);
}

int _strnicmp(const char* a, const char* b, size_t count)
{
    return compareBlind(a, b, count);
}

int stricmp(const char* a, const char* b)
{
    return compareBlind(a, b, SIZE_MAX);
}

int strnicmp(const char* a, const char* b, size_t count)
{
    return compareBlind(a, b, count);
}

char* _strdup(const char* text)
{
    if (!text)
        return nullptr;
    const size_t size = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(std::malloc(size));
    if (copy)
        std::memcpy(copy, text, size);
    return copy;
}

char* _strlwr(char* text)
{
    for (char* p = text; p && *p; ++p)
        *p = static_cast<char>(lower(static_cast<unsigned char>(*p)));
    return text;
}

char* _strupr(char* text)
{
    for (char* p = text; p && *p; ++p) {
        if (*p >= 'a' && *p <= 'z')
            *p = static_cast<char>(*p - ('a' - 'A'));
    }
    return text;
}

int _vsnprintf(char* buffer, size_t count, const char* format, va_list arguments)
{
    const std::string translated = hostFormat(format ? format : "");
    va_list measure;
    va_copy(measure, arguments);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int length = std::vsnprintf(nullptr, 0, translated.c_str(), measure);
    va_end(measure);
    if (length < 0)
        return -1;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), translated.c_str(), arguments);
#pragma GCC diagnostic pop
    const size_t size = static_cast<size_t>(length);
    if (size < count) {
        std::memcpy(buffer, text.c_str(), size + 1);
        return length;
    }
    if (count > 0)
        std::memcpy(buffer, text.data(), count);
    return size == count ? length : -1;
}

int _snprintf(char* buffer, size_t count, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int result = _vsnprintf(buffer, count, format, arguments);
    va_end(arguments);
    return result;
}

char* _itoa(int value, char* buffer, int radix)
{
    return signedText(value, buffer, radix);
}

char* _ltoa(long value, char* buffer, int radix)
{
    return signedText(static_cast<int32_t>(value), buffer, radix);
}

char* _ultoa(unsigned long value, char* buffer, int radix)
{
    return toText(static_cast<uint32_t>(value), false, buffer, radix);
}
