// lstr* and CharUpperA / CharLowerA.
#include <vantrel/win32/strings.h>

#include "platform/kernel/word_sort.h"

#include <cstring>

namespace {

// Windows-1252: ASCII letters, the accented letters of 0xC0-0xDE / 0xE0-0xFE
// (but for the signs x and / at 0xD7 and 0xF7), and S, OE, Z and Y with their
// marks in 0x8A-0x9F.
unsigned char upperOf(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
    }
}

unsigned char lowerOf(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

template <class Convert>
LPSTR convert(LPSTR text, Convert change)
{
    const uintptr_t bits = reinterpret_cast<uintptr_t>(text);
    if ((bits >> 16) == 0)
        return reinterpret_cast<LPSTR>(static_cast<uintptr_t>(change(static_cast<unsigned char>(bits & 0xFF))));
    for (char* p = text; *p; ++p)
        *p = static_cast<char>(change(static_cast<unsigned char>(*p)));
    return text;
}

} // namespace

LPSTR lstrcpyA(LPSTR destination, LPCSTR source)
{
    if (!destination)
        return nullptr;
    std::strcpy(destination, source ? source : "");
    return destination;
}

LPSTR lstrcpynA(LPSTR destination, LPCSTR source, int size)
{
    if (!destination || size <= 0)
        return destination;
    int i = 0;
    for (; source && i < size - 1 && source[i]; ++i)
        destination[i] = source[i];
    destination[i] = '\0';
    return destination;
}

LPSTR lstrcatA(LPSTR destination, LPCSTR source)
{
    if (!destination)
        return nullptr;
    std::strcat(destination, source ? source : "");
    return destination;
}

int lstrlenA(LPCSTR text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

int lstrcmpA(LPCSTR a, LPCSTR b) { return vtl::compareWords(a, b, false); }

int lstrcmpiA(LPCSTR a, LPCSTR b) { return vtl::compareWords(a, b, true); }

LPSTR CharUpperA(LPSTR text) { return convert(text, upperOf); }

LPSTR CharLowerA(LPSTR text) { return convert(text, lowerOf); }
