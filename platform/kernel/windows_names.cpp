#include "platform/kernel/windows_names.h"

#include <cstring>

namespace vtl {

bool isValidWindowsName(const char* name)
{
    const char* p = name;
    const bool drive = ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':';
    if (drive)
        p += 2;
    for (; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c < 0x20 || std::strchr("*?<>|\":", c))
            return false;
    }
    return true;
}

bool endsWithSeparator(const char* name)
{
    const size_t length = std::strlen(name);
    return length > 0 && (name[length - 1] == '\\' || name[length - 1] == '/');
}

} // namespace vtl
