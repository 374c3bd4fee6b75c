#include <vantrel/fastfile.h>

#include <cstring>

// The length is taken modulo 65536, as the 16-bit length the registry was
// first written with; a name shorter than four characters has no extension.
bool HasExtension(const char* name, const char* extension)
{
    if (!name || !extension)
        return false;
    size_t length = std::strlen(name) & 0xFFFF;
    if (length < 4)
        return false;
    const char* tail = name + length - 4;
    return tail[0] == '.' && tail[1] == extension[0] && tail[2] == extension[1] &&
           tail[3] == extension[2];
}
