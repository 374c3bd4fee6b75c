#include "platform/user/ansi_code_page.h"

namespace vtl {

namespace {

// The characters of 0x80-0x9F, where Windows-1252 departs from Latin-1.
// The five bytes it leaves unassigned stand for the control characters
// of the same number, as in Windows' table.
constexpr uint16_t kHighBlock[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char ansiFromUnicode(uint32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    for (unsigned i = 0; i < 32; ++i) {
        if (kHighBlock[i] == character)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace vtl
