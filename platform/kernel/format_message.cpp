// FormatMessage over the system's messages and the caller's strings.
//
// Inserts are read in the order of their numbers: with a va_list, argument
// n is the n-th pointer-sized argument, as Windows reads them.
#include "platform/kernel/system_messages.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/errors.h>
#include <vantrel/win32/memory.h>
#include <vantrel/win32/system.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool languageKnown(DWORD language)
{
    const WORD primary = PRIMARYLANGID(language);
    return language == 0 || primary == LANG_NEUTRAL || primary == LANG_ENGLISH;
}

// The value of insert `number` (1-based) as a pointer-sized argument.
class Inserts {
public:
    Inserts(DWORD flags, va_list* list) : array_((flags & FORMAT_MESSAGE_ARGUMENT_ARRAY) != 0), list_(list) {}
    bool get(int number, DWORD_PTR& value)
    {
        if (!list_)
            return false;
        if (array_) {
            value = reinterpret_cast<const DWORD_PTR*>(list_)[number - 1];
            return true;
        }
        while (static_cast<int>(read_.size()) < number)
            read_.push_back(va_arg(*list_, DWORD_PTR));
        value = read_[number - 1];
        return true;
    }

private:
    bool array_;
    va_list* list_;
    std::vector<DWORD_PTR> read_;
};

// Expands the message's escapes into `out`; false on an insert it cannot
// fill.
bool expand(const char* text, DWORD flags, Inserts& inserts, std::string& out)
{
    const unsigned width = flags & FORMAT_MESSAGE_MAX_WIDTH_MASK;
    for (const char* p = text; *p;) {
        if ((*p == '\r' || *p == '\n') && width != 0) {
            // A width limit replaces the text's own line breaks; only %n
            // breaks a line then.
            if (*p == '\r' && p[1] == '\n')
                ++p;
            ++p;
            if (*p)
                out += ' ';
            continue;
        }
        if (*p != '%') {
            out += *p++;
            continue;
        }
        ++p;
        if (flags & FORMAT_MESSAGE_IGNORE_INSERTS) {
            out += '%';
            continue;
        }
        if (*p == '0')
            return true;
        if (*p == 'n') {
            out += "\r\n";
            ++p;
            continue;
        }
        if (*p < '1' || *p > '9') {
            if (*p)
                out += *p++;
            continue;
        }
        int number = *p++ - '0';
        if (*p >= '0' && *p <= '9')
            number = number * 10 + (*p++ - '0');
        std::string format = "%s";
        if (*p == '!') {
            const char* end = std::strchr(p + 1, '!');
            if (!end)
                return false;
            format = "%" + std::string(p + 1, end);
            p = end + 1;
        }
        DWORD_PTR value = 0;
        if (!inserts.get(number, value))
            return false;
        char piece[512];
        const char conversion = format.back();
        if (conversion == 's')
            std::snprintf(piece, sizeof piece, "%s", value ? reinterpret_cast<const char*>(value) : "(null)");
        else if (conversion == 'c')
            std::snprintf(piece, sizeof piece, "%c", static_cast<char>(value));
        else if (conversion == 'd' || conversion == 'i')
            std::snprintf(piece, sizeof piece, "%d", static_cast<int>(static_cast<DWORD>(value)));
        else if (conversion == 'u')
            std::snprintf(piece, sizeof piece, "%u", static_cast<unsigned>(static_cast<DWORD>(value)));
        else if (conversion == 'x' || conversion == 'X')
            std::snprintf(piece, sizeof piece, conversion == 'x' ? "%x" : "%X",
                          static_cast<unsigned>(static_cast<DWORD>(value)));
        else
            return false;
        out += piece;
    }
    return true;
}

} // namespace

DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size,
                     va_list* arguments)
{
    VTL_TRACE(kernel, "FormatMessageA", flags, source, messageId, languageId, static_cast<const void*>(buffer), size);
    const char* text = nullptr;
    if (flags & FORMAT_MESSAGE_FROM_STRING) {
        text = static_cast<const char*>(source);
    } else if (flags & FORMAT_MESSAGE_FROM_SYSTEM) {
        if (!languageKnown(languageId)) {
            SetLastError(ERROR_MUI_FILE_NOT_FOUND);
            return vtlTraceCall_.result(DWORD(0));
        }
        text = vtl::systemMessage(messageId);
        if (!text) {
            SetLastError(ERROR_MR_MID_NOT_FOUND);
            return vtlTraceCall_.result(DWORD(0));
        }
    } else {
        if (flags & FORMAT_MESSAGE_FROM_HMODULE)
            VTL_UNSUPPORTED("FormatMessageA from a module's message table", "fails");
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(DWORD(0));
    }
    if (!text) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(DWORD(0));
    }
    std::string out;
    Inserts inserts(flags, arguments);
    if (!expand(text, flags, inserts, out)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(DWORD(0));
    }
    const DWORD length = static_cast<DWORD>(out.size());
    if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        if (!buffer) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return vtlTraceCall_.result(DWORD(0));
        }
        const SIZE_T bytes = length + 1 > size ? length + 1 : size;
        auto* allocated = static_cast<char*>(LocalAlloc(LMEM_FIXED, bytes));
        if (!allocated) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return vtlTraceCall_.result(DWORD(0));
        }
        std::memcpy(allocated, out.c_str(), length + 1);
        *reinterpret_cast<LPSTR*>(buffer) = allocated;
        return vtlTraceCall_.result(length);
    }
    if (!buffer || size < length + 1) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return vtlTraceCall_.result(DWORD(0));
    }
    std::memcpy(buffer, out.c_str(), length + 1);
    return vtlTraceCall_.result(length);
}
