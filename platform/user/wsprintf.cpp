// wsprintfA: the window system's own small formatter.  Unlike printf it
// knows no floating point, stops at 1024 characters, and reads an l-sized
// number as 32 bits, because `long` is 32 bits on Windows: a game passing a
// DWORD to %lu passes 32 bits, and reading 64 here would take garbage along.
// Before s and c, l (or w) means wide text, which comes out in the ANSI code
// page; %S and %C are wide unless h makes them narrow.
#include <vantrel/win32/strings.h>

#include "platform/user/ansi_code_page.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr size_t kLimit = 1024; // characters, the terminating zero included

class Output {
public:
    explicit Output(char* buffer) : out(buffer) {}
    void put(char c)
    {
        if (length < kLimit - 1)
            out[length++] = c;
    }
    void repeat(char c, int count)
    {
        for (int i = 0; i < count && !full(); ++i)
            put(c);
    }
    bool full() const { return length >= kLimit - 1; }
    int finish()
    {
        out[length] = '\0';
        return static_cast<int>(length);
    }

private:
    char* out;
    size_t length = 0;
};

// Widths and precisions past the output's size print the same as the size
// itself; holding them there keeps the arithmetic on them inside an int.
int addDigit(int value, char digit)
{
    const int next = value * 10 + (digit - '0');
    return next > static_cast<int>(kLimit) ? static_cast<int>(kLimit) : next;
}

struct Field {
    bool left = false;
    bool zero = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;
    char size = 0; // 'h', 'l', 'w' or none
};

// Whether a c or s conversion (or C and S) takes wide text.
bool wideText(char conversion, char size)
{
    if (conversion == 'S' || conversion == 'C')
        return size != 'h';
    return size == 'l' || size == 'w';
}

void padded(Output& out, const Field& field, const char* prefix, const char* body, int bodyLength)
{
    const int prefixLength = static_cast<int>(std::strlen(prefix));
    const int digits = field.precision > bodyLength ? field.precision : bodyLength;
    const int fill = field.width - prefixLength - digits;
    if (!field.left && !field.zero)
        out.repeat(' ', fill);
    for (const char* p = prefix; *p; ++p)
        out.put(*p);
    if (!field.left && field.zero)
        out.repeat('0', fill);
    out.repeat('0', digits - bodyLength);
    for (int i = 0; i < bodyLength; ++i)
        out.put(body[i]);
    if (field.left)
        out.repeat(' ', fill);
}

void number(Output& out, const Field& field, uint64_t magnitude, bool negative, unsigned base, bool upper)
{
    char digits[24];
    int n = 0;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        digits[sizeof digits - 1 - n++] = set[magnitude % base];
        magnitude /= base;
    } while (magnitude);
    // A precision of 0 prints nothing for the value 0, as in C.
    if (field.precision == 0 && n == 1 && digits[sizeof digits - 1] == '0')
        n = 0;
    const char* prefix = negative ? "-" : "";
    if (base == 16 && field.alternate)
        prefix = upper ? "0X" : "0x";
    padded(out, field, prefix, digits + sizeof digits - n, n);
}

} // namespace

int wvsprintfA(LPSTR buffer, LPCSTR format, va_list arguments)
{
    if (!buffer)
        return 0;
    Output out(buffer);
    if (!format)
        return out.finish();
    va_list args;
    va_copy(args, arguments);
    for (const char* f = format; *f && !out.full(); ++f) {
        if (*f != '%') {
            out.put(*f);
            continue;
        }
        ++f;
        Field field;
        for (;; ++f) {
            if (*f == '-')
                field.left = true;
            else if (*f == '0')
                field.zero = true;
            else if (*f == '#')
                field.alternate = true;
            else
                break;
        }
        while (*f >= '0' && *f <= '9')
            field.width = addDigit(field.width, *f++);
        if (*f == '.') {
            field.precision = 0;
            for (++f; *f >= '0' && *f <= '9'; ++f)
                field.precision = addDigit(field.precision, *f);
        }
        if (*f == 'h' || *f == 'l' || *f == 'w')
            field.size = *f++;
        switch (*f) {
        case '\0':
            --f; // a lone % at the end prints nothing
            break;
        case 'd':
        case 'i': {
            int32_t v = va_arg(args, int32_t);
            if (field.size == 'h')
                v = static_cast<int16_t>(v);
            const bool negative = v < 0;
            number(out, field, negative ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v), negative, 10,
                   false);
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            uint32_t v = va_arg(args, uint32_t);
            if (field.size == 'h')
                v = static_cast<uint16_t>(v);
            number(out, field, v, false, *f == 'u' ? 10 : 16, *f == 'X');
            break;
        }
        case 'p': {
            Field pointer = field;
            pointer.precision = static_cast<int>(2 * sizeof(void*));
            number(out, pointer, reinterpret_cast<uintptr_t>(va_arg(args, void*)), false, 16, true);
            break;
        }
        case 'c':
        case 'C': {
            const int argument = va_arg(args, int);
            const char c = wideText(*f, field.size) ? vtl::ansiFromUnicode(static_cast<uint32_t>(argument))
                                                    : static_cast<char>(argument);
            Field text = field;
            text.precision = -1;
            text.zero = false;
            padded(out, text, "", &c, 1);
            break;
        }
        case 's':
        case 'S': {
            // A precision bounds the read too: the text need not end
            // within it.
            const size_t most = field.precision >= 0 ? static_cast<size_t>(field.precision) : kLimit;
            std::string narrow;
            const char* s;
            int length;
            if (wideText(*f, field.size)) {
                const wchar_t* wide = va_arg(args, const wchar_t*);
                if (!wide)
                    wide = L"(null)";
                for (; *wide && narrow.size() < most; ++wide)
                    narrow += vtl::ansiFromUnicode(static_cast<uint32_t>(*wide));
                s = narrow.c_str();
                length = static_cast<int>(narrow.size());
            } else {
                s = va_arg(args, const char*);
                if (!s)
                    s = "(null)";
                length = static_cast<int>(strnlen(s, most));
            }
            Field text = field;
            text.precision = -1;
            text.zero = false;
            padded(out, text, "", s, length);
            break;
        }
        default:
            out.put(*f); // "%%" prints "%", an unknown letter itself
            break;
        }
    }
    va_end(args);
    return out.finish();
}

int wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int written = wvsprintfA(buffer, format, arguments);
    va_end(arguments);
    return written;
}
